// End-to-end probe: a console program run under Wine beside cellaro.exe that reports what the
// desktop holds (windows, monitors, the open popup menu, the tray tooltip, the autostart value) as
// tab-separated UTF-8 lines for the test scripts.
//
//   probe windows [all]     top-level windows (visible ones only unless "all")
//   probe find TITLE        top-level windows with exactly this title, visible or not
//   probe pid TITLE         process ids of the windows with this title
//   probe process EXE       process ids of the running programs with this file name
//   probe monitors          the monitors in enumeration order
//   probe menu              the items of the open popup menu, with their screen rectangles
//   probe tooltip           the text of the tooltip on show (a hint, not a notification balloon)
//   probe balloon           the text of the notification balloon on show
//   probe regrun NAME       the value NAME under the current user's Run key (64-bit view)
//   probe popup-demo X Y    shows a known popup menu at X,Y and prints the chosen command
//   probe maximize HWND     maximises that window (ShowWindow SW_SHOWMAXIMIZED)
//   probe restore HWND      restores that window (ShowWindow SW_RESTORE)
//   probe demo PREFIX COUNT LEFT TOP SECONDS
//                           COUNT answering windows "PREFIX 01" ..., 400 x 300, 40 apart
//   probe move HWND L T R B moves that window to the rectangle (MoveWindow)
//   probe foreground        the foreground window
//   probe hang TITLE SECS   opens a normal window with this title, prints its handle once it is
//                           shown, then stops answering messages for SECS seconds and exits
//   probe answers HWND      whether that window's thread answers a message within a short time
//   probe capture HWND      the window that holds the mouse capture on that window's thread, or
//                           none: a press on a window has been handled once its handler took it
//   probe doubleclick       the double-click time and the size of the double-click rectangle
//   probe setrun NAME VALUE sets NAME under the current user's Run key (64-bit view) to VALUE
//   probe memory EXE        the memory of the running program with this file name, as the system
//                           counts it (GetProcessMemoryInfo), in bytes: private bytes
//                           (PrivateUsage), the commit charge (PagefileUsage; the same figure on
//                           Windows, while Wine leaves PrivateUsage at 0 for another process and
//                           counts its anonymous resident memory here), the working set
//                           (WorkingSetSize) and its peak; and its handle count
//   probe idle EXE MS       waits at most MS milliseconds until the running program with this file
//                           name waits for input in its message loop (WaitForInputIdle): its
//                           start-up has run
//   probe dpi HWND          the dots per inch of that window, of the system and of the screen,
//                           and the small-icon size at the window's
//   probe dpichanged HWND L T R B
//                           sends that window WM_DPICHANGED at its own dots per inch with this
//                           suggested rectangle (on its own thread, through the hook library)
//   probe lock FILE MARKER SECS
//                           opens FILE with no sharing (every other open fails), prints a line once
//                           it holds it (with how a second open fared), and keeps it until the file
//                           MARKER no longer exists, at most SECS seconds
//   probe version FILE      the fixed file version in FILE's version resource, as four numbers
//   probe boxes             the visible dialog boxes (message boxes) with their texts and buttons
//   probe press-box CAPTION presses the button with this caption on every visible dialog box
//   probe accessible HWND   the window's client area as a screen reader reads it: the accessible
//                           object (AccessibleObjectFromWindow, OBJID_CLIENT) and each of its
//                           children, with role, state, name, value and screen rectangle, and the
//                           answers of the hit test, the navigation and the focus
//                           (probe_accessible.cpp has the fields)
//   probe accessible-do HWND CHILD
//                           the default action of that child of the window's client object
//                           (accDoDefaultAction), as a screen reader presses a button
//   probe focus-events PID COUNT SECONDS
//                           the focus events (EVENT_OBJECT_FOCUS) of that process, heard out of
//                           context, with each one's child id and name, until COUNT have come or
//                           SECONDS have passed
//
// The probe is per-monitor DPI aware, as cellaro.exe is, so every rectangle it reports or sets is
// in physical screen pixels whatever the scale.
//
// Exit status: 0 success, 1 nothing found, 2 usage or system error.
#include "probe_accessible.h"
#include "probe_output.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

using probe::escaped;
using probe::hex;
using probe::rectText;
using probe::write;

