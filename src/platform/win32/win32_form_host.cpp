// The forms' native windows: creation with the styles a form asks for, double-buffered painting,
// mouse and keyboard input, hints through a tooltip control, and the accessible object.
#include "platform/win32/win32_form_host.h"

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_text.h"

#include <objbase.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <utility>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kFormClass = L"CellaroForm";
// The one tool of each window's tooltip: the whole client area.
constexpr UINT_PTR kHintTool = 1;
// Lines of a hint longer than this (in device-independent pixels) wrap; it also makes the tooltip
// honour line breaks.
constexpr int kMaxHintWidth = 640;
// The application icon in the executable's resources.
constexpr WORD kApplicationIconId = 1;
// Posted to a form's window to make the click that assistive technology asked for.
constexpr UINT kClickRequestMessage = WM_APP + 1;

Point pointFrom(LPARAM lParam) {
    // Signed: with the mouse captured, points left of or above the window are negative.
    return Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

DWORD extendedStyleFor(const NativeWindowStyle& style) {
    DWORD extended = 0;
    if (style.toolWindow) {
        extended |= WS_EX_TOOLWINDOW;
    }
    if (style.topmost) {
        extended |= WS_EX_TOPMOST;
    }
    if (style.noActivate) {
        extended |= WS_EX_NOACTIVATE;
    }
    if (style.alpha) {
        extended |= WS_EX_LAYERED;
    }
    return extended;
}

void setExtendedStyleBit(HWND window, DWORD bit, bool on) {
    const auto current = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    const DWORD wanted = on ? (current | bit) : (current & ~bit);
    if (wanted != current) {
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(wanted));
    }
}

Size clientSize(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return Size{client.right - client.left, client.bottom - client.top};
}

TTTOOLINFOW hintToolFor(HWND window) {
    TTTOOLINFOW tool{};
    // The version-2 size is understood by every tooltip implementation, themed or not.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = kHintTool;
    ::GetClientRect(window, &tool.rect);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

} // namespace

// ---- Win32NativeWindow ---------------------------------------------------------------------------

Win32NativeWindow::Win32NativeWindow(Win32FormHost& host, const NativeWindowStyle& style,
                                     NativeWindowEvents& events)
    : host_(host), events_(events), corners_(style.roundedCorners), noActivate_(style.noActivate) {
    const std::wstring title = toWide(style.title);
    const Rect& bounds = style.bounds;
    create(extendedStyleFor(style), kFormClass, title.c_str(), WS_POPUP | WS_CLIPCHILDREN, bounds.left,
           bounds.top, bounds.width(), bounds.height(), nullptr, host.instance());
    if (handle() == nullptr) {
        return;
    }
    host_.attach(*this);
    if (style.alpha) {
        ::SetLayeredWindowAttributes(handle(), 0, *style.alpha, LWA_ALPHA);
    }
    updateRegion(true);
    createTooltip();
    host_.styleTooltip(*this);
    // The form stores this window as soon as the constructor returns, before any message comes.
    accessibleReady_ = true;
}

Win32NativeWindow::~Win32NativeWindow() {
    if (handle() == nullptr) {
        return;
    }
    // The messages of the window's end (deactivation, hiding) must not reach the form: it is
    // usually the owner of this object and already half destroyed. destroyWindow cuts the link
    // before the window goes.
    windowDestroyed();
    destroyWindow();
}

void Win32NativeWindow::windowDestroyed() {
    host_.detach(*this);
    tooltip_ = nullptr; // owned by the window, so destroyed with it
}

