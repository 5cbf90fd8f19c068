// Switching the displays off: the monitor-power system command, posted so that nothing waits on it.
#include "platform/win32/win32_display_power.h"

#include <windows.h>

namespace cellaro::win32 {

void Win32DisplayPower::turnDisplaysOff() {
    constexpr LPARAM kPowerOff = 2;
    ::PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, kPowerOff);
}

} // namespace cellaro::win32