constexpr UINT kReplyTimeoutMs = 5000;

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring describeWindow(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    std::wstring alpha = L"none";
    BYTE alphaValue = 0;
    DWORD layeredFlags = 0;
    if ((exStyle & WS_EX_LAYERED) != 0 &&
        ::GetLayeredWindowAttributes(window, nullptr, &alphaValue, &layeredFlags) != FALSE &&
        (layeredFlags & LWA_ALPHA) != 0) {
        alpha = std::to_wstring(alphaValue);
    }
    return L"window\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\tpid=" +
           std::to_wstring(processId) + L"\tvisible=" +
           std::to_wstring(::IsWindowVisible(window) != FALSE ? 1 : 0) + L"\trect=" + rectText(rect) +
           L"\tstyle=" + hex(static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE))) + L"\texstyle=" +
           hex(exStyle) + L"\talpha=" + alpha + L"\tzoomed=" +
           std::to_wstring(::IsZoomed(window) != FALSE ? 1 : 0) + L"\ticonic=" +
           std::to_wstring(::IsIconic(window) != FALSE ? 1 : 0) + L"\tclass=" + escaped(className(window)) +
           L"\ttitle=" + escaped(windowText(window)) + L"\n";
}

int listWindows(bool includeHidden) {
    for (HWND window : topLevelWindows()) {
        if (includeHidden || ::IsWindowVisible(window) != FALSE) {
            write(describeWindow(window));
        }
    }
    return 0;
}

// The visible dialog boxes (class #32770) with their texts and buttons: one line per box,
// "box hwnd=... title=... text=... buttons=OK|Cancel" (the static texts joined by "|").
std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

bool isDialogBox(HWND window) {
    return ::IsWindowVisible(window) != FALSE && className(window) == L"#32770";
}

int listBoxes() {
    for (HWND window : topLevelWindows()) {
        if (!isDialogBox(window)) {
            continue;
        }
        std::wstring texts;
        std::wstring buttons;
        for (HWND child : childWindows(window)) {
            const std::wstring kind = className(child);
            std::wstring& into = ::lstrcmpiW(kind.c_str(), L"Button") == 0 ? buttons : texts;
            const std::wstring text = windowText(child);
            if (kind == L"Static" || ::lstrcmpiW(kind.c_str(), L"Button") == 0) {
                if (text.empty()) {
                    continue;
                }
                into += (into.empty() ? L"" : L"|") + text;
            }
        }
        write(L"box\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\ttitle=" +
              escaped(windowText(window)) + L"\ttext=" + escaped(texts) + L"\tbuttons=" + escaped(buttons) +
              L"\n");
    }
    return 0;
}

// Presses the button with this caption (ampersands ignored) on every visible dialog box that has
// one; 1 when there was none.
int pressBoxButton(const std::wstring& caption) {
    int pressed = 0;
    for (HWND window : topLevelWindows()) {
        if (!isDialogBox(window)) {
            continue;
        }
        for (HWND child : childWindows(window)) {
            std::wstring text = windowText(child);
            std::erase(text, L'&');
            if (::lstrcmpiW(className(child).c_str(), L"Button") == 0 && text == caption) {
                ::PostMessageW(child, BM_CLICK, 0, 0);
                ++pressed;
                break;
            }
        }
    }
    write(L"pressed\tcount=" + std::to_wstring(pressed) + L"\n");
    return pressed > 0 ? 0 : 1;
}

int findWindows(const std::wstring& title, bool processIdsOnly) {
    int found = 0;
    for (HWND window : topLevelWindows()) {
        if (windowText(window) != title) {
            continue;
        }
        ++found;
        if (processIdsOnly) {
            DWORD processId = 0;
            ::GetWindowThreadProcessId(window, &processId);
            write(std::to_wstring(processId) + L"\n");
        } else {
            write(describeWindow(window));
        }
    }
    return found > 0 ? 0 : 1;
}

int listProcesses(const std::wstring& executable) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 2;
    }
    int found = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE;
         more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, executable.c_str()) == 0) {
            write(std::to_wstring(entry.th32ProcessID) + L"\n");
            ++found;
        }
    }
    ::CloseHandle(snapshot);
    return found > 0 ? 0 : 1;
}