LRESULT Win32NativeWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = handle();
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers everything, from a back buffer: erasing first would flicker
    case WM_PAINT: {
        PAINTSTRUCT paintInfo{};
        const HDC dc = ::BeginPaint(window, &paintInfo);
        if (dc != nullptr) {
            paint(dc, paintInfo.rcPaint);
        }
        ::EndPaint(window, &paintInfo);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        ::GetClientRect(window, &client);
        paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return handleMouse(message, wParam, lParam);
    case WM_MOUSEWHEEL: {
        // Unlike the other mouse messages, the wheel's point is in screen coordinates.
        POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ScreenToClient(window, &client);
        events_.onMouseWheel(Point{client.x, client.y}, GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
    case WM_MOUSEACTIVATE:
        if (noActivate_) {
            return MA_NOACTIVATE; // a click is handled, but the focus stays where it was
        }
        break;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        shownHint_.clear();
        events_.onMouseLeave();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const KeyModifiers modifiers{::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                                     ::GetKeyState(VK_MENU) < 0};
        const bool used = events_.onKeyDown(static_cast<int>(wParam), modifiers);
        if (message == WM_KEYDOWN) {
            return 0;
        }
        swallowSysChar_ = used;
        if (used) {
            return 0;
        }
        break; // Alt+F4, Alt+Space and the like stay the system's
    }
    case WM_SYSCHAR:
        if (swallowSysChar_) {
            swallowSysChar_ = false;
            return 0;
        }
        break;
    case WM_ACTIVATE: {
        const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
        events_.onActivate(LOWORD(wParam) != WA_INACTIVE);
        return result;
    }
    case WM_MOVE:
        events_.onBoundsChanged(bounds());
        return 0;
    case WM_SIZE: {
        updateRegion(false);
        if (tooltip_ != nullptr) {
            TTTOOLINFOW tool = hintToolFor(window);
            ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        ::InvalidateRect(window, nullptr, FALSE);
        events_.onBoundsChanged(bounds());
        return 0;
    }
    case WM_DPICHANGED:
        // The window went onto a monitor of another scale: the form takes the rectangle the system
        // suggests there (in physical pixels), lays itself out again and repaints.
        scaleTooltip();
        if (lParam != 0) {
            events_.onDpiChanged(HIWORD(wParam), toRect(*reinterpret_cast<const RECT*>(lParam)));
        }
        return 0;
    case WM_CLOSE:
        // Closing is the form's decision (most forms only hide): the window is never destroyed here.
        events_.onCloseRequest();
        return 0;
    case WM_NOTIFY:
        if (lParam != 0) {
            return handleNotify(*reinterpret_cast<NMHDR*>(lParam));
        }
        break;
    case WM_GETOBJECT:
        if (const LRESULT answer = answerGetObject(window, wParam, lParam, &accessibleFromHandle);
            answer != 0) {
            return answer;
        }
        break;
    case kClickRequestMessage:
        runClickRequest();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32NativeWindow::handleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const Point at = pointFrom(lParam);
    if (message == WM_MOUSEMOVE) {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = handle();
            trackingLeave_ = ::TrackMouseEvent(&track) != 0;
        }
        std::string hint = events_.hintAt(at);
        if (hint != shownHint_) {
            shownHint_ = std::move(hint);
            restartHint();
        }
    }
    // The tooltip learns of the pointer before the form acts, so the form's handler comes last.
    relayToTooltip(message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        events_.onMouseMove(at);
        break;
    case WM_LBUTTONDOWN:
        events_.onMouseDown(at, MouseButton::Left);
        break;
    case WM_RBUTTONDOWN:
        events_.onMouseDown(at, MouseButton::Right);
        break;
    case WM_MBUTTONDOWN:
        events_.onMouseDown(at, MouseButton::Middle);
        break;
    case WM_LBUTTONUP:
        events_.onMouseUp(at, MouseButton::Left);
        break;
    case WM_RBUTTONUP:
        events_.onMouseUp(at, MouseButton::Right);
        break;
    case WM_MBUTTONUP:
        events_.onMouseUp(at, MouseButton::Middle);
        break;
    case WM_LBUTTONDBLCLK:
        events_.onDoubleClick(at, MouseButton::Left);
        break;
    case WM_RBUTTONDBLCLK:
        events_.onDoubleClick(at, MouseButton::Right);
        break;
    case WM_MBUTTONDBLCLK:
        events_.onDoubleClick(at, MouseButton::Middle);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Win32NativeWindow::handleNotify(NMHDR& header) {
    if (header.hwndFrom != tooltip_ || tooltip_ == nullptr || header.code != TTN_GETDISPINFOW) {
        return 0;
    }
    // The notification carries no point: the hint is the one under the pointer now.
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(handle(), &cursor);
    hintBuffer_ = toWide(events_.hintAt(Point{cursor.x, cursor.y}));
    auto& request = reinterpret_cast<NMTTDISPINFOW&>(header);
    request.hinst = nullptr;
    request.szText[0] = L'\0';
    request.lpszText = hintBuffer_.data(); // kept alive by the member until the next request
    return 0;
}

void Win32NativeWindow::paint(HDC target, const RECT& area) {
    const Size size = clientSize(handle());
    if (size.width <= 0 || size.height <= 0) {
        return;
    }
    // Everything is drawn into a back buffer and copied once, so no half-drawn state is ever seen.
    const ScopedMemoryDc memory(::CreateCompatibleDC(target));
    const ScopedGdiObject buffer(memory ? ::CreateCompatibleBitmap(target, size.width, size.height)
                                        : nullptr);
    if (!memory || !buffer) {
        GdiCanvas direct(target, host_.fonts());
        events_.onPaint(direct);
        return;
    }
    const ScopedSelection selection(memory.get(), buffer.get());
    const RECT whole{0, 0, size.width, size.height};
    ::FillRect(memory.get(), &whole, ::GetSysColorBrush(COLOR_BTNFACE));
    {
        GdiCanvas canvas(memory.get(), host_.fonts());
        events_.onPaint(canvas);
    }
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(),
             area.left, area.top, SRCCOPY);
}

void Win32NativeWindow::createTooltip() {
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, handle(), nullptr, host_.instance(), nullptr);
    if (tooltip_ == nullptr) {
        return;
    }
    TTTOOLINFOW tool = hintToolFor(handle());
    if (::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) == FALSE) {
        ::DestroyWindow(tooltip_);
        tooltip_ = nullptr;
        return;
    }
    scaleTooltip();
}

