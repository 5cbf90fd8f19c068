// The main tray form: start-up position rules, the tray icon and menu, autostart and shutdown.
#include "app/tray_form.h"

#include "app/program.h"
#include "config/config_keys.h"
#include "config/settings.h"
#include "core/product.h"
#include "forms/about/about_window.h"
#include "forms/highlight/active_window_highlight.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/settings/settings_window.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/full_screen_grid.h"
#include "forms/working/working_window.h"
#include "logic/grid_geometry.h"
#include "logic/program_flags.h"
#include "logic/shortcuts/shortcut_set.h"
#include "logic/tray_hint.h"
#include "logic/tray_menu.h"
#include "logic/window_commands.h"
#include "logic/working_mode.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace cellaro {

namespace {

constexpr std::string_view kUserGuide = "Cellaro-User-Guide.htm";
constexpr Size kParkedSize{10, 10};

NativeWindowStyle trayFormStyle() {
    NativeWindowStyle style;
    style.title = std::string(kProductName);
    style.bounds = Rect::fromBounds(153, 107, 120, 32);
    style.alpha = 2;
    style.toolWindow = true;
    return style;
}

} // namespace

TrayForm::TrayForm(Program& program)
    : Form(program.ports().host, "QstartForm", trayFormStyle()), program_(program) {
    root().setColour(Colour{8213760});
    keepHidden();
    program_.flags().oneShot = false;
    program_.flags().settingsOpen = false;
    loadSettings();
    setTop(kTrayFormParkedTop);
    const auto monitors = program_.ports().desktop.monitors();
    trayIcon_ = program_.ports().shell.createTrayIcon(
        fitTrayHint(startupTrayHint(static_cast<int>(monitors.size()), monitorIndex())), *this);
}

TrayForm::~TrayForm() = default;

int TrayForm::monitorIndex() const {
    return monitorIndexOfLeftAndWidth(bounds(), program_.ports().desktop.monitors());
}

void TrayForm::keepHidden() {
    const Rect current = bounds();
    if (current.width() != kParkedSize.width || current.height() != kParkedSize.height) {
        setBounds(Rect::fromBounds(current.left, -500, kParkedSize.width, kParkedSize.height));
    }
}

void TrayForm::moved(const Rect& /*bounds*/) {
    keepHidden();
}

// LoadSettings: the stored position, kept away from the primary screen's right and bottom edges. A
// position that lies on no monitor now (a monitor it was on has gone) comes back to the default
// place on the primary, where the user can reach it.
Point TrayForm::storedNavigationMenuPosition() const {
    const std::vector<Monitor> monitors = program_.ports().desktop.monitors();
    const Monitor primary = primaryMonitor(monitors);
    const int width = primary.bounds.width();
    const int height = primary.bounds.height();
    const int defaultLeft = width - config::kNavigationMenuLeftFromScreenRight;
    const SettingsModel& settings = program_.settings();
    int x = settings.navigationMenuLeft().value_or(defaultLeft);
    int y = settings.navigationMenuTop();
    if (x > width - 60) {
        x = width - 300;
    }
    if (y > height - 60) {
        y = height - 45;
    }
    if (!onAnyMonitor(
            Rect::fromBounds(x, y, NavigationMenu::kClientSize.width, NavigationMenu::kClientSize.height),
            monitors)) {
        return Point{primary.bounds.left + defaultLeft,
                     primary.bounds.top + config::kNavigationMenuTop.defaultValue};
    }
    return Point{x, y};
}

void TrayForm::loadSettings() {
    navigationMenuPosition_ = storedNavigationMenuPosition();
}

void TrayForm::settingsRead() {
    // The menu goes where the file says, unless the user has moved it since the start.
    NavigationMenu& menu = program_.navigationMenu();
    const Point stored = storedNavigationMenuPosition();
    if (Point{menu.bounds().left, menu.bounds().top} == navigationMenuPosition_) {
        menu.setBounds(Rect::fromBounds(stored.x, stored.y, menu.bounds().width(), menu.bounds().height()));
    }
    navigationMenuPosition_ = stored;
}