int listMonitors() {
    std::vector<HMONITOR> monitors;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HMONITOR>*>(context)->push_back(monitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    for (size_t index = 0; index < monitors.size(); ++index) {
        MONITORINFOEXW info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(monitors[index], &info);
        write(L"monitor\tindex=" + std::to_wstring(index) + L"\trect=" + rectText(info.rcMonitor) +
              L"\twork=" + rectText(info.rcWork) + L"\tprimary=" +
              std::to_wstring((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0) + L"\tdevice=" +
              escaped(info.szDevice) + L"\n");
    }
    return monitors.empty() ? 1 : 0;
}

int readRunValue(const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                        KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        write(L"absent\n");
        return 1;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    LONG status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes);
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (status == ERROR_SUCCESS) {
        bytes = static_cast<DWORD>((value.size() - 1) * sizeof(wchar_t));
        status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                                    &bytes);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        write(L"absent\n");
        return 1;
    }
    value.resize(bytes / sizeof(wchar_t));
    const auto end = value.find(L'\0');
    if (end != std::wstring::npos) {
        value.resize(end);
    }
    write(std::wstring(type == REG_SZ ? L"value\t" : L"value-of-type-" + std::to_wstring(type) + L"\t") +
          escaped(value) + L"\n");
    return 0;
}

// The topmost visible top-level window of this class, if one is shown.
HWND shownWindowOfClass(const wchar_t* windowClass) {
    for (HWND window : topLevelWindows()) {
        if (::IsWindowVisible(window) != FALSE && className(window) == windowClass) {
            return window;
        }
    }
    return nullptr;
}

// Receives the hook's description.
LRESULT CALLBACK replyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* reply = reinterpret_cast<std::wstring*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (reply != nullptr && data != nullptr && data->lpData != nullptr) {
            reply->assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        }
        return TRUE;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Places the hook library on the window's thread; null (with an error line written) on failure.
HHOOK hookOwnerThread(HWND window) {
    wchar_t probePath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, probePath, MAX_PATH);
    std::wstring libraryPath = probePath;
    libraryPath.resize(libraryPath.find_last_of(L"\\/") + 1);
    libraryPath += L"probe_hook.dll";
    HMODULE library = ::LoadLibraryW(libraryPath.c_str());
    const auto hookProcedure = library == nullptr ? nullptr
                                                  : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                        ::GetProcAddress(library, "probeCallWndProc")));
    if (hookProcedure == nullptr) {
        write(L"error\tcannot load " + escaped(libraryPath) + L"\n");
        return nullptr;
    }
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, hookProcedure, library,
                                     ::GetWindowThreadProcessId(window, nullptr));
    if (hook == nullptr) {
        write(L"error\tSetWindowsHookEx failed " + std::to_wstring(::GetLastError()) + L"\n");
    }
    return hook;
}

// Menu items and tooltip texts live in the owning process, and Wine (unlike Windows) does not let
// another process read them through the handle. So the hook library is placed on the window's
// thread, reads them there and sends back its lines, which this returns (empty on failure, with an
// error line written).
std::wstring askOwnerThread(HWND window) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = replyProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CellaroProbeReply";
    ::RegisterClassW(&windowClass);
    HWND replyWindow = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                         nullptr, windowClass.hInstance, nullptr);
    std::wstring reply;
    ::SetWindowLongPtrW(replyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));

    HHOOK hook = hookOwnerThread(window);
    if (hook == nullptr) {
        ::DestroyWindow(replyWindow);
        return {};
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, ::RegisterWindowMessageW(L"CellaroProbeDescribeMenu"),
                          reinterpret_cast<WPARAM>(replyWindow), 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                          &ignored);
    ::UnhookWindowsHookEx(hook);
    ::DestroyWindow(replyWindow);
    if (reply.empty()) {
        write(L"error\tno reply from the window's thread\n");
    }
    return reply;
}

// The window gets WM_DPICHANGED with this suggested rectangle at its own dots per inch, sent on its
// own thread by the hook library.
int sendDpiChanged(HWND window, const RECT& suggested) {
    if (::IsWindow(window) == FALSE) {
        write(L"error\tno such window\n");
        return 1;
    }
    HHOOK hook = hookOwnerThread(window);
    if (hook == nullptr) {
        return 2;
    }
    DWORD_PTR ignored = 0;
    const LRESULT sent =
        ::SendMessageTimeoutW(window, ::RegisterWindowMessageW(L"CellaroProbeDpiChanged"),
                              MAKEWPARAM(static_cast<WORD>(suggested.left), static_cast<WORD>(suggested.top)),
                              MAKELPARAM(static_cast<WORD>(suggested.right - suggested.left),
                                         static_cast<WORD>(suggested.bottom - suggested.top)),
                              SMTO_ABORTIFHUNG, kReplyTimeoutMs, &ignored);
    ::UnhookWindowsHookEx(hook);
    if (sent == 0) {
        write(L"error\tthe window's thread did not answer\n");
        return 2;
    }
    write(L"dpichanged\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\tsuggested=" +
          rectText(suggested) + L"\n");
    return 0;
}

