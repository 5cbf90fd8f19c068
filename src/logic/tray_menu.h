// The tray menu (PopupA): its items in display order, with the captions that are rebuilt each time
// it opens (PopupAPopup).
#pragma once

#include "platform/shell.h"

#include <functional>
#include <string>
#include <vector>

namespace cellaro {

// Command ids of the tray menu's items.
enum class TrayCommand : int {
    ShowCellaro = 1,
    FullScreenGrid,
    FullScreenGridMonitor2,
    ManageGroups,
    NavigationMenu,
    Cascade,
    TileVertical,
    TileHorizontal,
    Settings,
    StartNewInstance,
    LoadAtStartup,
    MoveToNextMonitor,
    FocusActiveWindow,
    Help,
    About,
    Exit,
};

struct TrayMenuState {
    int monitorCount = 1;
    bool loadAtStartup = false;
    // The shortcut text bound to a shortcut number, empty when none is bound.
    std::function<std::string(int)> shortcutText;
    // Whether a command can run yet; commands whose windows are not there are shown disabled.
    std::function<bool(TrayCommand)> available;
};

std::vector<MenuItem> buildTrayMenu(const TrayMenuState& state);

} // namespace cellaro
