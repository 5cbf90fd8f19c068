// The notification-area icon, popup menus, shell execution, window arrangements and message boxes.
#include "platform/win32/win32_shell.h"

#include "platform/win32/win32_application_icon.h"
#include "platform/win32/win32_kill_dialog.h"
#include "platform/win32/win32_text.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kShellWindowClass = L"CellaroShell";
// The longest tip the notification area shows, without its terminating NUL.
constexpr std::size_t kMaxTipUnits = 127;
// While the shell is not ready (early at log-on), the icon is offered again this often.
constexpr UINT kRetryIntervalMs = 1000;
// The longest balloon title and text the notification area keeps, without their terminating NUL.
constexpr std::size_t kMaxBalloonTitleUnits = 63;
constexpr std::size_t kMaxBalloonTextUnits = 255;

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The menu and its submenus; items the program hides are left out.
ScopedMenu buildMenu(const std::vector<MenuItem>& items) {
    ScopedMenu menu(::CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    for (const MenuItem& item : items) {
        if (!item.visible) {
            continue;
        }
        if (item.separator) {
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.checked) {
            flags |= MF_CHECKED;
        }
        if (!item.enabled) {
            flags |= MF_GRAYED;
        }
        // The caption's tab is the menu's own column separator: the shortcut text is right-aligned.
        const std::wstring caption = toWide(item.caption);
        if (!item.submenu.empty()) {
            ScopedMenu submenu = buildMenu(item.submenu);
            if (submenu && ::AppendMenuW(menu.get(), flags | MF_POPUP,
                                         reinterpret_cast<UINT_PTR>(submenu.get()), caption.c_str()) != 0) {
                submenu.release(); // destroyed with its parent from now on
            }
            continue;
        }
        ::AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(static_cast<UINT>(item.id)), caption.c_str());
    }
    return menu;
}

UINT messageBoxType(MessageBoxButtons buttons, MessageBoxIcon icon) {
    UINT type = MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL;
    switch (buttons) {
    case MessageBoxButtons::Ok:
        type |= MB_OK;
        break;
    case MessageBoxButtons::OkCancel:
        type |= MB_OKCANCEL;
        break;
    case MessageBoxButtons::YesNo:
        type |= MB_YESNO;
        break;
    case MessageBoxButtons::YesNoCancel:
        type |= MB_YESNOCANCEL;
        break;
    }
    switch (icon) {
    case MessageBoxIcon::None:
        break;
    case MessageBoxIcon::Information:
        type |= MB_ICONINFORMATION;
        break;
    case MessageBoxIcon::Warning:
        type |= MB_ICONWARNING;
        break;
    case MessageBoxIcon::Error:
        type |= MB_ICONERROR;
        break;
    case MessageBoxIcon::Question:
        type |= MB_ICONQUESTION;
        break;
    }
    return type;
}

// When the box could not be shown, the answer that changes nothing: Cancel where there is one.
MessageBoxResult unansweredResult(MessageBoxButtons buttons) {
    switch (buttons) {
    case MessageBoxButtons::Ok:
        return MessageBoxResult::Ok;
    case MessageBoxButtons::YesNo:
        return MessageBoxResult::No;
    case MessageBoxButtons::OkCancel:
    case MessageBoxButtons::YesNoCancel:
        break;
    }
    return MessageBoxResult::Cancel;
}

MessageBoxResult resultOf(int pressed, MessageBoxButtons buttons) {
    switch (pressed) {
    case IDOK:
        return MessageBoxResult::Ok;
    case IDCANCEL:
        return MessageBoxResult::Cancel;
    case IDYES:
        return MessageBoxResult::Yes;
    case IDNO:
        return MessageBoxResult::No;
    default:
        return unansweredResult(buttons);
    }
}

bool shellExecuteSucceeded(HINSTANCE result) {
    // ShellExecute reports success with a value above 32, squeezed into an HINSTANCE.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

std::wstring cutUtf16(std::wstring_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) {
        return std::wstring(text);
    }
    std::size_t length = maxUnits;
    if (length > 0 && isHighSurrogate(text[length - 1])) {
        --length; // the pair would be split: leave the whole character out
    }
    return std::wstring(text.substr(0, length));
}

// ---- Win32TrayIcon -------------------------------------------------------------------------------

Win32TrayIcon::Win32TrayIcon(Win32Shell& shell, UINT iconId, const std::string& hint, TrayIconEvents& events)
    : shell_(&shell), iconId_(iconId), events_(events), tip_(cutUtf16(toWide(hint), kMaxTipUnits)) {
    addToShell();
}

