// The main tray form (TQstartForm): an invisible form that owns the tray icon and its menu, keeps
// the groups navigation menu's position and the autostart entry. Its menu's items and the icon's
// click run commands.
#pragma once

#include "core/error_report.h"
#include "logic/commands.h"
#include "platform/shell.h"
#include "widgets/form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cellaro {

class AutostartRegistry;
class Desktop;
class FileSystem;
class SettingsModel;

// What the tray form works with, given by the program.
struct TrayFormServices {
    FormHost& host;
    Desktop& desktop;
    Shell& shell;
    AutostartRegistry& autostart;
    FileSystem& files;
    SettingsModel& settings;
    // The running executable and its directory (with its separator).
    std::string programPath;
    std::string programDirectory;
    ErrorReport reportError;
    // The tray menu's items and the icon's click.
    CommandRunner run;
    // The shortcut text bound to a shortcut number, empty when none is bound (for the menu).
    std::function<std::string(int number)> shortcutText;
    // The groups navigation menu's window, made after this form: its bounds, and placing it.
    std::function<Rect()> navigationMenuBounds;
    std::function<void(const Rect&)> placeNavigationMenu;
    // The form has closed: the program ends.
    std::function<void()> quit;
};

class TrayForm final : public Form, public TrayIconEvents {
public:
    // FormCreate: loads the navigation menu's position, parks the form off screen and adds the
    // tray icon with its first hint.
    explicit TrayForm(TrayFormServices services);
    ~TrayForm() override;

    // GetPolozaj: the monitor index of this form, and the monitor.
    [[nodiscard]] int monitorIndex() const;
    [[nodiscard]] Monitor monitor() const;
    // The groups navigation menu's position as loaded at start-up (LoadSettings).
    [[nodiscard]] Point navigationMenuPosition() const { return navigationMenuPosition_; }
    // The settings that could not be read at the start were read at last: the navigation menu goes
    // to the stored position, unless it was moved since.
    void settingsRead();

    [[nodiscard]] bool autostartChecked() const;
    // loadAtStartUpClick
    void toggleAutostart();
    // Start1Click
    void startNewInstance();
    void openUserGuide();

    // PopupAPopup: the menu as it is about to open.
    [[nodiscard]] std::vector<MenuItem> menuItems() const;
    // A menu item chosen: its command, from the tray.
    void runCommand(const CommandCall& call) const;

    [[nodiscard]] TrayIcon& trayIcon() { return *trayIcon_; }
    // The window that was in the foreground when the tray menu last opened.
    [[nodiscard]] WindowId foregroundAtMenu() const { return foregroundAtMenu_; }
    void setTrayHint(const std::string& hint);

    // TrayIconEvents
    void onTrayLeftClick() override; // ctiClick
    void onTrayRightClick(Point cursor) override;

protected:
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose
    void moved(const Rect& bounds) override;

private:
    // FormResize: the form never takes a size that could show it.
    void keepHidden();
    void loadSettings();
    [[nodiscard]] Point storedNavigationMenuPosition() const;
    // SaveSettings: the navigation menu's position into the settings (the caller saves them).
    void saveSettings();
    void syncRunEntry();

    TrayFormServices services_;
    // Where the menu was placed from the settings.
    Point navigationMenuPosition_;
    WindowId foregroundAtMenu_;
    std::unique_ptr<TrayIcon> trayIcon_;
};

} // namespace cellaro
