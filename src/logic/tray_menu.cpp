// The tray menu's items and captions (PopupAPopup).
#include "logic/tray_menu.h"

namespace cellaro {

namespace {

MenuItem item(std::string name, std::string caption, const TrayMenuState& state) {
    MenuItem result;
    result.id = trayMenuId(name);
    const std::optional<CommandCall> call = commandOfTrayItem(name);
    result.enabled = !call || !state.available || state.available(*call);
    result.name = std::move(name);
    result.caption = std::move(caption);
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
    items.push_back(item("SSM", "Show Cellaro \t" + shortcut(5), state));
    items.push_back(
        item("fsGrid", (twoMonitors ? "Fullscreen grid - monitor 1\t" : "Fullscreen grid\t") + shortcut(107),
             state));
    MenuItem second = item("fsgrid2", "Fullscreen grid - monitor 2\t" + shortcut(108), state);
    second.visible = twoMonitors;
    items.push_back(std::move(second));
    items.push_back(item("ddd1", "Manage groups \t" + shortcut(15), state));
    items.push_back(item("FloatMernu1", "Groups navigation menu \t" + shortcut(30), state));
    items.push_back(separator());

    MenuItem arrangements = item("ControlderivedfromWindows1", "Controls derived from Windows", state);
    arrangements.id = 0;
    arrangements.enabled = true;
    arrangements.submenu.push_back(item("Cascade1", "Cascade", state));
    arrangements.submenu.push_back(item("ileVertical1", "Tile Vertical", state));
    arrangements.submenu.push_back(item("ileHorizontal1", "Tile Horizontal", state));
    items.push_back(std::move(arrangements));
    items.push_back(separator());

    items.push_back(item("Options1", "Settings", state));
    items.push_back(item("Start1", "Start new Cellaro", state));
    MenuItem autostart = item("loadAtStartUp", "Load Cellaro at Startup", state);
    autostart.checked = state.loadAtStartup;
    items.push_back(std::move(autostart));
    items.push_back(separator());

    MenuItem nextMonitor = item("MovetoNextMonitor1", "Move to next monitor\t" + shortcut(12), state);
    nextMonitor.visible = twoMonitors;
    items.push_back(std::move(nextMonitor));
    items.push_back(item("SwapWindows1", "Focus active window \t" + shortcut(102), state));
    items.push_back(separator());

    items.push_back(item("Help1", "Help", state));
    items.push_back(item("About1", "About", state));
    items.push_back(separator());
    items.push_back(item("Close1", "Exit", state));
    return items;
}

} // namespace cellaro
