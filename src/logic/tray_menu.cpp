// The tray menu's items and captions (PopupAPopup).
#include "logic/tray_menu.h"

namespace cellaro {

namespace {

MenuItem item(std::string name, std::string caption, TrayCommand command, const TrayMenuState& state) {
    MenuItem result;
    result.name = std::move(name);
    result.caption = std::move(caption);
    result.id = static_cast<int>(command);
    result.enabled = !state.available || state.available(command);
    return result;
}

MenuItem separator() {
    MenuItem result;
    result.separator = true;
    return result;
}

} // namespace

std::vector<MenuItem> buildTrayMenu(const TrayMenuState& state) {
    const auto shortcut = [&state](int number) {
        return state.shortcutText ? state.shortcutText(number) : std::string();
    };
    const bool twoMonitors = state.monitorCount >= 2;

    std::vector<MenuItem> items;
    items.push_back(item("SSM", "Show Cellaro \t" + shortcut(5), TrayCommand::ShowCellaro, state));
    items.push_back(
        item("fsGrid", (twoMonitors ? "Fullscreen grid - monitor 1\t" : "Fullscreen grid\t") + shortcut(107),
             TrayCommand::FullScreenGrid, state));
    MenuItem second = item("fsgrid2", "Fullscreen grid - monitor 2\t" + shortcut(108),
                           TrayCommand::FullScreenGridMonitor2, state);
    second.visible = twoMonitors;
    items.push_back(std::move(second));
    items.push_back(item("ddd1", "Manage groups \t" + shortcut(15), TrayCommand::ManageGroups, state));
    items.push_back(
        item("FloatMernu1", "Groups navigation menu \t" + shortcut(30), TrayCommand::NavigationMenu, state));
    items.push_back(separator());

    MenuItem arrangements =
        item("ControlderivedfromWindows1", "Controls derived from Windows", TrayCommand{}, state);
    arrangements.id = 0;
    arrangements.enabled = true;
    arrangements.submenu.push_back(item("Cascade1", "Cascade", TrayCommand::Cascade, state));
    arrangements.submenu.push_back(item("ileVertical1", "Tile Vertical", TrayCommand::TileVertical, state));
    arrangements.submenu.push_back(
        item("ileHorizontal1", "Tile Horizontal", TrayCommand::TileHorizontal, state));
    items.push_back(std::move(arrangements));
    items.push_back(separator());

    items.push_back(item("Options1", "Settings", TrayCommand::Settings, state));
    items.push_back(item("Start1", "Start new Cellaro", TrayCommand::StartNewInstance, state));
    MenuItem autostart = item("loadAtStartUp", "Load Cellaro at Startup", TrayCommand::LoadAtStartup, state);
    autostart.checked = state.loadAtStartup;
    items.push_back(std::move(autostart));
    items.push_back(separator());

    MenuItem nextMonitor = item("MovetoNextMonitor1", "Move to next monitor\t" + shortcut(12),
                                TrayCommand::MoveToNextMonitor, state);
    nextMonitor.visible = twoMonitors;
    items.push_back(std::move(nextMonitor));
    items.push_back(item("SwapWindows1", "Focus active window \t" + shortcut(102),
                         TrayCommand::FocusActiveWindow, state));
    items.push_back(separator());

    items.push_back(item("Help1", "Help", TrayCommand::Help, state));
    items.push_back(item("About1", "About", TrayCommand::About, state));
    items.push_back(separator());
    items.push_back(item("Close1", "Exit", TrayCommand::Exit, state));
    return items;
}

} // namespace cellaro
