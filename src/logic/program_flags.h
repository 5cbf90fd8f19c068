// Program-wide flags that the tray form, the working window and the windows still to come share.
#pragma once

namespace cellaro {

struct ProgramFlags {
    bool settingsOpen = false; // the settings window or the window manager list is open
    bool oneShot = false;      // the working window closes after its one command
};

} // namespace cellaro
