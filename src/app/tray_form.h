// The main tray form (TQstartForm): an invisible form that owns the tray icon and its menu, keeps
// the groups navigation menu's position and the autostart entry, and shows or hides the working
// window.
#pragma once

#include "platform/shell.h"
#include "widgets/form.h"

#include <memory>
#include <string>
#include <vector>

namespace cellaro {

class Program;
enum class TrayCommand : int;

class TrayForm final : public Form, public TrayIconEvents {
public:
    // FormCreate: loads the navigation menu's position, parks the form off screen and adds the
    // tray icon with its first hint.
    explicit TrayForm(Program& program);
    ~TrayForm() override;

    // GetPolozaj: the monitor index of this form.
    [[nodiscard]] int monitorIndex() const;
    // The groups navigation menu's position as loaded at start-up (LoadSettings).
    [[nodiscard]] Point navigationMenuPosition() const { return navigationMenuPosition_; }
    // The settings that could not be read at the start were read at last: the navigation menu goes
    // to the stored position, unless it was moved since.
    void settingsRead();

    // ZAGONSM: shows the working window, or hides it when it is shown.
    void toggleWorkingWindow();
    // SSMClick: the tray's "Show Cellaro".
    void showCellaro();

    [[nodiscard]] bool autostartChecked() const;
    // loadAtStartUpClick
    void toggleAutostart();
    // Start1Click
    void startNewInstance();
    void openUserGuide();
    // About1Click
    void showAbout();
    // fsGridClick and fsgrid2Click: the full-screen grid on the first (0) or second (1) monitor, or
    // away again when it shows.
    void openFullScreenGrid(int monitor);

    // PopupAPopup: the menu as it is about to open.
    [[nodiscard]] std::vector<MenuItem> menuItems() const;
    void runCommand(TrayCommand command);

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

    Program& program_;
    // Where the menu was placed from the settings.
    Point navigationMenuPosition_;
    WindowId foregroundAtMenu_;
    std::unique_ptr<TrayIcon> trayIcon_;
};

} // namespace cellaro
