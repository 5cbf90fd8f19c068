// Switching the displays off: the monitor-power system command, posted to the program's own hidden
// window, whose default handling asks the system. Not broadcast: every other program would get a
// copy, and a busy one handling it late would switch the displays off again after the user woke
// them.
#include "platform/win32/win32_display_power.h"

#include <windows.h>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"CellaroDisplayPower";

} // namespace

Win32DisplayPower::Win32DisplayPower() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MessageWindow::windowProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    // A second instance in the same process finds the class already there, which is fine.
    ::RegisterClassExW(&windowClass);
    // A top-level window (never shown): the system's default handling of the command is that of
    // top-level windows.
    create(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, ::GetModuleHandleW(nullptr));
}

Win32DisplayPower::~Win32DisplayPower() {
    if (handle() != nullptr) {
        destroyWindow();
    }
}

void Win32DisplayPower::turnDisplaysOff() {
    constexpr LPARAM kPowerOff = 2;
    if (handle() != nullptr) {
        ::PostMessageW(handle(), WM_SYSCOMMAND, SC_MONITORPOWER, kPowerOff);
    }
}

LRESULT Win32DisplayPower::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(handle(), message, wParam, lParam);
}

} // namespace cellaro::win32
