// The desktop port over the Windows API. Requests on windows of other threads are posted rather
// than sent wherever the system allows it, so a hung application never stalls the program.
#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_icon_drawing.h"
#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_text.h"

#include <shellapi.h>

#include <unordered_set>

namespace cellaro::win32 {

namespace {

// DWMWINDOWATTRIBUTE values; dwmapi.h is not included because the DLL is loaded at run time.
constexpr DWORD kDwmExtendedFrameBounds = 9;
constexpr DWORD kDwmCloaked = 14;

// More top-level windows than any desktop holds: the z-order walk stops here even if the list keeps
// changing under it.
constexpr std::size_t kMaxTopLevelWindows = 65536;
// Titles longer than this are cut; the program shows them in one line.
constexpr int kMaxTitleLength = 4096;
// Longest executable path the system can report.
constexpr DWORD kMaxPathLength = 32768;

// While a close request is handled the program keeps taking its messages, waking at least this
// often to look whether the window still answers.
constexpr DWORD kCloseWaitSliceMs = 50;
constexpr UINT kIconTimeoutMs = 200;

// How long a window of another thread may take to answer before its style is changed.
constexpr UINT kStyleChangeAnswerMs = 200;

// Whether the window's thread takes a message within the time (a window the system already calls
// hung is not waited for at all).
bool answersWithin(HWND window, UINT timeoutMs) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &answer) !=
           0;
}

bool ownedByOtherThread(HWND window) {
    return ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId();
}

int showCommandCode(ShowCommand command) {
    switch (command) {
    case ShowCommand::Hide:
        return SW_HIDE;
    case ShowCommand::ShowNormal:
        return SW_SHOWNORMAL;
    case ShowCommand::ShowMinimized:
        return SW_SHOWMINIMIZED;
    case ShowCommand::ShowMaximized:
        return SW_SHOWMAXIMIZED;
    case ShowCommand::ShowNoActivate:
        return SW_SHOWNOACTIVATE;
    case ShowCommand::Show:
        return SW_SHOW;
    case ShowCommand::Minimize:
        return SW_MINIMIZE;
    case ShowCommand::ShowMinNoActive:
        return SW_SHOWMINNOACTIVE;
    case ShowCommand::Restore:
        return SW_RESTORE;
    }
    return SW_SHOW;
}

HWND zOrderAnchor(ZOrder where) {
    switch (where) {
    case ZOrder::Top:
        return HWND_TOP;
    case ZOrder::Bottom:
        return HWND_BOTTOM;
    case ZOrder::Topmost:
        return HWND_TOPMOST;
    case ZOrder::NoTopmost:
        return HWND_NOTOPMOST;
    }
    return HWND_TOP;
}

struct MonitorCollection {
    const DpiQueries& dpi;
    std::vector<Monitor> monitors;
};

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*clip*/, LPARAM context) {
    auto& collection = *reinterpret_cast<MonitorCollection*>(context);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info) != 0) {
        collection.monitors.push_back(Monitor{toRect(info.rcMonitor), toRect(info.rcWork),
                                              (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
                                              collection.dpi.monitorDpi(monitor)});
    }
    return TRUE;
}

// Lifts the foreground lock time-out to zero for as long as it lives, then puts the user's value
// back. The change is not written to the user's profile, so a crash in between loses nothing.
class ForegroundLockLift {
public:
    ForegroundLockLift() {
        saved_ = ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout_, 0) != 0;
        if (saved_) {
            ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
        }
    }
    ForegroundLockLift(const ForegroundLockLift&) = delete;
    ForegroundLockLift& operator=(const ForegroundLockLift&) = delete;
    ForegroundLockLift(ForegroundLockLift&&) = delete;
    ForegroundLockLift& operator=(ForegroundLockLift&&) = delete;
    ~ForegroundLockLift() {
        if (saved_) {
            ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                    reinterpret_cast<void*>(static_cast<std::uintptr_t>(timeout_)), 0);
        }
    }

private:
    DWORD timeout_ = 0;
    bool saved_ = false;
};

