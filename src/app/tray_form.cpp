// The main tray form: start-up position rules, the tray icon and menu, autostart and shutdown.
#include "app/tray_form.h"

#include "cellaro_version.h"
#include "config/config_keys.h"
#include "config/settings.h"
#include "core/monitors.h"
#include "core/product.h"
#include "forms/navmenu/navigation_menu.h"
#include "logic/tray_hint.h"
#include "logic/tray_menu.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/registry.h"

#include <utility>

namespace cellaro {

namespace {

constexpr Size kParkedSize{10, 10};

// The release zip of this version, by the name scripts/package.sh gives it.
std::string releaseZipName() {
    std::string name(kReleaseZipName);
    const std::string_view placeholder = "{version}";
    if (const auto at = name.find(placeholder); at != std::string::npos) {
        name.replace(at, placeholder.size(), kVersion);
    }
    return name;
}

// The program was copied without the guide: where it was looked for, and where it comes from.
std::string userGuideMissingText(const std::string& path) {
    return "The user guide was not found. Cellaro looks for it beside the program:\r\n" + path +
           "\r\n\r\nThe guide ships in the release zip, " + releaseZipName() +
           ", with cellaro.exe. Unzip the whole zip into one folder, or copy " +
           std::string(kUserGuideFileName) + " and its folder \"guide\" from the zip beside cellaro.exe.";
}

NativeWindowStyle trayFormStyle() {
    NativeWindowStyle style;
    style.title = std::string(kProductName);
    style.bounds = Rect::fromBounds(153, 107, 120, 32);
    style.alpha = 2;
    style.toolWindow = true;
    return style;
}

} // namespace

TrayForm::TrayForm(TrayFormServices services)
    : Form(services.host, "QstartForm", trayFormStyle()), services_(std::move(services)) {
    root().setColour(Colour{8213760});
    keepHidden();
    loadSettings();
    setTop(kTrayFormParkedTop);
    const auto monitors = services_.desktop.monitors();
    trayIcon_ = services_.shell.createTrayIcon(
        fitTrayHint(startupTrayHint(static_cast<int>(monitors.size()), monitorIndex())), *this);
}

TrayForm::~TrayForm() = default;

int TrayForm::monitorIndex() const {
    return monitorIndexOfLeftAndWidth(bounds(), services_.desktop.monitors());
}

Monitor TrayForm::monitor() const {
    return monitorAt(services_.desktop.monitors(), monitorIndex());
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
    const std::vector<Monitor> monitors = services_.desktop.monitors();
    const Monitor primary = primaryMonitor(monitors);
    const int width = primary.bounds.width();
    const int height = primary.bounds.height();
    const int defaultLeft = width - config::kNavigationMenuLeftFromScreenRight;
    const SettingsModel& settings = services_.settings;
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
    const Rect menu = services_.navigationMenuBounds();
    const Point stored = storedNavigationMenuPosition();
    if (Point{menu.left, menu.top} == navigationMenuPosition_) {
        services_.placeNavigationMenu(Rect::fromBounds(stored.x, stored.y, menu.width(), menu.height()));
    }
    navigationMenuPosition_ = stored;
}

// SaveSettings: the navigation menu's current position. A position that stands in for one that
// could not be read is not written, unless the menu has moved since.
void TrayForm::saveSettings() {
    const Rect menu = services_.navigationMenuBounds();
    const Point position{menu.left, menu.top};
    SettingsModel& settings = services_.settings;
    if (settings.unread(Setting::NavigationMenuPosition) && position == navigationMenuPosition_) {
        return;
    }
    settings.setNavigationMenuPosition(menu.left, menu.top);
}

bool TrayForm::autostartChecked() const {
    return services_.settings.loadAtStartup();
}

// A check that could not be saved goes back to what it was: the file and the Run value stay as
// they are, and the user is told.
void TrayForm::toggleAutostart() {
    SettingsModel& settings = services_.settings;
    const FileWriteResult saved = settings.changeAndPersist(
        {Setting::LoadAtStartup}, [&settings] { settings.setLoadAtStartup(!settings.loadAtStartup()); });
    if (!saved.ok) {
        services_.reportError(saved.error);
        return;
    }
    syncRunEntry();
}

// Brings the Run value in line with the check mark. The path is quoted so that a program directory
// with blanks neither fails nor starts another program.
void TrayForm::syncRunEntry() {
    AutostartRegistry& registry = services_.autostart;
    if (services_.settings.unread(Setting::LoadAtStartup)) {
        // The check mark stands in for a value that could not be read: the Run value stays.
        return;
    }
    if (services_.settings.loadAtStartup()) {
        registry.setRunValue(std::string(kProductName), "\"" + services_.programPath + "\"");
    } else {
        registry.deleteRunValue(std::string(kProductName));
    }
}

void TrayForm::startNewInstance() {
    services_.shell.startProgram(services_.programPath);
}

void TrayForm::openUserGuide() {
    const std::string guide = services_.programDirectory + std::string(kUserGuideFileName);
    if (!services_.files.exists(guide)) {
        services_.shell.messageBox(userGuideMissingText(guide), std::string(kProductName),
                                   MessageBoxButtons::Ok, MessageBoxIcon::Information);
        return;
    }
    if (!services_.shell.openDocument(guide)) {
        services_.reportError("The user guide could not be opened:\r\n" + guide);
    }
}

std::vector<MenuItem> TrayForm::menuItems() const {
    TrayMenuState state;
    state.monitorCount = static_cast<int>(services_.desktop.monitors().size());
    state.loadAtStartup = autostartChecked();
    state.shortcutText = services_.shortcutText;
    return buildTrayMenu(state);
}

void TrayForm::runCommand(const CommandCall& call) const {
    if (services_.run) {
        services_.run(call.from(CommandSource::Tray));
    }
}

void TrayForm::setTrayHint(const std::string& hint) {
    trayIcon_->setHint(fitTrayHint(hint));
}

void TrayForm::onTrayLeftClick() {
    runCommand(CommandCall::of(Command::ShowCellaro));
}

void TrayForm::onTrayRightClick(Point cursor) {
    // The navigation menu leaves this window in front while it keeps itself on top.
    foregroundAtMenu_ = services_.desktop.foregroundWindow();
    const auto chosen = services_.shell.trackPopupMenu(menuItems(), cursor);
    if (const std::optional<CommandCall> call = chosen ? commandOfTrayMenuId(*chosen) : std::nullopt) {
        runCommand(*call);
    }
}

bool TrayForm::closeQuery() {
    // A settings file that can't be written is reported once, but never keeps the user from leaving.
    saveSettings();
    const FileWriteResult saved = services_.settings.persist(
        {Setting::LoadAtStartup, Setting::SkipKillConfirmation, Setting::NavigationMenuPosition});
    if (!saved.ok) {
        services_.reportError(saved.error);
    }
    return true;
}

void TrayForm::closed() {
    syncRunEntry();
    trayIcon_->remove();
    if (services_.quit) {
        services_.quit();
    }
}

} // namespace cellaro