void Win32NativeWindow::scaleTooltip() {
    if (tooltip_ == nullptr) {
        return;
    }
    const Scale scale{dpi()};
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale.physical(kMaxHintWidth));
    // The tooltip control picks its font at the system's scale; a window on a monitor of another
    // scale needs the font made for its own.
    const std::optional<LOGFONTW> wanted = host_.dpi().hintFont(scale.dpi);
    if (!wanted) {
        return;
    }
    ScopedGdiObject font(::CreateFontIndirectW(&*wanted));
    if (!font) {
        return;
    }
    ::SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    hintFont_ = std::move(font); // the old font is deleted only once the tooltip has let it go
}

void Win32NativeWindow::restartHint() {
    if (tooltip_ == nullptr) {
        return;
    }
    // Switching the tooltip off and on forgets that its one tool has had its turn, so the next
    // relayed move starts the delay again and the new text is asked for.
    ::SendMessageW(tooltip_, TTM_POP, 0, 0);
    ::SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void Win32NativeWindow::relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ == nullptr) {
        return;
    }
    MSG relayed{};
    relayed.hwnd = handle();
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(::GetMessageTime());
    ::GetCursorPos(&relayed.pt);
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void Win32NativeWindow::updateRegion(bool force) {
    if (handle() == nullptr) {
        return;
    }
    const Size size = clientSize(handle());
    if (!force && size == regionSize_) {
        return;
    }
    regionSize_ = size;
    if (corners_.width <= 0 || corners_.height <= 0) {
        ::SetWindowRgn(handle(), nullptr, TRUE);
        return;
    }
    // One pixel more than the window on the right and bottom, as the system's rounded rectangles
    // leave their last row and column out.
    const HRGN region =
        ::CreateRoundRectRgn(0, 0, size.width + 1, size.height + 1, corners_.width, corners_.height);
    if (region != nullptr && ::SetWindowRgn(handle(), region, TRUE) == 0) {
        ::DeleteObject(region); // the system owns the region only when it took it
    }
}

WindowId Win32NativeWindow::id() const {
    return toWindowId(handle());
}

int Win32NativeWindow::dpi() const {
    return host_.dpi().windowDpi(handle());
}

Rect Win32NativeWindow::bounds() const {
    RECT rect{};
    if (handle() == nullptr || ::GetWindowRect(handle(), &rect) == 0) {
        return {};
    }
    return toRect(rect);
}