// Shares this thread's input state with another thread for as long as it lives.
class ThreadInputAttachment {
public:
    ThreadInputAttachment(DWORD ourThread, DWORD otherThread)
        : ourThread_(ourThread), otherThread_(otherThread) {
        attached_ = otherThread != 0 && otherThread != ourThread &&
                    ::AttachThreadInput(ourThread, otherThread, TRUE) != 0;
    }
    ThreadInputAttachment(const ThreadInputAttachment&) = delete;
    ThreadInputAttachment& operator=(const ThreadInputAttachment&) = delete;
    ThreadInputAttachment(ThreadInputAttachment&&) = delete;
    ThreadInputAttachment& operator=(ThreadInputAttachment&&) = delete;
    ~ThreadInputAttachment() {
        if (attached_) {
            ::AttachThreadInput(ourThread_, otherThread_, FALSE);
        }
    }

private:
    DWORD ourThread_;
    DWORD otherThread_;
    bool attached_ = false;
};

} // namespace

Win32Desktop::Win32Desktop() : dwmLibrary_(loadSystemLibrary(L"dwmapi.dll")) {
    dwmGetWindowAttribute_ =
        procAddress<DwmGetWindowAttributeFunction>(dwmLibrary_.get(), "DwmGetWindowAttribute");
}

bool Win32Desktop::compositorAttribute(HWND window, DWORD attribute, void* value, DWORD size) const {
    return dwmGetWindowAttribute_ != nullptr &&
           SUCCEEDED(dwmGetWindowAttribute_(window, attribute, value, size));
}

std::vector<Monitor> Win32Desktop::monitors() const {
    // The tracking asks several times a tick; enumerating costs the system far more than the
    // layout changes, so a layout is reused for a short while.
    const ULONGLONG now = ::GetTickCount64();
    if (monitorsReadAt_ == 0 || now - monitorsReadAt_ >= kMonitorReuseMs) {
        MonitorCollection collection{dpi_, {}};
        ::EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&collection));
        monitors_ = std::move(collection.monitors);
        monitorsReadAt_ = now;
    }
    return monitors_;
}

WindowId Win32Desktop::foregroundWindow() const {
    return toWindowId(::GetForegroundWindow());
}

WindowId Win32Desktop::desktopWindow() const {
    return toWindowId(::GetDesktopWindow());
}

std::vector<WindowId> Win32Desktop::topLevelWindows() const {
    std::vector<WindowId> result;
    // Windows can be created, destroyed and re-ordered during the walk; the visited set stops a walk
    // that the re-ordering sends round in a circle.
    std::unordered_set<HWND> visited;
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr && result.size() < kMaxTopLevelWindows;
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (!visited.insert(window).second) {
            break;
        }
        result.push_back(toWindowId(window));
    }
    return result;
}

WindowId Win32Desktop::findWindowByTitle(const std::string& title) const {
    const auto wide = toWideName(title);
    if (!wide) {
        return kNoWindow;
    }
    return toWindowId(::FindWindowW(nullptr, wide->c_str()));
}

bool Win32Desktop::exists(WindowId window) const {
    return window && ::IsWindow(toHandle(window)) != 0;
}