int describeOpenMenu() {
    HWND menuWindow = shownWindowOfClass(L"#32768");
    if (menuWindow == nullptr) {
        write(L"error\tno open menu\n");
        return 1;
    }
    RECT menuRect{};
    ::GetWindowRect(menuWindow, &menuRect);
    // How many items this process can see through the handle itself: the count on Windows, -1
    // under Wine, where menus are private to their process.
    DWORD_PTR handle = 0;
    ::SendMessageTimeoutW(menuWindow, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &handle);
    const int directCount = ::GetMenuItemCount(reinterpret_cast<HMENU>(handle));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(menuWindow, &processId);
    const std::wstring reply = askOwnerThread(menuWindow);
    if (reply.empty()) {
        return 2;
    }
    write(L"menu\thwnd=" + hex(reinterpret_cast<UINT_PTR>(menuWindow)) + L"\tpid=" +
          std::to_wstring(processId) + L"\trect=" + rectText(menuRect) + L"\thandle=" + hex(handle) +
          L"\tdirect-count=" + std::to_wstring(directCount) + L"\n");
    write(reply);
    return 0;
}

// The first shown tooltip window that is a notification balloon (the TTS_BALLOON style), or the
// first that is not.
HWND shownTooltip(bool balloon) {
    constexpr LONG kBalloonStyle = 0x40; // TTS_BALLOON
    for (HWND window : topLevelWindows()) {
        if (::IsWindowVisible(window) != FALSE && className(window) == L"tooltips_class32" &&
            ((::GetWindowLongW(window, GWL_STYLE) & kBalloonStyle) != 0) == balloon) {
            return window;
        }
    }
    return nullptr;
}

int describeShownTooltip(bool balloon) {
    HWND tooltip = shownTooltip(balloon);
    if (tooltip == nullptr) {
        write(balloon ? L"error\tno balloon shown\n" : L"error\tno tooltip shown\n");
        return 1;
    }
    const std::wstring reply = askOwnerThread(tooltip);
    write(reply);
    return reply.rfind(L"tooltip\t", 0) == 0 ? 0 : 2;
}

// A window that pops up a known menu, so the rig can check the menu reader against known items.
int popupDemo(int x, int y) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CellaroProbeDemo";
    ::RegisterClassW(&windowClass);
    HWND owner = ::CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Probe demo", WS_POPUP, 0, 0,
                                   1, 1, nullptr, nullptr, windowClass.hInstance, nullptr);
    HMENU submenu = ::CreatePopupMenu();
    ::AppendMenuW(submenu, MF_STRING, 21, L"Inner one");
    ::AppendMenuW(submenu, MF_STRING, 22, L"Inner two");
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 11, L"First \tAlt+1");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"More");
    ::AppendMenuW(menu, MF_STRING | MF_CHECKED, 12, L"Checked");
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 13, L"Grayed");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, 14, L"Exit");
    ::SetForegroundWindow(owner);
    // Nobody may hold the menu open for ever.
    ::SetTimer(nullptr, 0, 30000, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
    write(L"chosen\tid=" + std::to_wstring(chosen) + L"\n");
    ::DestroyMenu(menu);
    ::DestroyWindow(owner);
    return chosen != 0 ? 0 : 1;
}

// The handle as the window lines print it ("0x1a2b").
HWND parsedHandle(const std::wstring& text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(text.c_str(), nullptr, 16)));
}

int showWindow(HWND window, int command) {
    if (::IsWindow(window) == FALSE) {
        write(L"error\tno such window\n");
        return 1;
    }
    ::ShowWindow(window, command);
    write(describeWindow(window));
    return 0;
}

int moveWindow(HWND window, const RECT& rect) {
    if (::IsWindow(window) == FALSE) {
        write(L"error\tno such window\n");
        return 1;
    }
    ::MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    write(describeWindow(window));
    return 0;
}

int describeForeground() {
    HWND window = ::GetForegroundWindow();
    if (window == nullptr) {
        write(L"none\n");
        return 1;
    }
    write(describeWindow(window));
    return 0;
}