void Win32TrayIcon::drawForScale() {
    // The hidden window sits on the primary monitor, whose scale the notification area has.
    const HWND window = shell_ != nullptr ? shell_->handle() : nullptr;
    const DpiQueries* dpi = shell_ != nullptr ? &shell_->dpi_ : nullptr;
    const int size = dpi != nullptr ? dpi->systemMetric(SM_CXSMICON, dpi->windowDpi(window))
                                    : ::GetSystemMetrics(SM_CXSMICON);
    if (icon_ != nullptr && size == iconSize_) {
        return;
    }
    ScopedIcon drawn = makeApplicationIcon(size);
    if (drawn) {
        ownIcon_ = std::move(drawn);
        icon_ = ownIcon_.get();
        iconSize_ = size;
    } else if (icon_ == nullptr) {
        // The system's generic application icon stands in; it is shared and never destroyed.
        icon_ = ::LoadIconW(nullptr, IDI_APPLICATION);
    }
}

void Win32TrayIcon::rescale() {
    const HICON before = icon_;
    drawForScale();
    if (present_ && icon_ != before) {
        NOTIFYICONDATAW data = iconData();
        ::Shell_NotifyIconW(NIM_MODIFY, &data);
    }
}

Win32TrayIcon::~Win32TrayIcon() {
    remove();
    if (shell_ != nullptr) {
        shell_->forget(iconId_);
    }
}

NOTIFYICONDATAW Win32TrayIcon::iconData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = shell_ != nullptr ? shell_->handle() : nullptr;
    data.uID = iconId_;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = Win32Shell::kTrayCallbackMessage;
    data.hIcon = icon_;
    tip_.copy(data.szTip, std::min(tip_.size(), std::size(data.szTip) - 1));
    return data;
}

void Win32TrayIcon::addToShell() {
    if (!wanted_ || shell_ == nullptr || shell_->handle() == nullptr) {
        return;
    }
    drawForScale(); // a restarted shell may come with another scale
    NOTIFYICONDATAW data = iconData();
    bool added = ::Shell_NotifyIconW(NIM_ADD, &data) != 0;
    if (!added) {
        // An add that timed out may still have reached the shell: then the icon is there already.
        added = ::Shell_NotifyIconW(NIM_MODIFY, &data) != 0;
    }
    if (!added) {
        present_ = false;
        startRetry();
        return;
    }
    present_ = true;
    stopRetry();
    // Version 0: the callback's lParam is the plain mouse message and wParam the icon's id.
    data.uVersion = 0;
    ::Shell_NotifyIconW(NIM_SETVERSION, &data);
    flushBalloon();
}

void Win32TrayIcon::showBalloon(const std::string& title, const std::string& text) {
    pendingBalloon_.emplace(cutUtf16(toWide(title), kMaxBalloonTitleUnits),
                            cutUtf16(toWide(text), kMaxBalloonTextUnits));
    flushBalloon();
}

void Win32TrayIcon::flushBalloon() {
    if (!pendingBalloon_ || !present_ || shell_ == nullptr) {
        return; // the next add that succeeds shows it
    }
    NOTIFYICONDATAW data = iconData();
    data.uFlags |= NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    const auto& [title, text] = *pendingBalloon_;
    title.copy(data.szInfoTitle, std::min(title.size(), std::size(data.szInfoTitle) - 1));
    text.copy(data.szInfo, std::min(text.size(), std::size(data.szInfo) - 1));
    if (::Shell_NotifyIconW(NIM_MODIFY, &data) != 0) {
        pendingBalloon_.reset();
    }
}

void Win32TrayIcon::setHint(const std::string& utf8) {
    tip_ = cutUtf16(toWide(utf8), kMaxTipUnits);
    if (!present_) {
        return; // the next add carries the new tip
    }
    NOTIFYICONDATAW data = iconData();
    if (::Shell_NotifyIconW(NIM_MODIFY, &data) == 0) {
        // The shell lost the icon (it restarted and its broadcast has not come yet): add it again.
        addToShell();
    }
}

