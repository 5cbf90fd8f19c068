// The session's state from SystemParametersInfo.
#include "platform/win32/win32_system_state.h"

#include <windows.h>

namespace cellaro::win32 {

bool Win32SystemState::screenSaverRunning() const {
    BOOL running = FALSE;
    // A failed query counts as "not running": the caller then leaves the working window alone.
    if (::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) == FALSE) {
        return false;
    }
    return running != FALSE;
}

} // namespace cellaro::win32