// A window that stops answering: shown and painted first, then its thread sleeps without looking at
// its message queue, as a program busy in a long computation does.
int hangingWindow(const std::wstring& title, int seconds) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"CellaroProbeHung";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 200,
                                    200, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        write(L"error\tCreateWindowEx failed " + std::to_wstring(::GetLastError()) + L"\n");
        return 2;
    }
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    ::SetForegroundWindow(window);
    // Answers for a moment, so that it is mapped and painted and can be made the foreground window.
    constexpr DWORD kAnsweringMs = 500;
    const DWORD answeringSince = ::GetTickCount();
    while (::GetTickCount() - answeringSince < kAnsweringMs) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    write(L"hung\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\tpid=" +
          std::to_wstring(::GetCurrentProcessId()) + L"\n");
    ::FlushFileBuffers(::GetStdHandle(STD_OUTPUT_HANDLE));
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

// COUNT answering windows titled "PREFIX 01", "PREFIX 02" ..., 400 x 300, 40 pixels apart from
// (LEFT, TOP), shown without activation; prints one line per window, then runs their messages until
// SECONDS have passed or every window was closed.
LRESULT CALLBACK demoWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostMessageW(nullptr, WM_APP, 0, 0);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

int demoWindows(const std::wstring& prefix, int count, int left, int top, int seconds) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = demoWindowProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"CellaroProbeDemo";
    ::RegisterClassW(&windowClass);
    int open = 0;
    for (int index = 1; index <= count; ++index) {
        wchar_t number[8]{};
        ::swprintf(number, 8, L"%02d", index);
        const std::wstring title = prefix + L" " + number;
        HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                        left + (index - 1) * 40, top + (index - 1) * 40, 400, 300, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
        if (window == nullptr) {
            write(L"error\tCreateWindowEx failed " + std::to_wstring(::GetLastError()) + L"\n");
            return 2;
        }
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        ::UpdateWindow(window);
        write(L"demo\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\ttitle=" + title + L"\n");
        ++open;
    }
    ::FlushFileBuffers(::GetStdHandle(STD_OUTPUT_HANDLE));
    const DWORD since = ::GetTickCount();
    while (open > 0 && ::GetTickCount() - since < static_cast<DWORD>(seconds) * 1000) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.hwnd == nullptr && message.message == WM_APP) {
                --open;
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}

// Whether the window's thread answers within a short time, and whether the system calls it hung.
int describeAnswering(HWND window) {
    if (::IsWindow(window) == FALSE) {
        write(L"error\tno such window\n");
        return 1;
    }
    constexpr UINT kAnswerTimeoutMs = 300;
    DWORD_PTR ignored = 0;
    const DWORD asked = ::GetTickCount();
    const bool answered =
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored) != 0;
    write(L"answers\thwnd=" + hex(reinterpret_cast<UINT_PTR>(window)) + L"\treply=" +
          std::to_wstring(answered ? 1 : 0) + L"\tms=" + std::to_wstring(::GetTickCount() - asked) +
          L"\thung=" + std::to_wstring(::IsHungAppWindow(window) != FALSE ? 1 : 0) + L"\n");
    return 0;
}

// The mouse capture of the window's thread (GetGUIThreadInfo, which answers for another process).
int describeCapture(HWND window) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (thread == 0) {
        write(L"error\tno such window\n");
        return 1;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (::GetGUIThreadInfo(thread, &info) == FALSE) {
        write(L"error\tGetGUIThreadInfo failed\n");
        return 2;
    }
    write(L"capture\thwnd=" +
          (info.hwndCapture != nullptr ? hex(reinterpret_cast<UINT_PTR>(info.hwndCapture))
                                       : std::wstring(L"none")) +
          L"\n");
    return 0;
}

int describeDoubleClick() {
    write(L"doubleclick\tms=" + std::to_wstring(::GetDoubleClickTime()) + L"\twidth=" +
          std::to_wstring(::GetSystemMetrics(SM_CXDOUBLECLK)) + L"\theight=" +
          std::to_wstring(::GetSystemMetrics(SM_CYDOUBLECLK)) + L"\n");
    return 0;
}

int writeRunValue(const std::wstring& name, const std::wstring& value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr,
                          0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        write(L"error\tcannot open the Run key\n");
        return 2;
    }
    const LONG status =
        ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        write(L"error\tRegSetValueEx failed " + std::to_wstring(status) + L"\n");
        return 2;
    }
    write(L"value\t" + escaped(value) + L"\n");
    return 0;
}