// SaveSettings: the navigation menu's current position. A position that stands in for one that
// could not be read is not written, unless the menu has moved since.
void TrayForm::saveSettings() {
    const Rect menu = program_.navigationMenu().bounds();
    const Point position{menu.left, menu.top};
    SettingsModel& settings = program_.settings();
    if (settings.unread(Setting::NavigationMenuPosition) && position == navigationMenuPosition_) {
        return;
    }
    settings.setNavigationMenuPosition(menu.left, menu.top);
}

bool TrayForm::autostartChecked() const {
    return program_.settings().loadAtStartup();
}

void TrayForm::toggleWorkingWindow() {
    WorkingWindow& working = program_.workingWindow();
    ProgramFlags& flags = program_.flags();
    if (working.visible() && program_.mode().fullScreen()) {
        working.returnToCompact();
        working.redrawBoard();
        working.close();
        return;
    }
    if (flags.oneShot) {
        working.setTop(kParkedTop);
    } else {
        const Monitor monitor = monitorAt(program_.ports().desktop.monitors(), monitorIndex());
        working.setTop(monitor.bounds.height() / 2 - working.bounds().height() / 2);
    }
    if (flags.settingsOpen) {
        return;
    }
    flags.oneShot = false;
    if (working.visible()) {
        working.close();
        return;
    }
    if (program_.settingsWindow().visible() || program_.windowList().visible()) {
        return;
    }
    working.statusStrip().showNothing();
    program_.ports().loop.processPendingMessages();
    working.startShowing();
}

// SSMClick
void TrayForm::showCellaro() {
    toggleWorkingWindow();
    program_.workingWindow().applyTheme();
    program_.workingWindow().redrawBoard();
}

// A check that could not be saved goes back to what it was: the file and the Run value stay as
// they are, and the user is told.
void TrayForm::toggleAutostart() {
    SettingsModel& settings = program_.settings();
    const FileWriteResult saved = settings.changeAndPersist(
        {Setting::LoadAtStartup}, [&settings] { settings.setLoadAtStartup(!settings.loadAtStartup()); });
    if (!saved.ok) {
        program_.reportError(saved.error);
        return;
    }
    syncRunEntry();
}

// Brings the Run value in line with the check mark. The path is quoted so that a program directory
// with blanks neither fails nor starts another program.
void TrayForm::syncRunEntry() {
    AutostartRegistry& registry = program_.ports().autostart;
    if (program_.settings().unread(Setting::LoadAtStartup)) {
        // The check mark stands in for a value that could not be read: the Run value stays.
        return;
    }
    if (program_.settings().loadAtStartup()) {
        registry.setRunValue(std::string(kProductName), "\"" + program_.programPath() + "\"");
    } else {
        registry.deleteRunValue(std::string(kProductName));
    }
}

void TrayForm::startNewInstance() {
    program_.ports().shell.startProgram(program_.programPath());
}

void TrayForm::openUserGuide() {
    const std::string guide = program_.programDirectory() + std::string(kUserGuide);
    if (!program_.ports().files.exists(guide)) {
        program_.reportError("The user guide was not found:\r\n" + guide);
        return;
    }
    if (!program_.ports().shell.openDocument(guide)) {
        program_.reportError("The user guide could not be opened:\r\n" + guide);
    }
}

std::vector<MenuItem> TrayForm::menuItems() const {
    TrayMenuState state;
    state.monitorCount = static_cast<int>(program_.ports().desktop.monitors().size());
    state.loadAtStartup = autostartChecked();
    state.shortcutText = [this](int number) { return program_.shortcuts().text(number); };
    state.available = [](TrayCommand command) {
        switch (command) {
        case TrayCommand::ShowCellaro:
        case TrayCommand::Cascade:
        case TrayCommand::TileVertical:
        case TrayCommand::TileHorizontal:
        case TrayCommand::StartNewInstance:
        case TrayCommand::LoadAtStartup:
        case TrayCommand::Help:
        case TrayCommand::FocusActiveWindow:
        case TrayCommand::Exit:
        case TrayCommand::MoveToNextMonitor:
        case TrayCommand::FullScreenGrid:
        case TrayCommand::FullScreenGridMonitor2:
        case TrayCommand::ManageGroups:
        case TrayCommand::NavigationMenu:
        case TrayCommand::About:
        case TrayCommand::Settings:
            return true;
        default:
            return false;
        }
    };
    return buildTrayMenu(state);
}

