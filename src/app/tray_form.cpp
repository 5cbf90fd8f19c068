// The main tray form: start-up position rules, the tray icon and menu, autostart and shutdown.
#include "app/tray_form.h"

#include "app/program.h"
#include "app/tray_hint.h"
#include "app/tray_menu.h"
#include "config/config_keys.h"
#include "grid/grid_geometry.h"
#include "grid/working_window.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace cellaro {

namespace {

constexpr std::string_view kRunValueName = "Cellaro";
constexpr std::string_view kUserGuide = "Cellaro-User-Guide.htm";
constexpr Size kParkedSize{10, 10};

NativeWindowStyle trayFormStyle() {
    NativeWindowStyle style;
    style.title = "Cellaro";
    style.bounds = Rect::fromBounds(153, 107, 120, 32);
    style.alpha = 2;
    style.toolWindow = true;
    return style;
}

Monitor primaryMonitor(const std::vector<Monitor>& monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) {
            return monitor;
        }
    }
    return monitors.empty() ? Monitor{} : monitors.front();
}

} // namespace

TrayForm::TrayForm(Program& program)
    : Form(program.ports().host, "QstartForm", trayFormStyle()), program_(program) {
    root().setColour(Colour{8213760});
    keepHidden();
    program_.flags().oneShot = false;
    program_.flags().settingsOpen = false;
    loadSettings();
    setTop(-3000);
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

// LoadSettings
void TrayForm::loadSettings() {
    const Monitor primary = primaryMonitor(program_.ports().desktop.monitors());
    const int width = primary.bounds.width();
    const int height = primary.bounds.height();
    const ConfigFile config = program_.openConfig();
    int x = config.readInteger(config::navigationMenuLeft(width));
    int y = config.readInteger(config::kNavigationMenuTop);
    if (x > width - 60) {
        x = width - 300;
    }
    if (y > height - 60) {
        y = height - 45;
    }
    navigationMenuPosition_ = Point{x, y};
}

// SaveSettings: the navigation menu's current position.
void TrayForm::saveSettings() {
    const Rect menu = program_.navigationMenu().bounds();
    navigationMenuPosition_ = Point{menu.left, menu.top};
    ConfigFile config = program_.openConfig();
    config.writeInteger(config::navigationMenuLeft(0), menu.left);
    config.writeInteger(config::kNavigationMenuTop, menu.top);
    program_.saveConfig(config);
}

void TrayForm::toggleWorkingWindow() {
    WorkingWindow& working = program_.workingWindow();
    ProgramFlags& flags = program_.flags();
    working.setBoardMenuEnabled(false);
    if (working.visible() && flags.fullScreen) {
        working.returnToCompact();
        flags.fullScreen = false;
        working.redrawBoard();
        working.close();
        return;
    }
    if (flags.oneShot) {
        working.setTop(-1000);
    } else {
        const auto monitors = program_.ports().desktop.monitors();
        const int index = monitorIndex();
        const int monitorHeight = static_cast<std::size_t>(index) < monitors.size()
                                      ? monitors[static_cast<std::size_t>(index)].bounds.height()
                                      : 0;
        working.setTop(monitorHeight / 2 - working.bounds().height() / 2);
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
    working.resetTargetDisplay();
    program_.ports().loop.processPendingMessages();
    working.startShowing();
}

// SSMClick
void TrayForm::showCellaro() {
    program_.flags().gridMenuRequest = false;
    toggleWorkingWindow();
    program_.workingWindow().applyTheme();
    program_.workingWindow().redrawBoard();
}

void TrayForm::toggleAutostart() {
    autostartChecked_ = !autostartChecked_;
    ConfigFile config = program_.openConfig();
    config.writeInteger(config::kLoadAtStartup, autostartChecked_ ? 1 : 0);
    if (!program_.saveConfig(config)) {
        return;
    }
    syncRunEntry();
}

// Brings the Run value in line with the check mark. The path is quoted so that a program directory
// with blanks neither fails nor starts another program.
void TrayForm::syncRunEntry() {
    AutostartRegistry& registry = program_.ports().autostart;
    if (autostartChecked_) {
        registry.setRunValue(std::string(kRunValueName), "\"" + program_.programPath() + "\"");
    } else {
        registry.deleteRunValue(std::string(kRunValueName));
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
    state.loadAtStartup = autostartChecked_;
    // Shortcut texts arrive with the shortcut table; until then no item shows one.
    state.shortcutText = [](int) { return std::string(); };
    state.available = [](TrayCommand command) {
        switch (command) {
        case TrayCommand::ShowCellaro:
        case TrayCommand::Cascade:
        case TrayCommand::TileVertical:
        case TrayCommand::TileHorizontal:
        case TrayCommand::StartNewInstance:
        case TrayCommand::LoadAtStartup:
        case TrayCommand::Help:
        case TrayCommand::Exit:
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
    case TrayCommand::Exit:
        close();
        break;
    default:
        break;
    }
}

void TrayForm::setTrayHint(const std::string& hint) {
    trayIcon_->setHint(fitTrayHint(hint));
}

void TrayForm::onTrayLeftClick() {
    program_.flags().gridMenuRequest = false;
    showCellaro();
}

void TrayForm::onTrayRightClick(Point cursor) {
    const auto chosen = program_.ports().shell.trackPopupMenu(menuItems(), cursor);
    if (chosen) {
        runCommand(static_cast<TrayCommand>(*chosen));
    }
}

bool TrayForm::closeQuery() {
    // A settings file that can't be written is reported, but never keeps the user from leaving.
    ConfigFile config = program_.openConfig();
    config.writeInteger(config::kLoadAtStartup, autostartChecked_ ? 1 : 0);
    config.writeBool(config::kSkipKillConfirmation, program_.flags().skipKillConfirmation);
    program_.saveConfig(config);
    saveSettings();
    return true;
}

void TrayForm::closed() {
    syncRunEntry();
    trayIcon_->remove();
    program_.quit();
}

} // namespace cellaro