int waitInputIdle(const std::wstring& executable, DWORD timeoutMs) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 2;
    }
    DWORD processId = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE && processId == 0;
         more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, executable.c_str()) == 0) {
            processId = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    if (processId == 0) {
        write(L"error\tno process " + escaped(executable) + L"\n");
        return 1;
    }
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        write(L"error\tOpenProcess failed " + std::to_wstring(::GetLastError()) + L"\n");
        return 2;
    }
    const DWORD started = ::GetTickCount();
    const DWORD result = ::WaitForInputIdle(process, timeoutMs);
    const DWORD waited = ::GetTickCount() - started;
    ::CloseHandle(process);
    const std::wstring state = result == 0 ? L"idle" : result == WAIT_TIMEOUT ? L"busy" : L"failed";
    write(L"idle\tpid=" + std::to_wstring(processId) + L"\tstate=" + state + L"\tms=" +
          std::to_wstring(waited) + L"\n");
    return result == 0 ? 0 : 1;
}

// The first running process with this file name, or 0.
DWORD processIdOf(const std::wstring& executable) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD processId = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE && processId == 0;
         more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, executable.c_str()) == 0) {
            processId = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    return processId;
}

// memory EXE: one line "memory pid=N private=B pagefile=B workingset=B peakworkingset=B handles=N"
// (bytes; the handle count is "unknown" where the system does not tell it: every running process
// holds some handles, so a count of 0 is not an answer).
int describeMemory(const std::wstring& executable) {
    const DWORD processId = processIdOf(executable);
    if (processId == 0) {
        write(L"error\tno process " + escaped(executable) + L"\n");
        return 1;
    }
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    }
    if (process == nullptr) {
        write(L"error\tOpenProcess failed " + std::to_wstring(::GetLastError()) + L"\n");
        return 2;
    }
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    const BOOL read = ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                             sizeof(counters));
    const DWORD error = ::GetLastError();
    DWORD handles = 0;
    const BOOL counted = ::GetProcessHandleCount(process, &handles);
    ::CloseHandle(process);
    if (read == FALSE) {
        write(L"error\tGetProcessMemoryInfo failed " + std::to_wstring(error) + L"\n");
        return 2;
    }
    write(L"memory\tpid=" + std::to_wstring(processId) + L"\tprivate=" +
          std::to_wstring(counters.PrivateUsage) + L"\tpagefile=" + std::to_wstring(counters.PagefileUsage) +
          L"\tworkingset=" + std::to_wstring(counters.WorkingSetSize) + L"\tpeakworkingset=" +
          std::to_wstring(counters.PeakWorkingSetSize) + L"\thandles=" +
          (counted != FALSE && handles > 0 ? std::to_wstring(handles) : std::wstring(L"unknown")) + L"\n");
    return 0;
}

bool fileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Holds the file open with no sharing, so every other open of it fails with a sharing violation,
// until the marker file is gone (the script's signal) or the time is up, whichever comes first.
int holdFileLocked(const std::wstring& path, const std::wstring& marker, int seconds) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0 /*share*/, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        write(L"error\tCreateFile failed " + std::to_wstring(::GetLastError()) + L"\n");
        return 2;
    }
    // Another open, as cellaro.exe's read makes it, now fails: checked here so the script knows.
    HANDLE second = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD secondError = second == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    if (second != INVALID_HANDLE_VALUE) {
        ::CloseHandle(second);
    }
    write(L"locked\tfile=" + escaped(path) + L"\tsecond-open=" +
          (secondError == ERROR_SHARING_VIOLATION ? std::wstring(L"sharing-violation")
                                                  : std::to_wstring(secondError)) +
          L"\n");
    ::FlushFileBuffers(::GetStdHandle(STD_OUTPUT_HANDLE));
    constexpr DWORD kLookIntervalMs = 50;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    bool markerGone = !fileExists(marker);
    while (!markerGone && ::GetTickCount64() < deadline) {
        ::Sleep(kLookIntervalMs);
        markerGone = !fileExists(marker);
    }
    ::CloseHandle(file);
    write(std::wstring(L"released\treason=") + (markerGone ? L"marker" : L"timeout") + L"\n");
    return markerGone ? 0 : 1;
}

// Functions of newer systems, looked up by name.
template <typename Function> Function user32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

// Without this an unaware probe would see (and set) rectangles scaled to 96 dots per inch.
void becomeDpiAware() {
    using SetContextFunction = BOOL(WINAPI*)(HANDLE);
    const auto setContext = user32Function<SetContextFunction>("SetProcessDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext == nullptr || setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) == FALSE) {
        ::SetProcessDPIAware();
    }
}