void Win32NativeWindow::setBounds(const Rect& bounds) {
    if (handle() != nullptr) {
        ::SetWindowPos(handle(), nullptr, bounds.left, bounds.top, bounds.width(), bounds.height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool Win32NativeWindow::visible() const {
    return handle() != nullptr && ::IsWindowVisible(handle()) != 0;
}

void Win32NativeWindow::show(bool activate) {
    if (handle() == nullptr) {
        return;
    }
    // A window that never takes the focus shows without it, whatever the caller asked for.
    const bool takeFocus = activate && !noActivate_;
    ::ShowWindow(handle(), takeFocus ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (takeFocus) {
        ::SetForegroundWindow(handle());
    }
}

void Win32NativeWindow::hide() {
    if (handle() != nullptr) {
        ::ShowWindow(handle(), SW_HIDE);
    }
}

void Win32NativeWindow::setAlpha(std::optional<std::uint8_t> alpha) {
    if (handle() == nullptr) {
        return;
    }
    if (alpha) {
        setExtendedStyleBit(handle(), WS_EX_LAYERED, true);
        ::SetLayeredWindowAttributes(handle(), 0, *alpha, LWA_ALPHA);
        return;
    }
    setExtendedStyleBit(handle(), WS_EX_LAYERED, false);
    // Leaving the layered state drops the window's picture: it has to be painted again.
    ::RedrawWindow(handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32NativeWindow::setRoundedCorners(Size corners) {
    corners_ = corners;
    updateRegion(true);
}

void Win32NativeWindow::setTopmost(bool topmost) {
    if (handle() != nullptr) {
        ::SetWindowPos(handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32NativeWindow::setTitle(const std::string& title) {
    if (handle() != nullptr) {
        ::SetWindowTextW(handle(), toWide(title).c_str());
    }
}

void Win32NativeWindow::invalidate() {
    if (handle() != nullptr) {
        ::InvalidateRect(handle(), nullptr, FALSE);
    }
}

void Win32NativeWindow::update() {
    if (handle() != nullptr) {
        ::UpdateWindow(handle());
    }
}

void Win32NativeWindow::setMouseCapture(bool captured) {
    if (handle() == nullptr) {
        return;
    }
    if (captured) {
        ::SetCapture(handle());
    } else if (::GetCapture() == handle()) {
        ::ReleaseCapture();
    }
}

// The focus event assistive technology follows: the form's client object, child item + 1.
void Win32NativeWindow::focusMoved(int item) {
    if (handle() != nullptr) {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, handle(), OBJID_CLIENT, item >= 0 ? item + 1 : CHILDID_SELF);
    }
}

std::vector<AccessibleItem> Win32NativeWindow::accessibleItems() const {
    return events_.accessibleItems();
}

void Win32NativeWindow::requestClick(int item, const AccessibleItem& seen) {
    if (handle() == nullptr) {
        return;
    }
    const bool queued = clickRequest_.has_value();
    clickRequest_ = ClickRequest{item, seen.name, seen.role};
    if (!queued && ::PostMessageW(handle(), kClickRequestMessage, 0, 0) == 0) {
        clickRequest_.reset();
    }
}

// The click goes the way a click of the mouse goes: over the item, down and up at its middle.
void Win32NativeWindow::runClickRequest() {
    const std::optional<ClickRequest> request = std::exchange(clickRequest_, std::nullopt);
    if (!request || request->item < 0) {
        return;
    }
    const std::vector<AccessibleItem> items = events_.accessibleItems();
    const auto index = static_cast<std::size_t>(request->item);
    // The form changed since the request: no click on whatever stands there now.
    if (index >= items.size() || items[index].name != request->name || items[index].role != request->role) {
        return;
    }
    const Rect& bounds = items[index].bounds;
    const Point middle{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    events_.onMouseMove(middle);
    events_.onMouseDown(middle, MouseButton::Left);
    events_.onMouseUp(middle, MouseButton::Left);
    // The pointer itself never moved: the form learns where it is.
    POINT cursor{};
    if (handle() != nullptr && ::GetCursorPos(&cursor) != 0 && ::WindowFromPoint(cursor) == handle() &&
        ::ScreenToClient(handle(), &cursor) != 0) {
        events_.onMouseMove(Point{cursor.x, cursor.y});
    } else {
        events_.onMouseLeave();
    }
}

AccessibleWindow* Win32NativeWindow::accessibleFromHandle(HWND window) {
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) {
        return nullptr;
    }
    wchar_t className[64] = {};
    if (::GetClassNameW(window, className, 64) == 0 || std::wcscmp(className, kFormClass) != 0) {
        return nullptr;
    }
    // Every window of the class is one of these (see Win32FormHost's constructor).
    auto* native = static_cast<Win32NativeWindow*>(MessageWindow::fromHandle(window));
    return native != nullptr && native->accessibleReady_ ? native : nullptr;
}

void Win32NativeWindow::refreshHint() {
    if (handle() == nullptr || tooltip_ == nullptr) {
        return;
    }
    restartHint();
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) != handle()) {
        shownHint_.clear();
        return;
    }
    // The pointer stays where it is: tell the tooltip it is there, so the delay starts now.
    POINT client = cursor;
    ::ScreenToClient(handle(), &client);
    shownHint_ = events_.hintAt(Point{client.x, client.y});
    relayToTooltip(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// ---- Win32FormHost -------------------------------------------------------------------------------

Win32FormHost::Win32FormHost() : instance_(::GetModuleHandleW(nullptr)) {
    comInitialised_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Win32NativeWindow::windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kApplicationIconId));
    windowClass.lpszClassName = kFormClass;
    // Another host in the same process (tests) finds the class registered, which serves as well.
    windowClass_ = ::RegisterClassExW(&windowClass);

    themeLibrary_ = loadSystemLibrary(L"uxtheme.dll");
    setWindowTheme_ = procAddress<SetWindowThemeFunction>(themeLibrary_.get(), "SetWindowTheme");
}

Win32FormHost::~Win32FormHost() {
    if (windowClass_ != 0 && windows_.empty()) {
        ::UnregisterClassW(kFormClass, instance_);
    }
    if (comInitialised_) {
        ::CoUninitialize();
    }
}

const wchar_t* Win32FormHost::windowClassName() {
    return kFormClass;
}

std::unique_ptr<NativeWindow> Win32FormHost::createWindow(const NativeWindowStyle& style,
                                                          NativeWindowEvents& events) {
    // Should the system refuse the window, the object still stands and every call on it does
    // nothing, so a form never has to check.
    return std::make_unique<Win32NativeWindow>(*this, style, events);
}

Point Win32FormHost::cursorPosition() const {
    POINT cursor{};
    if (::GetCursorPos(&cursor) == 0) {
        return {};
    }
    return Point{cursor.x, cursor.y};
}

void Win32FormHost::setHintStyle(const HintStyle& style) {
    hintStyle_ = style;
    for (Win32NativeWindow* window : windows_) {
        styleTooltip(*window);
    }
}

Size Win32FormHost::measureText(std::string_view utf8, const Font& font) {
    const ScopedWindowDc screen(nullptr);
    if (!screen) {
        return {};
    }
    GdiCanvas canvas(screen.get(), fonts_);
    return canvas.measureText(utf8, font);
}

void Win32FormHost::quit(int exitCode) {
    ::PostQuitMessage(exitCode);
}

void Win32FormHost::attach(Win32NativeWindow& window) {
    windows_.push_back(&window);
}

void Win32FormHost::detach(const Win32NativeWindow& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void Win32FormHost::styleTooltip(Win32NativeWindow& window) {
    const HWND tooltip = window.tooltip();
    if (tooltip == nullptr || !hintStyle_) {
        return;
    }
    // A themed tooltip paints its own background and ignores the colour: the colour the program
    // chose needs the classic look.
    if (setWindowTheme_ != nullptr) {
        setWindowTheme_(tooltip, L"", L"");
    }
    ::SendMessageW(tooltip, TTM_SETTIPBKCOLOR, toColorRef(hintStyle_->background), 0);
    const auto milliseconds = [](int ms) { return MAKELPARAM(std::clamp(ms, 0, 0x7FFF), 0); };
    ::SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, milliseconds(hintStyle_->delayMs));
    ::SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, milliseconds(hintStyle_->displayMs));
}

} // namespace cellaro::win32
