// The kill confirmation dialog over the Windows API.
#include "platform/win32/win32_kill_dialog.h"

#include "platform/win32/win32_text.h"

#include <algorithm>

namespace cellaro::win32 {

namespace {

constexpr wchar_t kDialogClass[] = L"CellaroKillConfirmation";
constexpr int kCheckBoxId = 100;
constexpr wchar_t kKillCaption[] = L"Kill process";
constexpr wchar_t kCancelCaption[] = L"Cancel";
constexpr wchar_t kCheckCaption[] = L"Do not show this message again.";

// Sizes at 96 dots per inch, after the system's message box.
constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kCheckHeight = 17;

// The text's line breaks are single carriage returns; a static control breaks lines on CR LF.
std::wstring withLineFeeds(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) {
            result += L'\n';
        }
    }
    return result;
}

} // namespace

KillDialog::KillDialog(HINSTANCE instance, const DpiQueries& dpi) : instance_(instance), dpiQueries_(dpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MessageWindow::windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kDialogClass;
    windowClass_ = ::RegisterClassExW(&windowClass);
}

KillDialog::~KillDialog() {
    destroyWindow(); // before its class goes
    if (windowClass_ != 0) {
        ::UnregisterClassW(kDialogClass, instance_);
    }
}

HWND KillDialog::addControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, RECT bounds) {
    const HWND control =
        ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control != nullptr && font_) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    return control;
}

void KillDialog::layOut(const std::wstring& text) {
    const HWND window = handle();
    // The text's and the check box caption's extents in the dialog's font.
    RECT textBounds{0, 0, 0, 0};
    SIZE checkText{0, 0};
    {
        const ScopedWindowDc dc(window);
        const ScopedSelection selection(dc.get(), font_.get());
        ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &textBounds,
                    DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
        ::GetTextExtentPoint32W(dc.get(), kCheckCaption, static_cast<int>(std::wcslen(kCheckCaption)),
                                &checkText);
    }
    const auto textWidth = static_cast<int>(textBounds.right);
    const auto textHeight = static_cast<int>(textBounds.bottom);
    const auto checkTextWidth = static_cast<int>(checkText.cx);
    const int textLeft = scaled(kMargin + kIconSize + kIconGap);
    const int textTop = scaled(kMargin);
    iconBounds_ =
        RECT{scaled(kMargin), scaled(kMargin), scaled(kMargin + kIconSize), scaled(kMargin + kIconSize)};
    const int buttonsTop =
        std::max(textTop + textHeight, static_cast<int>(iconBounds_.bottom)) + scaled(kMargin);
    const int buttonsWidth = 2 * scaled(kButtonWidth) + scaled(kButtonGap);
    const int checkWidth = checkTextWidth + scaled(kCheckExtra);
    const int clientWidth = std::max({textLeft + textWidth + scaled(kMargin),
                                      buttonsWidth + 2 * scaled(kMargin), scaled(kCheckLeft) + checkWidth});

    addControl(L"STATIC", text.c_str(), SS_LEFT | SS_NOPREFIX, -1,
               RECT{textLeft, textTop, textLeft + textWidth, textTop + textHeight});
    const int buttonsLeft = (clientWidth - buttonsWidth) / 2;
    killButton_ = addControl(L"BUTTON", kKillCaption, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK,
                             RECT{buttonsLeft, buttonsTop, buttonsLeft + scaled(kButtonWidth),
                                  buttonsTop + scaled(kButtonHeight)});
    const int cancelLeft = buttonsLeft + scaled(kButtonWidth) + scaled(kButtonGap);
    addControl(
        L"BUTTON", kCancelCaption, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
        RECT{cancelLeft, buttonsTop, cancelLeft + scaled(kButtonWidth), buttonsTop + scaled(kButtonHeight)});
    // A single top line: an etched line two pixels high, reaching past both edges.
    addControl(L"STATIC", L"", SS_ETCHEDHORZ, -1,
               RECT{scaled(kLineLeft), scaled(kLineTop), scaled(kLineLeft) + clientWidth + scaled(kLineExtra),
                    scaled(kLineTop) + 2});
    checkBox_ = addControl(L"BUTTON", kCheckCaption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, kCheckBoxId,
                           RECT{scaled(kCheckLeft), scaled(kCheckTop), scaled(kCheckLeft) + checkWidth,
                                scaled(kCheckTop) + scaled(kCheckHeight)});

    // The window: its client as wide as the content, its height the dialog's.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame{0, 0, clientWidth, 100};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = scaled(kHeight);
    POINT cursor{0, 0};
    ::GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(window, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);
}

KillConfirmation KillDialog::show(const std::string& text, const std::string& caption) {
    POINT cursor{0, 0};
    ::GetCursorPos(&cursor);
    dpi_ = dpiQueries_.monitorDpi(::MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY));
    if (const auto font = dpiQueries_.messageFont(dpi_)) {
        font_ = ScopedGdiObject(::CreateFontIndirectW(&*font));
    }
    // The window that had the foreground gets it back when the dialog closes.
    const HWND previousForeground = ::GetForegroundWindow();
    const std::wstring wideCaption = toWide(caption);
    if (create(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kDialogClass, wideCaption.c_str(),
               WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, nullptr, instance_) == nullptr) {
        return KillConfirmation{};
    }
    layOut(withLineFeeds(toWide(text)));
    const HWND window = handle();
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(killButton_);

    MSG message{};
    while (!answered_ && handle() != nullptr) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the loop above ours must see the quit too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (::IsDialogMessageW(window, &message) == 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (handle() != nullptr && checkBox_ != nullptr) {
        result_.dontAskAgain = ::SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    destroyWindow();
    if (previousForeground != nullptr && ::IsWindow(previousForeground) != 0) {
        ::SetForegroundWindow(previousForeground);
    }
    return result_;
}

void KillDialog::answer(KillAnswer answer) {
    result_.answer = answer;
    answered_ = true;
}

LRESULT KillDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            answer(KillAnswer::Yes);
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            answer(KillAnswer::No);
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        // The close box (and Alt+F4): neither answer.
        answer(KillAnswer::Neither);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(handle(), &paint);
        const int size = iconBounds_.right - iconBounds_.left;
        const auto icon = static_cast<HICON>(
            ::LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, size, size, LR_SHARED)); // NOLINT
        if (dc != nullptr && icon != nullptr) {
            ::DrawIconEx(dc, iconBounds_.left, iconBounds_.top, icon, size, size, 0, nullptr, DI_NORMAL);
        }
        ::EndPaint(handle(), &paint);
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcW(handle(), message, wParam, lParam);
}

} // namespace cellaro::win32