int describeDpi(HWND window) {
    if (::IsWindow(window) == FALSE) {
        return 1;
    }
    using ForWindowFunction = UINT(WINAPI*)(HWND);
    using ForSystemFunction = UINT(WINAPI*)();
    using MetricFunction = int(WINAPI*)(int, UINT);
    const auto forWindow = user32Function<ForWindowFunction>("GetDpiForWindow");
    const auto forSystem = user32Function<ForSystemFunction>("GetDpiForSystem");
    const auto metric = user32Function<MetricFunction>("GetSystemMetricsForDpi");
    const HDC screen = ::GetDC(nullptr);
    const int screenDpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    const UINT windowDpi = forWindow != nullptr ? forWindow(window) : 0;
    const auto none = std::wstring(L"none");
    write(L"dpi\twindow=" + (forWindow != nullptr ? std::to_wstring(windowDpi) : none) + L"\tsystem=" +
          (forSystem != nullptr ? std::to_wstring(forSystem()) : none) + L"\tscreen=" +
          std::to_wstring(screenDpi) + L"\tsmicon=" +
          (metric != nullptr && windowDpi != 0 ? std::to_wstring(metric(SM_CXSMICON, windowDpi)) : none) +
          L"\tsmicon-plain=" + std::to_wstring(::GetSystemMetrics(SM_CXSMICON)) + L"\n");
    return 0;
}

// version FILE: the four numbers of the fixed file-version field, read as any program reads another
// file's version resource.
int describeVersion(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return 1;
    }
    std::vector<unsigned char> data(size);
    void* block = nullptr;
    UINT length = 0;
    if (::GetFileVersionInfoW(file.c_str(), 0, size, data.data()) == 0 ||
        ::VerQueryValueW(data.data(), L"\\", &block, &length) == 0 || length < sizeof(VS_FIXEDFILEINFO)) {
        return 1;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    write(L"version\tfile=" + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
          std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
          std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
          std::to_wstring(LOWORD(fixed->dwFileVersionLS)) + L"\n");
    return 0;
}

// hotkeys MODIFIERS:KEY...: whether each combination is free, tried with RegisterHotKey (and let go
// again at once); a combination another program holds cannot be registered.
int tryHotKeys(const std::vector<std::wstring>& combinations) {
    int identifier = 1;
    for (const std::wstring& combination : combinations) {
        const auto colon = combination.find(L':');
        if (colon == std::wstring::npos) {
            return 2;
        }
        const auto modifiers =
            static_cast<UINT>(std::wcstoul(combination.substr(0, colon).c_str(), nullptr, 0));
        const auto key = static_cast<UINT>(std::wcstoul(combination.substr(colon + 1).c_str(), nullptr, 0));
        const bool free = ::RegisterHotKey(nullptr, identifier, modifiers, key) != 0;
        if (free) {
            ::UnregisterHotKey(nullptr, identifier);
        }
        write(L"hotkey\tmodifiers=" + std::to_wstring(modifiers) + L"\tkey=" + std::to_wstring(key) +
              L"\tfree=" + (free ? L"1" : L"0") + L"\n");
        ++identifier;
    }
    return 0;
}

