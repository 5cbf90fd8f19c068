// The tray menu (PopupA): its items in display order, with the captions that are rebuilt each time
// it opens (PopupAPopup).
#pragma once

#include "logic/commands.h"
#include "platform/shell.h"

#include <functional>
#include <string>
#include <vector>

namespace cellaro {

struct TrayMenuState {
    int monitorCount = 1;
    bool loadAtStartup = false;
    // The shortcut text bound to a shortcut number, empty when none is bound.
    std::function<std::string(int)> shortcutText;
    // Whether a command can run yet; commands whose windows are not there are shown disabled.
    std::function<bool(const CommandCall&)> available;
};

// The items' ids are the command table's tray menu ids (commandOfTrayMenuId gives the call back).
std::vector<MenuItem> buildTrayMenu(const TrayMenuState& state);

} // namespace cellaro