std::string Win32Desktop::title(WindowId window) const {
    if (!exists(window)) {
        return {};
    }
    // InternalGetWindowText reads the caption the system keeps and sends no message, so a hung
    // window cannot stall us.
    std::wstring buffer(256, L'\0');
    for (;;) {
        const int capacity = static_cast<int>(buffer.size());
        const int length = ::InternalGetWindowText(toHandle(window), buffer.data(), capacity);
        if (length <= 0) {
            return {};
        }
        if (length < capacity - 1 || capacity >= kMaxTitleLength) {
            buffer.resize(static_cast<std::size_t>(length));
            return toUtf8(buffer);
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

std::string Win32Desktop::className(WindowId window) const {
    if (!exists(window)) {
        return {};
    }
    wchar_t buffer[257]; // class names are at most 256 characters
    const int length = ::GetClassNameW(toHandle(window), buffer, static_cast<int>(std::size(buffer)));
    return length > 0 ? toUtf8(std::wstring_view(buffer, static_cast<std::size_t>(length))) : std::string{};
}

bool Win32Desktop::isVisible(WindowId window) const {
    return window && ::IsWindowVisible(toHandle(window)) != 0;
}

bool Win32Desktop::isCloaked(WindowId window) const {
    if (!exists(window)) {
        return false;
    }
    DWORD cloaked = 0;
    return compositorAttribute(toHandle(window), kDwmCloaked, &cloaked, sizeof(cloaked)) && cloaked != 0;
}

bool Win32Desktop::isHung(WindowId window) const {
    return exists(window) && ::IsHungAppWindow(toHandle(window)) != 0;
}

std::optional<WindowPlacement> Win32Desktop::placement(WindowId window) const {
    if (!exists(window)) {
        return std::nullopt;
    }
    const HWND handle = toHandle(window);
    WINDOWPLACEMENT raw{};
    raw.length = sizeof(raw);
    if (::GetWindowPlacement(handle, &raw) == 0) {
        return std::nullopt;
    }
    WindowPlacement result;
    switch (raw.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        result.state = ShowState::Minimized;
        break;
    case SW_SHOWMAXIMIZED:
        result.state = ShowState::Maximized;
        break;
    default:
        result.state = ShowState::Normal;
        break;
    }
    result.normal = toRect(raw.rcNormalPosition);
    // The normal position of a top-level window without the tool-window style is in workspace
    // coordinates: relative to the work area of its monitor rather than to the monitor. A task bar
    // on the left or top shifts the two apart; add that shift to get screen coordinates.
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle, GWL_EXSTYLE));
    if ((exStyle & WS_EX_TOOLWINDOW) == 0) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        // For a minimised window the system picks the monitor of its restored position.
        const HMONITOR monitor = ::MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST);
        if (monitor != nullptr && ::GetMonitorInfoW(monitor, &info) != 0) {
            result.normal = result.normal.offset(info.rcWork.left - info.rcMonitor.left,
                                                 info.rcWork.top - info.rcMonitor.top);
        }
    }
    return result;
}

std::optional<Rect> Win32Desktop::windowRect(WindowId window) const {
    RECT rect{};
    if (!window || ::GetWindowRect(toHandle(window), &rect) == 0) {
        return std::nullopt;
    }
    return toRect(rect);
}

std::optional<Rect> Win32Desktop::visibleFrameRect(WindowId window) const {
    if (!exists(window)) {
        return std::nullopt;
    }
    RECT frame{};
    if (compositorAttribute(toHandle(window), kDwmExtendedFrameBounds, &frame, sizeof(frame))) {
        return toRect(frame);
    }
    return windowRect(window);
}

std::uint32_t Win32Desktop::styles(WindowId window) const {
    return window ? static_cast<std::uint32_t>(::GetWindowLongPtrW(toHandle(window), GWL_STYLE)) : 0U;
}

std::uint32_t Win32Desktop::extendedStyles(WindowId window) const {
    return window ? static_cast<std::uint32_t>(::GetWindowLongPtrW(toHandle(window), GWL_EXSTYLE)) : 0U;
}

std::optional<std::uint8_t> Win32Desktop::opacity(WindowId window) const {
    if ((extendedStyles(window) & WS_EX_LAYERED) == 0) {
        return std::nullopt;
    }
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    // Fails for windows layered through UpdateLayeredWindow, which carry no single alpha.
    if (::GetLayeredWindowAttributes(toHandle(window), &key, &alpha, &flags) == 0 ||
        (flags & LWA_ALPHA) == 0) {
        return std::nullopt;
    }
    return alpha;
}

std::uint32_t Win32Desktop::processId(WindowId window) const {
    DWORD id = 0;
    if (window && ::GetWindowThreadProcessId(toHandle(window), &id) != 0) {
        return id;
    }
    return 0;
}