int usage() {
    write(L"usage: probe windows [all] | find TITLE | pid TITLE | process EXE | monitors | menu | tooltip | "
          L"balloon | "
          L"regrun NAME | popup-demo X Y | maximize HWND | restore HWND | move HWND L T R B | "
          L"foreground | hang TITLE SECONDS | answers HWND | capture HWND | doubleclick | "
          L"setrun NAME VALUE | idle EXE MS | memory EXE | dpi HWND | dpichanged HWND L T R B | "
          L"lock FILE MARKER SECONDS | hotkeys MODIFIERS:KEY... | demo PREFIX COUNT LEFT TOP SECONDS | "
          L"version FILE | accessible HWND | accessible-do HWND CHILD | focus-events PID COUNT SECONDS\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    becomeDpiAware();
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        return usage();
    }
    const std::wstring& verb = arguments[0];
    if (verb == L"boxes") {
        return listBoxes();
    }
    if (verb == L"press-box" && arguments.size() == 2) {
        return pressBoxButton(arguments[1]);
    }
    if (verb == L"windows") {
        return listWindows(arguments.size() > 1 && arguments[1] == L"all");
    }
    if (verb == L"find" && arguments.size() == 2) {
        return findWindows(arguments[1], false);
    }
    if (verb == L"pid" && arguments.size() == 2) {
        return findWindows(arguments[1], true);
    }
    if (verb == L"process" && arguments.size() == 2) {
        return listProcesses(arguments[1]);
    }
    if (verb == L"monitors") {
        return listMonitors();
    }
    if (verb == L"menu") {
        return describeOpenMenu();
    }
    if (verb == L"tooltip") {
        return describeShownTooltip(false);
    }
    if (verb == L"balloon") {
        return describeShownTooltip(true);
    }
    if (verb == L"regrun" && arguments.size() == 2) {
        return readRunValue(arguments[1]);
    }
    if (verb == L"popup-demo" && arguments.size() == 3) {
        return popupDemo(_wtoi(arguments[1].c_str()), _wtoi(arguments[2].c_str()));
    }
    if (verb == L"maximize" && arguments.size() == 2) {
        return showWindow(parsedHandle(arguments[1]), SW_SHOWMAXIMIZED);
    }
    if (verb == L"restore" && arguments.size() == 2) {
        return showWindow(parsedHandle(arguments[1]), SW_RESTORE);
    }
    if (verb == L"move" && arguments.size() == 6) {
        const RECT rect{_wtoi(arguments[2].c_str()), _wtoi(arguments[3].c_str()), _wtoi(arguments[4].c_str()),
                        _wtoi(arguments[5].c_str())};
        return moveWindow(parsedHandle(arguments[1]), rect);
    }
    if (verb == L"foreground") {
        return describeForeground();
    }
    if (verb == L"hang" && arguments.size() == 3) {
        return hangingWindow(arguments[1], _wtoi(arguments[2].c_str()));
    }
    if (verb == L"answers" && arguments.size() == 2) {
        return describeAnswering(parsedHandle(arguments[1]));
    }
    if (verb == L"capture" && arguments.size() == 2) {
        return describeCapture(parsedHandle(arguments[1]));
    }
    if (verb == L"doubleclick") {
        return describeDoubleClick();
    }
    if (verb == L"setrun" && arguments.size() == 3) {
        return writeRunValue(arguments[1], arguments[2]);
    }
    if (verb == L"idle" && arguments.size() == 3) {
        return waitInputIdle(arguments[1], static_cast<DWORD>(_wtoi(arguments[2].c_str())));
    }
    if (verb == L"memory" && arguments.size() == 2) {
        return describeMemory(arguments[1]);
    }
    if (verb == L"dpi" && arguments.size() == 2) {
        return describeDpi(parsedHandle(arguments[1]));
    }
    if (verb == L"dpichanged" && arguments.size() == 6) {
        const RECT rect{_wtoi(arguments[2].c_str()), _wtoi(arguments[3].c_str()), _wtoi(arguments[4].c_str()),
                        _wtoi(arguments[5].c_str())};
        return sendDpiChanged(parsedHandle(arguments[1]), rect);
    }
    if (verb == L"lock" && arguments.size() == 4) {
        return holdFileLocked(arguments[1], arguments[2], _wtoi(arguments[3].c_str()));
    }
    if (verb == L"demo" && arguments.size() == 6) {
        return demoWindows(arguments[1], _wtoi(arguments[2].c_str()), _wtoi(arguments[3].c_str()),
                           _wtoi(arguments[4].c_str()), _wtoi(arguments[5].c_str()));
    }
    if (verb == L"version" && arguments.size() == 2) {
        return describeVersion(arguments[1]);
    }
    if (verb == L"accessible" && arguments.size() == 2) {
        return probe::describeAccessible(parsedHandle(arguments[1]));
    }
    if (verb == L"accessible-do" && arguments.size() == 3) {
        return probe::doDefaultAction(parsedHandle(arguments[1]), _wtol(arguments[2].c_str()));
    }
    if (verb == L"focus-events" && arguments.size() == 4) {
        return probe::watchFocusEvents(static_cast<DWORD>(std::wcstoul(arguments[1].c_str(), nullptr, 10)),
                                       _wtoi(arguments[2].c_str()), _wtoi(arguments[3].c_str()));
    }
    if (verb == L"hotkeys" && arguments.size() > 1) {
        return tryHotKeys(std::vector<std::wstring>(arguments.begin() + 1, arguments.end()));
    }
    return usage();
}