void Win32TrayIcon::remove() {
    wanted_ = false;
    stopRetry();
    if (present_ && shell_ != nullptr) {
        NOTIFYICONDATAW data = iconData();
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
    present_ = false;
}

void Win32TrayIcon::shellClosing() {
    remove();
    shell_ = nullptr;
}

void Win32TrayIcon::startRetry() {
    if (!retrying_ && shell_ != nullptr && shell_->handle() != nullptr) {
        retrying_ = ::SetTimer(shell_->handle(), iconId_, kRetryIntervalMs, nullptr) != 0;
    }
}

void Win32TrayIcon::stopRetry() {
    if (retrying_ && shell_ != nullptr && shell_->handle() != nullptr) {
        ::KillTimer(shell_->handle(), iconId_);
    }
    retrying_ = false;
}

void Win32TrayIcon::handleCallback(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        // Moving on after the release: a WM_CONTEXTMENU from now on is a request of its own.
        if (rightGesture_ == RightGesture::Released) {
            rightGesture_ = RightGesture::None;
        }
        return;
    case WM_LBUTTONDOWN:
        leftPressed_ = true;
        rightGesture_ = RightGesture::None;
        return;
    case WM_LBUTTONUP:
        // A click is a press and a release on the icon; a release alone (a drag that ended here)
        // is not one.
        if (leftPressed_) {
            leftPressed_ = false;
            events_.onTrayLeftClick(); // last: the handler may remove this icon
        }
        return;
    case WM_RBUTTONDOWN:
        // The menu opens on the press, so the button can be released over the item it chooses
        // (TPM_RIGHTBUTTON). The state is settled first: the menu's own loop dispatches this
        // gesture's release while the menu is open.
        rightGesture_ = RightGesture::Pressed;
        openMenu(); // last: the handler may remove this icon
        return;
    case WM_RBUTTONUP:
        // Belongs to the press that opened the menu, or to a press the icon never saw (a drag
        // that ended here): it opens nothing.
        if (rightGesture_ == RightGesture::Pressed) {
            rightGesture_ = RightGesture::Released;
        }
        return;
    case WM_CONTEXTMENU:
        // Some shells follow a right click with WM_CONTEXTMENU: one click opens one menu. Without
        // a press before it, it is the keyboard's request for the menu.
        if (rightGesture_ != RightGesture::None) {
            rightGesture_ = RightGesture::None;
            return;
        }
        openMenu(); // last: the handler may remove this icon
        return;
    default:
        return;
    }
}

void Win32TrayIcon::openMenu() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    events_.onTrayRightClick(Point{cursor.x, cursor.y}); // last: the handler may remove this icon
}

// ---- Win32Shell ----------------------------------------------------------------------------------

Win32Shell::Win32Shell() : instance_(::GetModuleHandleW(nullptr)) {
    // Some shell verbs and namespace extensions need COM on the calling thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comInitialised_ = SUCCEEDED(com);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MessageWindow::windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kShellWindowClass;
    windowClass_ = ::RegisterClassExW(&windowClass);

    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // A hidden top-level tool window: no task-bar button, never shown.
    const HWND window =
        create(WS_EX_TOOLWINDOW, kShellWindowClass, L"Cellaro", WS_POPUP, 0, 0, 0, 0, nullptr, instance_);
    if (window != nullptr && taskbarCreated_ != 0) {
        // Run elevated, the program would otherwise never hear of a restarted (unelevated) shell.
        ::ChangeWindowMessageFilterEx(window, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    }
}

Win32Shell::~Win32Shell() {
    for (const auto& entry : icons_) {
        entry.second->shellClosing();
    }
    icons_.clear();
    destroyWindow(); // before its class goes
    if (windowClass_ != 0) {
        ::UnregisterClassW(kShellWindowClass, instance_);
    }
    if (comInitialised_) {
        ::CoUninitialize();
    }
}

LRESULT Win32Shell::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        const auto found = icons_.find(static_cast<UINT>(wParam));
        if (found != icons_.end()) {
            found->second->handleCallback(static_cast<UINT>(LOWORD(lParam)));
        }
        return 0;
    }
    if (message == WM_TIMER) {
        const auto found = icons_.find(static_cast<UINT>(wParam));
        if (found != icons_.end()) {
            found->second->addToShell();
        } else {
            ::KillTimer(handle(), wParam);
        }
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The shell (re)started with an empty notification area: every icon still wanted goes back.
        for (const auto& entry : icons_) {
            entry.second->addToShell();
        }
        return 0;
    }
    if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE) {
        for (const auto& entry : icons_) {
            entry.second->rescale();
        }
        return 0;
    }
    if (message == WM_CLOSE) {
        return 0; // the window lives as long as the shell object, whoever asks it to close
    }
    return ::DefWindowProcW(handle(), message, wParam, lParam);
}

void Win32Shell::forget(UINT iconId) {
    icons_.erase(iconId);
}

std::unique_ptr<TrayIcon> Win32Shell::createTrayIcon(const std::string& hint, TrayIconEvents& events) {
    const UINT iconId = nextIconId_++;
    auto icon = std::make_unique<Win32TrayIcon>(*this, iconId, hint, events);
    icons_.emplace(iconId, icon.get());
    return icon;
}