std::string Win32Desktop::executablePath(WindowId window) const {
    const std::uint32_t id = processId(window);
    if (id == 0) {
        return {};
    }
    const ScopedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) {
        return {};
    }
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        auto length = static_cast<DWORD>(buffer.size());
        if (::QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &length) != 0) {
            buffer.resize(length);
            return toUtf8(buffer);
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() >= kMaxPathLength) {
            return {};
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

bool Win32Desktop::move(WindowId window, const Rect& bounds, bool repaint) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    if (!ownedByOtherThread(handle)) {
        return ::MoveWindow(handle, bounds.left, bounds.top, bounds.width(), bounds.height(),
                            repaint ? TRUE : FALSE) != 0;
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
    if (!repaint) {
        flags |= SWP_NOREDRAW;
    }
    return ::SetWindowPos(handle, nullptr, bounds.left, bounds.top, bounds.width(), bounds.height(), flags) !=
           0;
}

bool Win32Desktop::show(WindowId window, ShowCommand command) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    if (ownedByOtherThread(handle)) {
        return ::ShowWindowAsync(handle, showCommandCode(command)) != 0;
    }
    // ShowWindow answers whether the window was visible before, not whether it worked.
    ::ShowWindow(handle, showCommandCode(command));
    return true;
}

bool Win32Desktop::setZOrder(WindowId window, ZOrder where) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (ownedByOtherThread(handle)) {
        flags |= SWP_ASYNCWINDOWPOS;
    }
    return ::SetWindowPos(handle, zOrderAnchor(where), 0, 0, 0, 0, flags) != 0;
}

// Force to the foreground.
bool Win32Desktop::setForeground(WindowId window) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    const bool otherThread = ownedByOtherThread(handle);
    const HWND foreground = ::GetForegroundWindow();
    const DWORD foregroundThread =
        foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    const ThreadInputAttachment attachment(::GetCurrentThreadId(), foregroundThread);
    const ForegroundLockLift lockLift;
    // Raised before it is restored: raising a window in the middle of its restore to the maximised
    // state has been seen to leave it at the maximised origin with its normal size (under Wine).
    if (otherThread) {
        // BringWindowToTop would wait for the window's thread; the asynchronous form does not.
        ::SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
    } else {
        ::BringWindowToTop(handle);
    }
    if (::IsIconic(handle) != 0) {
        if (otherThread) {
            ::ShowWindowAsync(handle, SW_RESTORE);
        } else {
            ::ShowWindow(handle, SW_RESTORE);
        }
    }
    return ::SetForegroundWindow(handle) != 0 || ::GetForegroundWindow() == handle;
}

