// The program: what start-up establishes and every form shares. Built by the entry point over a
// set of ports; owns the program-wide state, each piece in one place (the settings, the target
// tracker, the undo journal and the window placer, the working window's mode, the program-wide
// flags), and the forms in their creation order.
#pragma once

#include "app/command_router.h"
#include "app/ports.h"
#include "config/settings.h"
#include "core/error_report.h"
#include "logic/session.h"
#include "logic/target_tracker.h"
#include "logic/undo_journal.h"
#include "logic/window_placer.h"
#include "logic/winlist/group_commands.h"
#include "logic/winlist/window_list.h"
#include "logic/working_mode.h"
#include "pixels/bitmap.h"
#include "widgets/form_timer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {

class AboutWindow;
class ActiveWindowHighlight;
class Form;
class KillCommand;
class NavigationMenu;
class WindowManagerList;
class OnScreenCaption;
class PreviewRectangle;
class ScreenGrab;
class SettingsWindow;
class ShortcutSet;
class TrayForm;
class WindowCommands;
class WorkingWindow;

class Program final : private TrackingHost {
public:
    static constexpr int kTrackingIntervalMs = 125;
    // While CRO.cfg exists but can't be read, it is read again this often, for this long (and at
    // every activation of one of the program's windows, however long it takes).
    static constexpr int kSettingsRetryIntervalMs = 2000;
    static constexpr std::int64_t kSettingsRetryForMs = std::int64_t{5} * 60 * 1000;

    // Start-up: fixes the program path and directory, reads the settings, then creates every form
    // once, in order, and starts following the foreground window.
    explicit Program(const Ports& ports);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;
    ~Program() override;

    [[nodiscard]] const Ports& ports() const { return ports_; }
    [[nodiscard]] const std::string& programPath() const { return programPath_; }
    // With its trailing separator.
    [[nodiscard]] const std::string& programDirectory() const { return programDirectory_; }

    [[nodiscard]] SettingsModel& settings() { return settings_; }
    [[nodiscard]] TargetTracker& tracker() { return tracker_; }
    [[nodiscard]] UndoJournal& undoJournal() { return journal_; }
    [[nodiscard]] WindowPlacer& placer() { return placer_; }
    [[nodiscard]] WorkingMode& mode() { return mode_; }
    // Which dialog is open, the one-shot command, and what a dialog's close puts back.
    [[nodiscard]] Session& session() { return session_; }
    // Runs a command from anywhere: the tray, a shortcut, a button, a menu.
    void run(const CommandCall& call) { router_.run(call); }
    [[nodiscard]] CommandRunner commandRunner() {
        return [this](const CommandCall& call) { run(call); };
    }
    // The commands of the working window's "gumbi" page and the tray's "Move to next monitor".
    [[nodiscard]] WindowCommands& windowCommands() { return *windowCommands_; }
    // The thirty-two global shortcuts, loaded when the settings window is created.
    [[nodiscard]] ShortcutSet& shortcuts() { return *shortcuts_; }
    // The windows of the window manager list's last build with their group marks, and what can be
    // done with the groups.
    [[nodiscard]] WindowList& windowEntries() { return windowEntries_; }
    [[nodiscard]] GroupCommands& groups() { return groups_; }

    // "Manage Groups": remembers whether the working window is visible and which window is the
    // target, then, unless the window manager list already shows, closes the working window and
    // shows the list. Its close puts both back.
    void manageGroups();
    // The tray's "Manage groups": an open list comes to the front; unless the settings window or the
    // list is open, the one-shot flag is set and the list opens as from the working window.
    void manageGroupsFromTray();
    // "Settings" (the working window's command): the target remembered, the working window closed,
    // the settings window shown.
    void openSettings();
    // The tray's "Settings": the same, as a one-shot, unless the settings window or the list is open.
    void openSettingsFromTray();
    // The tray's "Groups navigation menu": shows the menu when hidden, hides it when shown.
    void toggleNavigationMenu();
    // The navigation menu's "Expand navigation": the working window shown on its group page.
    void expandNavigation();

    // The application's error report: a message box with the text. Errors found while the windows
    // are still being made are shown once start-up is over and the message loop runs, so that no
    // box's own message loop can hand input to a window that does not exist yet.
    void reportError(const std::string& text);
    // The same, as the forms and commands receive it.
    [[nodiscard]] ErrorReport errorReport() {
        return [this](const std::string& text) { reportError(text); };
    }