std::optional<int> Win32Shell::trackPopupMenu(const std::vector<MenuItem>& items, Point at) {
    const ScopedMenu menu = buildMenu(items);
    if (!menu || handle() == nullptr) {
        return std::nullopt;
    }
    // The menu closes on a click elsewhere only while its owner is the foreground window, and the
    // message posted after it makes the system notice the switch back (the known quirk of menus
    // opened from the notification area).
    ::SetForegroundWindow(handle());
    const BOOL chosen = ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                           at.y, handle(), nullptr);
    ::PostMessageW(handle(), WM_NULL, 0, 0);
    if (chosen == 0) {
        return std::nullopt;
    }
    return static_cast<int>(chosen);
}

bool Win32Shell::openDocument(const std::string& path) {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return false;
    }
    return shellExecuteSucceeded(
        ::ShellExecuteW(nullptr, nullptr, widePath->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool Win32Shell::startProgram(const std::string& path) {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return false;
    }
    // The file is passed on its own, so a path with blanks needs no quotes.
    return shellExecuteSucceeded(
        ::ShellExecuteW(handle(), L"open", widePath->c_str(), nullptr, nullptr, SW_SHOW));
}

void Win32Shell::openFolderAndSelect(const std::string& path) {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return;
    }
    // The shell's namespace calls need COM on this thread: the constructor initialised it.
    PIDLIST_ABSOLUTE item = ::ILCreateFromPathW(widePath->c_str());
    if (item == nullptr) {
        return;
    }
    static_cast<void>(::SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    ::ILFree(item);
}

bool Win32Shell::cascadeWindows() {
    return ::CascadeWindows(nullptr, MDITILE_SKIPDISABLED, nullptr, 0, nullptr) != 0;
}

bool Win32Shell::tileWindows(bool vertical) {
    return ::TileWindows(nullptr, vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL, nullptr, 0, nullptr) != 0;
}

MessageBoxResult Win32Shell::messageBox(const std::string& text, const std::string& caption,
                                        MessageBoxButtons buttons, MessageBoxIcon icon) {
    const std::wstring wideText = toWide(text);
    const std::wstring wideCaption = toWide(caption);
    return resultOf(
        ::MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), messageBoxType(buttons, icon)),
        buttons);
}

MessageBoxResult Win32Shell::ask(const std::string& text, const std::string& caption,
                                 MessageBoxButtons buttons, MessageBoxIcon icon,
                                 MessageBoxDefault defaultButton) {
    ::MessageBeep(MB_ICONQUESTION);
    UINT type = (messageBoxType(buttons, icon) & ~static_cast<UINT>(MB_TASKMODAL)) | MB_SYSTEMMODAL;
    if (defaultButton == MessageBoxDefault::Second) {
        type |= MB_DEFBUTTON2;
    }
    const std::wstring wideText = toWide(text);
    const std::wstring wideCaption = toWide(caption);
    return resultOf(::MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), type), buttons);
}

void Win32Shell::beep(MessageBoxIcon sound) {
    UINT type = MB_OK;
    switch (sound) {
    case MessageBoxIcon::Information:
        type = MB_ICONINFORMATION;
        break;
    case MessageBoxIcon::Warning:
        type = MB_ICONWARNING;
        break;
    case MessageBoxIcon::Error:
        type = MB_ICONERROR;
        break;
    case MessageBoxIcon::Question:
        type = MB_ICONQUESTION;
        break;
    case MessageBoxIcon::None:
        break;
    }
    ::MessageBeep(type);
}

bool Win32Shell::chooseColour(ColourChoice& choice) {
    std::array<COLORREF, ColourChoice::kCustomColourCount> custom{};
    for (std::size_t i = 0; i < custom.size(); ++i) {
        custom.at(i) = choice.customColours.at(i).value;
    }
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = ::GetForegroundWindow();
    dialog.rgbResult = choice.colour.value;
    dialog.lpCustColors = custom.data();
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    const bool confirmed = ::ChooseColorW(&dialog) != FALSE;
    for (std::size_t i = 0; i < custom.size(); ++i) {
        choice.customColours.at(i) = Colour{static_cast<std::uint32_t>(custom.at(i) & 0xFFFFFF)};
    }
    if (confirmed) {
        choice.colour = Colour{static_cast<std::uint32_t>(dialog.rgbResult & 0xFFFFFF)};
    }
    return confirmed;
}

KillConfirmation Win32Shell::confirmKill(const std::string& text, const std::string& caption) {
    KillDialog dialog(instance_, dpi_);
    return dialog.show(text, caption);
}

} // namespace cellaro::win32