bool Win32Desktop::setOpacity(WindowId window, std::optional<std::uint8_t> alpha) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    const auto exStyle = static_cast<LONG_PTR>(::GetWindowLongPtrW(handle, GWL_EXSTYLE));
    // Changing another thread's style sends it style-change messages and waits for the answer. The
    // system's hung flag comes seconds late, so the window is asked first, with a short bound: one
    // that has just stopped answering is left as it is.
    const bool styleChanges = ((exStyle & WS_EX_LAYERED) == 0) == alpha.has_value();
    if (styleChanges && ownedByOtherThread(handle) && !answersWithin(handle, kStyleChangeAnswerMs)) {
        return false;
    }
    const auto setExStyle = [handle](LONG_PTR value) {
        ::SetLastError(0);
        return ::SetWindowLongPtrW(handle, GWL_EXSTYLE, value) != 0 || ::GetLastError() == 0;
    };
    if (alpha) {
        if ((exStyle & WS_EX_LAYERED) == 0 && !setExStyle(exStyle | WS_EX_LAYERED)) {
            return false;
        }
        return ::SetLayeredWindowAttributes(handle, 0, *alpha, LWA_ALPHA) != 0;
    }
    if ((exStyle & WS_EX_LAYERED) == 0) {
        return true;
    }
    if (!setExStyle(exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED))) {
        return false;
    }
    // Without the layered style the window must paint itself again, frame included.
    ::RedrawWindow(handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

bool Win32Desktop::requestClose(WindowId window) {
    if (!exists(window)) {
        return false;
    }
    const HWND handle = toHandle(window);
    if (!ownedByOtherThread(handle)) {
        ::SendMessageW(handle, WM_CLOSE, 0, 0);
        return true;
    }
    if (::IsHungAppWindow(handle) != 0) {
        // Queued for when it answers again; nothing waits for it.
        return ::PostMessageW(handle, WM_CLOSE, 0, 0) != 0;
    }
    // The request is waited on while the window handles it (an editor asking whether to save keeps
    // it waiting until the user answers), taking this thread's messages meanwhile, so the program
    // keeps answering; a window that stops answering is not waited on any longer.
    pendingCloses_.push_back(std::make_unique<PendingClose>(PendingClose{this}));
    PendingClose& request = *pendingCloses_.back();
    if (::SendMessageCallbackW(handle, WM_CLOSE, 0, 0, &Win32Desktop::closeHandled,
                               reinterpret_cast<ULONG_PTR>(&request)) == 0) {
        pendingCloses_.pop_back();
        return false;
    }
    waitForClose(handle, request);
    return true;
}

void CALLBACK Win32Desktop::closeHandled(HWND /*window*/, UINT /*message*/, ULONG_PTR data,
                                         LRESULT /*result*/) {
    auto* request = reinterpret_cast<PendingClose*>(data);
    request->answered = true;
    if (request->abandoned) {
        request->owner->pendingCloses_.remove_if(
            [request](const std::unique_ptr<PendingClose>& pending) { return pending.get() == request; });
    }
}

bool Win32Desktop::waitForClose(HWND window, PendingClose& request) {
    const auto finish = [this, &request](bool answered) {
        if (request.answered) {
            pendingCloses_.remove_if([&request](const std::unique_ptr<PendingClose>& pending) {
                return pending.get() == &request;
            });
        } else {
            request.abandoned = true;
        }
        return answered;
    };
    MSG message{};
    while (!request.answered) {
        // A window that is gone handled the request; one that stopped taking its messages (the
        // system's test: about five seconds without) is left to answer when it can.
        if (::IsWindow(window) == 0) {
            return finish(true);
        }
        if (::IsHungAppWindow(window) != 0) {
            return finish(false);
        }
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kCloseWaitSliceMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        while (!request.answered && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            if (message.message == WM_QUIT) {
                // Leave it for the main loop, which ends the program with it.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return finish(false);
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return finish(true);
}

std::optional<Bitmap> Win32Desktop::bigIcon(WindowId window, int size, Colour background) const {
    if (!exists(window)) {
        return std::nullopt;
    }
    const HWND handle = toHandle(window);
    DWORD_PTR answer = 0;
    HICON icon = nullptr;
    if (::SendMessageTimeoutW(handle, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, kIconTimeoutMs, &answer) !=
        0) {
        icon = reinterpret_cast<HICON>(answer);
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(::GetClassLongPtrW(handle, GCLP_HICON));
    }
    // The icon belongs to the window: it is drawn, never destroyed.
    return drawIcon(icon, size, background);
}

std::optional<Bitmap> Win32Desktop::fileIcon(const std::string& path, int size, Colour background) const {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return std::nullopt;
    }
    HICON large = nullptr;
    if (::ExtractIconExW(widePath->c_str(), 0, &large, nullptr, 1) == 0 || large == nullptr) {
        return std::nullopt;
    }
    const ScopedIcon owner(large);
    return drawIcon(owner.get(), size, background);
}

bool Win32Desktop::paintOnScreen(const Bitmap& picture, Point at, Colour transparent) {
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour pixel = picture.pixel(x, y);
            if (pixel != transparent) {
                ::SetPixel(screen, at.x + x, at.y + y, static_cast<COLORREF>(pixel.value));
            }
        }
    }
    ::ReleaseDC(nullptr, screen);
    return true;
}

} // namespace cellaro::win32