    [[nodiscard]] TrayForm& trayForm() { return *trayForm_; }
    [[nodiscard]] WorkingWindow& workingWindow() { return *workingWindow_; }
    [[nodiscard]] PreviewRectangle& previewRectangle() { return *previewRectangle_; }
    [[nodiscard]] WindowManagerList& windowList() { return *windowList_; }
    [[nodiscard]] SettingsWindow& settingsWindow() { return *settingsWindow_; }
    [[nodiscard]] AboutWindow& aboutWindow() { return *aboutWindow_; }
    [[nodiscard]] ScreenGrab& screenGrab() { return *screenGrab_; }
    [[nodiscard]] NavigationMenu& navigationMenu() { return *navigationMenu_; }
    [[nodiscard]] OnScreenCaption& onScreenCaption() { return *onScreenCaption_; }
    [[nodiscard]] Form& infoWindow() { return *infoWindow_; }
    // "Focus active window": the target framed on a frozen picture of the screen.
    [[nodiscard]] ActiveWindowHighlight& highlight() { return *highlight_; }
    // All forms, in creation order.
    [[nodiscard]] std::vector<Form*> forms() const;

    // Shortcut 101, "Kill process of selected window": the kill confirmation (unless the user
    // asked not to be asked again), then the target window is asked to close.
    void killTarget();

    // Ends the program once the current message is handled.
    void quit();
    [[nodiscard]] bool quitting() const { return quitting_; }

private:
    void makeWindowCommands();
    void connectGroupHints();
    // The window manager list's close: the group texts published on the group buttons, the target
    // put back and the working window shown again if it was visible.
    void windowListCloseQuery();
    void setNavigationKeepInFront(bool enabled);
    // False (after the error report) when the file could not be written.
    bool writeSkipKillConfirmation();
    // The settings that could not be read at the start: read again while the retry runs (and at
    // the activations); once read, the shortcuts and the windows take them.
    void retrySettingsRead();
    void settingsReadLate();
    void showStartupErrors();
    void showFirstStartBalloon();
    void windowListClosed(const std::array<std::string, kGroupCount>& memberTexts);
    // The thirty-two global shortcuts with their operations; the settings window loads their keys.
    void makeShortcuts();
    [[nodiscard]] std::optional<Bitmap> primaryScreenSnapshot();
    // The settings window's closing steps for the working window, and what follows its close.
    void settingsClosing();
    void settingsClosed();

    // TrackingHost: the tracking's questions, answered by the working window, the preview
    // rectangle and the tray form.
    [[nodiscard]] WindowId workingWindowId() const override;
    [[nodiscard]] WindowId trayFormId() const override;
    [[nodiscard]] bool workingWindowVisible() const override;
    [[nodiscard]] bool workingWindowMinimised() const override;
    [[nodiscard]] bool workingWindowTopmost() const override;
    void makeWorkingWindowTopmost() override;
    void bringWorkingWindowToFront() override;
    void closeWorkingWindow() override;
    [[nodiscard]] int currentMonitorIndex() const override;
    [[nodiscard]] bool previewVisible() const override;
    void parkPreviewLeft() override;
    void setNextMonitorAvailable(bool available) override;
    void showTargetDisplay(const Bitmap& icon, const std::string& title) override;
    void showDesktopDisplay() override;
    [[nodiscard]] std::string fitStatusText(const std::string& title) const override;
    [[nodiscard]] int statusPictureSize() const override;
    [[nodiscard]] Colour statusBackground() const override;
    void setTrayHint(const std::string& hint) override;

    const Ports ports_;
    std::string programPath_;
    std::string programDirectory_;
    SettingsModel settings_;
    Session session_;
    CommandRouter router_{*this};
    WorkingMode mode_;
    UndoJournal journal_;
    WindowPlacer placer_;
    TargetTracker tracker_;
    FormTimer trackingTimer_;
    std::unique_ptr<WindowCommands> windowCommands_;
    WindowList windowEntries_;
    GroupCommands groups_;
    bool quitting_ = false;
    // Start-up is over: errors are reported at once from now on.
    bool started_ = false;
    bool readLateDuringStartup_ = false;
    std::vector<std::string> startupErrors_;
    FormTimer startupErrorTimer_;
    FormTimer settingsRetryTimer_;
    std::int64_t settingsRetryUntilMs_ = 0;

    std::unique_ptr<TrayForm> trayForm_;
    std::unique_ptr<WorkingWindow> workingWindow_;
    std::unique_ptr<PreviewRectangle> previewRectangle_;
    std::unique_ptr<WindowManagerList> windowList_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<AboutWindow> aboutWindow_;
    std::unique_ptr<ScreenGrab> screenGrab_;
    std::unique_ptr<NavigationMenu> navigationMenu_;
    std::unique_ptr<OnScreenCaption> onScreenCaption_;
    std::unique_ptr<Form> infoWindow_;
    // Uses the screen grab window: declared after it, so it goes first.
    std::unique_ptr<ActiveWindowHighlight> highlight_;
    // Made on first use.
    std::unique_ptr<KillCommand> killCommand_;
    // Runs the forms' commands: declared last, so it goes first.
    std::unique_ptr<ShortcutSet> shortcuts_;
};

} // namespace cellaro