void TrayForm::runCommand(TrayCommand command) {
    Shell& shell = program_.ports().shell;
    switch (command) {
    case TrayCommand::ShowCellaro:
        showCellaro();
        break;
    case TrayCommand::Cascade:
        shell.cascadeWindows();
        break;
    case TrayCommand::TileVertical:
        shell.tileWindows(true);
        break;
    case TrayCommand::TileHorizontal:
        shell.tileWindows(false);
        break;
    case TrayCommand::StartNewInstance:
        startNewInstance();
        break;
    case TrayCommand::LoadAtStartup:
        toggleAutostart();
        break;
    case TrayCommand::Help:
        openUserGuide();
        break;
    case TrayCommand::MoveToNextMonitor:
        program_.windowCommands().moveToNextMonitor();
        break;
    case TrayCommand::FullScreenGrid:
        openFullScreenGrid(0); // fsGridClick
        break;
    case TrayCommand::FullScreenGridMonitor2:
        openFullScreenGrid(1); // fsgrid2Click
        break;
    case TrayCommand::FocusActiveWindow:
        program_.highlight().run(); // SwapWindows1Click
        break;
    case TrayCommand::ManageGroups:
        program_.manageGroupsFromTray(); // ddd1Click
        break;
    case TrayCommand::NavigationMenu:
        program_.toggleNavigationMenu(); // FloatMernu1Click
        break;
    case TrayCommand::About:
        showAbout();
        break;
    case TrayCommand::Settings:
        program_.openSettingsFromTray();
        break;
    case TrayCommand::Exit:
        close();
        break;
    default:
        break;
    }
}

void TrayForm::openFullScreenGrid(int monitor) {
    WorkingWindow& working = program_.workingWindow();
    ProgramFlags& flags = program_.flags();
    // The first monitor's item does nothing while the settings window shows.
    if (monitor == 0 && program_.settingsWindow().visible()) {
        return;
    }
    // Chosen again while the layer shows, the item takes it away.
    if (working.visible() && program_.mode().fullScreen()) {
        working.returnToCompact();
        working.close();
        return;
    }
    program_.ports().loop.processPendingMessages();
    if (program_.mode().fullScreen()) {
        return;
    }
    working.fullScreenGrid().chooseMonitor(monitor);
    working.setAlpha(2);
    flags.oneShot = true;
    if (!working.visible()) {
        working.setAlpha(10);
        toggleWorkingWindow();
    }
    working.enterFullScreen();
}

// About1Click: the full-screen grid goes away first; the about window then shows, once.
void TrayForm::showAbout() {
    WorkingWindow& working = program_.workingWindow();
    if (working.visible() && program_.mode().fullScreen()) {
        working.returnToCompact();
        working.close();
    }
    program_.aboutWindow().showOnce();
}

void TrayForm::setTrayHint(const std::string& hint) {
    trayIcon_->setHint(fitTrayHint(hint));
}

void TrayForm::onTrayLeftClick() {
    showCellaro();
}

void TrayForm::onTrayRightClick(Point cursor) {
    // The navigation menu leaves this window in front while it keeps itself on top.
    foregroundAtMenu_ = program_.ports().desktop.foregroundWindow();
    const auto chosen = program_.ports().shell.trackPopupMenu(menuItems(), cursor);
    if (chosen) {
        runCommand(static_cast<TrayCommand>(*chosen));
    }
}

bool TrayForm::closeQuery() {
    // A settings file that can't be written is reported once, but never keeps the user from leaving.
    saveSettings();
    const FileWriteResult saved = program_.settings().persist(
        {Setting::LoadAtStartup, Setting::SkipKillConfirmation, Setting::NavigationMenuPosition});
    if (!saved.ok) {
        program_.reportError(saved.error);
    }
    return true;
}

void TrayForm::closed() {
    syncRunEntry();
    trayIcon_->remove();
    program_.quit();
}

} // namespace cellaro
