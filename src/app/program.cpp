// Start-up: the program directory and the settings first, then every form once, in the fixed
// creation order; and the answers to the target tracking's questions.
#include "app/program.h"

#include "app/tray_form.h"
#include "core/product.h"
#include "forms/about/about_window.h"
#include "forms/highlight/active_window_highlight.h"
#include "forms/highlight/screen_grab.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/on_screen_caption.h"
#include "forms/preview_rectangle.h"
#include "forms/settings/settings_window.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/working_window.h"
#include "logic/commands.h"
#include "logic/kill_command.h"
#include "logic/shortcuts/shortcut_print.h"
#include "logic/shortcuts/shortcut_set.h"
#include "logic/tray_hint.h"
#include "logic/window_commands.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/screen_capture.h"
#include "platform/shell.h"
#include "widgets/form.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"

#include <algorithm>
#include <utility>

namespace cellaro {

namespace {

std::string directoryOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string programDirectoryOf(const FileSystem& files) {
    std::string directory = files.programDirectory();
    return directory.empty() ? directoryOf(files.programPath()) : directory;
}

// The number of the global shortcut that makes this call, 0 when none does.
int shortcutNumberOf(const CommandCall& call) {
    for (const CommandRow& row : kCommandTable) {
        if (row.shortcut != 0 && row.call.sameAs(call)) {
            return row.shortcut;
        }
    }
    return 0;
}

NativeWindowStyle toolStyle(const Rect& bounds, bool topmost) {
    NativeWindowStyle style;
    style.bounds = bounds;
    style.topmost = topmost;
    return style;
}

} // namespace

// Every later access to CRO.cfg uses the program directory, fixed before any window exists.
Program::Program(const Ports& ports)
    : ports_(ports), programPath_(ports.files.programPath()),
      programDirectory_(programDirectoryOf(ports.files)),
      settings_(ports.files, programDirectory_ + std::string(config::kFileName)),
      placer_(ports.desktop, ports.loop, journal_),
      tracker_(ports.desktop, ports.system, programPath_, *this),
      trackingTimer_(ports.loop, kTrackingIntervalMs), windowEntries_(ports.desktop),
      groups_(ports.desktop, ports.loop, windowEntries_), startupErrorTimer_(ports.loop, 1),
      settingsRetryTimer_(ports.loop, kSettingsRetryIntervalMs) {
    settings_.load();
    settings_.addLateReadListener([this] { settingsReadLate(); });

    trayForm_ = std::make_unique<TrayForm>(
        TrayFormServices{ports_.host, ports_.desktop, ports_.shell, ports_.autostart, ports_.files, settings_,
                         programPath_, programDirectory_, errorReport(), commandRunner(),
                         [this](int number) { return shortcuts_ ? shortcuts_->text(number) : std::string(); },
                         [this] { return navigationMenu_ ? navigationMenu_->bounds() : Rect{}; },
                         [this](const Rect& bounds) {
                             if (navigationMenu_) {
                                 navigationMenu_->setBounds(bounds);
                             }
                         },
                         [this] { quit(); }});
    WorkingWindowServices working{ports_.host,
                                  ports_.desktop,
                                  ports_.loop,
                                  settings_,
                                  tracker_,
                                  journal_,
                                  placer_,
                                  mode_,
                                  session_,
                                  ports_.shell,
                                  errorReport(),
                                  commandRunner(),
                                  [this] {
                                      trayForm_->hide();
                                      trayForm_->setTop(kTrayFormParkedTop);
                                  },
                                  [this] { return windowList_->visible(); },
                                  [this] { return settingsWindow_->visible(); },
                                  [this](bool enabled) { setNavigationKeepInFront(enabled); }};
    workingWindow_ = std::make_unique<WorkingWindow>(working);
    makeWindowCommands();
    connectGroupHints();
    workingWindow_->commandsPage().connect(commandRunner());
    workingWindow_->groupsPage().connect(commandRunner());

    previewRectangle_ = std::make_unique<PreviewRectangle>(ports_.host);

    windowList_ = std::make_unique<WindowManagerList>(WindowManagerListServices{
        ports_.host, ports_.desktop, ports_.loop, ports_.shell, settings_, session_, windowEntries_,
        [this] { return writeSkipKillConfirmation(); }, [this] { setNavigationKeepInFront(false); },
        [this] { windowListCloseQuery(); },
        [this](const std::array<std::string, kGroupCount>& texts) { windowListClosed(texts); }});
    // The settings window's creation loads the configuration and with it registers the shortcuts.
    makeShortcuts();
    settingsWindow_ = std::make_unique<SettingsWindow>(SettingsWindowServices{
        ports_.host, ports_.desktop, ports_.loop, ports_.shell, ports_.files, settings_, *shortcuts_,
        session_, errorReport(), [this] { return primaryScreenSnapshot(); },
        [this] {
            if (workingWindow_->visible()) {
                workingWindow_->close();
            }
        },
        [this](int across, int down) {
            workingWindow_->boardPage().setActiveCounts(across, down);
            workingWindow_->redrawBoard();
        },
        [this] {
            workingWindow_->applyTheme();
            workingWindow_->redrawBoard();
        },
        [this](Colour colour) { previewRectangle_->setPanelColour(colour); },
        [this] {
            printShortcuts(*shortcuts_, ports_.printer, ports_.clock, ports_.shell, settingsWindow_->id());
        },
        [this] { settingsClosing(); }, [this] { settingsClosed(); }});
    aboutWindow_ = std::make_unique<AboutWindow>(
        AboutWindowServices{ports_.host, ports_.desktop, ports_.shell, ports_.mail, ports_.files});

    screenGrab_ = std::make_unique<ScreenGrab>(ports_.host, ports_.screen.virtualScreen());
    highlight_ = std::make_unique<ActiveWindowHighlight>(ports_.screen, ports_.desktop, ports_.loop, tracker_,
                                                         *screenGrab_);

    NavigationMenuServices navigation{ports_.host,
                                      ports_.desktop,
                                      ports_.loop,
                                      ports_.shell,
                                      ports_.system,
                                      groups_,
                                      trayForm_->navigationMenuPosition(),
                                      commandRunner(),
                                      [this] { return trayForm_->foregroundAtMenu(); },
                                      [this](WindowId foreground) {
                                          return settingsWindow_->visible() ||
                                                 foreground == settingsWindow_->id();
                                      }};
    navigationMenu_ = std::make_unique<NavigationMenu>(navigation);

    onScreenCaption_ = std::make_unique<OnScreenCaption>(ports_.host, ports_.loop);
    infoWindow_ = std::make_unique<Form>(ports_.host, "fInfo",
                                         toolStyle(Rect::fromBounds(0, kParkedTop, 300, 200), false));

    workingWindow_->connectPreview(*previewRectangle_, *onScreenCaption_);
    // The caption repeats the working window's status while the full-screen grid covers it.
    onScreenCaption_->setSource([this] {
        StatusStrip& status = workingWindow_->statusStrip();
        return CaptionSource{status.text().text(), status.picture().picture(), workingWindow_->visible()};
    });
    // The target is followed for the program's whole life, shown or not.
    trackingTimer_.onTimer = [this] { tracker_.tick(); };
    trackingTimer_.setEnabled(true);

    // A settings file that another program holds open at log-on is read as soon as it lets go.
    for (Form* form : forms()) {
        form->onActivation = [this] { retrySettingsRead(); };
    }
    settingsRetryTimer_.onTimer = [this] { retrySettingsRead(); };
    if (settings_.anyUnread()) {
        settingsRetryUntilMs_ = ports_.loop.nowMs() + kSettingsRetryForMs;
        settingsRetryTimer_.setEnabled(true);
    }
    showFirstStartBalloon();
    started_ = true;
    if (readLateDuringStartup_) {
        settingsReadLate();
    }
    startupErrorTimer_.onTimer = [this] { showStartupErrors(); };
    startupErrorTimer_.setEnabled(!startupErrors_.empty());
}

// A first start in this folder (no CRO.cfg to read): the tray icon says once where Cellaro lives.
// Nothing is stored for it: the file that any save or Exit writes is what the next start finds.
void Program::showFirstStartBalloon() {
    if (!settings_.missingAtLoad()) {
        return;
    }
    const int fullScreenGrid = shortcutNumberOf(CommandCall::onMonitor(Command::FullScreenGrid, 0));
    const bool held = fullScreenGrid != 0 && shortcuts_->hotKey(fullScreenGrid).registered();
    const std::string shortcut = held ? shortcuts_->text(fullScreenGrid) : std::string();
    const TrayBalloon balloon = firstStartBalloon(shortcut);
    trayForm_->trayIcon().showBalloon(balloon.title, balloon.text);
}

void Program::showStartupErrors() {
    startupErrorTimer_.setEnabled(false);
    // Taken first: a box's own message loop may bring another report meanwhile.
    const std::vector<std::string> errors = std::exchange(startupErrors_, {});
    for (const std::string& error : errors) {
        reportError(error);
    }
}

void Program::retrySettingsRead() {
    if (!settings_.anyUnread()) {
        settingsRetryTimer_.setEnabled(false);
        return;
    }
    // The read that succeeds tells settingsReadLate().
    if (settings_.retryRead() || ports_.loop.nowMs() >= settingsRetryUntilMs_) {
        settingsRetryTimer_.setEnabled(false);
    }
}

// Whichever read took them (the retry, a theming pass, the read before a write): the shortcuts are
// registered as start-up would have registered them, and the windows show the file's values.
void Program::settingsReadLate() {
    if (!started_) {
        // Read while the windows are still being made: they are all there at the end of start-up.
        readLateDuringStartup_ = true;
        return;
    }
    settingsRetryTimer_.setEnabled(false);
    shortcuts_->load(settings_);
    settingsWindow_->settingsRead();
    trayForm_->settingsRead();
}

Program::~Program() = default;

// The window commands act on the tracker's target and lay windows out on the working window's
// monitor.
void Program::makeWindowCommands() {
    windowCommands_ = std::make_unique<WindowCommands>(WindowCommands::Services{
        ports_.desktop, ports_.loop, ports_.displayPower, settings_, tracker_, placer_,
        [this] { return workingWindow_->monitorIndex(); }, [this] { workingWindow_->closeByUser(); },
        [this](WindowId pinned) {
            if (!workingWindow_->visible()) {
                return true;
            }
            const std::vector<WindowId> order = ports_.desktop.topLevelWindows();
            const auto working = std::find(order.begin(), order.end(), workingWindow_->id());
            const auto target = std::find(order.begin(), order.end(), pinned);
            if (target != order.end() && target < working) {
                workingWindow_->makeTopmost();
                return false;
            }
            return true;
        }});
}

// The step hints follow the group commands' refreshes.
void Program::connectGroupHints() {
    GroupsPage& page = workingWindow_->groupsPage();
    groups_.addHintsListener([&page](const GroupStepHints& hints) {
        page.setHint("GA3", hints.previousShowOnly);
        page.setHint("GB3", hints.nextShowOnly);
        page.setHint("GC3", hints.previousToFront);
        page.setHint("GD3", hints.nextToFront);
    });
}

// SBAutoClick
void Program::manageGroups() {
    const bool workingWasVisible = workingWindow_->visible();
    session_.dialogOpening(workingWasVisible, tracker_.target());
    if (!windowList_->visible()) {
        if (workingWasVisible) {
            workingWindow_->close();
        }
        windowList_->show();
    }
}

// ddd1Click
void Program::manageGroupsFromTray() {
    if (windowList_->visible()) {
        windowList_->show();
    }
    if (session_.dialogOpen()) {
        return;
    }
    session_.beginOneShot();
    manageGroups();
}

void Program::toggleNavigationMenu() {
    navigationMenu_->toggle();
}

// The navigation menu's "Expand navigation": the working window on its group page.
void Program::expandNavigation() {
    workingWindow_->showPage(WorkingPage::Groups);
    if (!workingWindow_->visible()) {
        workingWindow_->showFromTray(trayForm_->monitor());
    }
    workingWindow_->showPage(WorkingPage::Groups);
}

void Program::setNavigationKeepInFront(bool enabled) {
    navigationMenu_->setKeepInFront(enabled);
}

void Program::windowListCloseQuery() {
    if (session_.workingWindowReturns()) {
        if (mode_.fullScreen()) {
            workingWindow_->returnToCompact();
        }
        workingWindow_->startShowing();
    }
    setNavigationKeepInFront(true);
}

void Program::windowListClosed(const std::array<std::string, kGroupCount>& memberTexts) {
    for (const GroupButtonHint& hint : groupButtonHints(memberTexts)) {
        workingWindow_->groupsPage().setHint(hint.button, hint.hint);
    }
    groups_.setMemberTexts(memberTexts);
    tracker_.restoreTarget(session_.targetBefore());
    if (session_.workingWasVisible() && !workingWindow_->visible()) {
        workingWindow_->startShowing();
    }
    groups_.refreshHints();
    // The tray's one-shot command is over: the next showing of the working window is an ordinary
    // one (a flag left set would park it above the screen).
    session_.dialogClosed();
}

// Each shortcut runs its command, as its tray item or working-window button does.
void Program::makeShortcuts() {
    shortcuts_ = std::make_unique<ShortcutSet>(ports_.hotKeys, ports_.keyNames, commandRunner());
}

// The primary monitor as it shows now, for the settings window's transparency pages.
std::optional<Bitmap> Program::primaryScreenSnapshot() {
    std::optional<Bitmap> screen = ports_.screen.capture();
    if (!screen) {
        return std::nullopt;
    }
    const Rect virtualScreen = ports_.screen.virtualScreen();
    const Rect primary = primaryMonitor(ports_.desktop.monitors()).bounds;
    Bitmap picture(primary.width(), primary.height());
    picture.blit(*screen, virtualScreen.left - primary.left, virtualScreen.top - primary.top);
    return picture;
}

// XiButton29Click: the settings window in place of the working window.
void Program::openSettings() {
    const bool wasVisible = workingWindow_->visible();
    ports_.loop.processPendingMessages();
    session_.dialogOpening(wasVisible, tracker_.target());
    workingWindow_->drag().stop();
    // A hidden working window has nothing to close (and its close would write the file).
    if (wasVisible) {
        workingWindow_->close();
    }
    settingsWindow_->open(wasVisible);
}

// The tray's "Settings": nothing while the settings window or the list is open.
void Program::openSettingsFromTray() {
    if (session_.dialogOpen()) {
        return;
    }
    session_.beginOneShot();
    openSettings();
}

void Program::settingsClosing() {
    workingWindow_->redrawBoard();
    workingWindow_->statusStrip().showNothing();
    ports_.loop.processPendingMessages();
    if (session_.workingWindowReturns() && !workingWindow_->visible()) {
        if (mode_.fullScreen()) {
            workingWindow_->returnToCompact();
        }
        workingWindow_->startShowing();
    }
}

void Program::settingsClosed() {
    tracker_.restoreTarget(session_.targetBefore());
    if (session_.workingWindowReturns() && !workingWindow_->visible()) {
        workingWindow_->startShowing();
    }
    // As after the window list: the one-shot command is over.
    session_.dialogClosed();
}

void Program::reportError(const std::string& text) {
    if (!started_) {
        startupErrors_.push_back(text);
        return;
    }
    ports_.shell.messageBox(text, std::string(kProductName), MessageBoxButtons::Ok, MessageBoxIcon::Error);
}

std::vector<Form*> Program::forms() const {
    return {trayForm_.get(),        workingWindow_.get(), previewRectangle_.get(), windowList_.get(),
            settingsWindow_.get(),  aboutWindow_.get(),   screenGrab_.get(),       navigationMenu_.get(),
            onScreenCaption_.get(), infoWindow_.get()};
}

void Program::killTarget() {
    if (!killCommand_) {
        killCommand_ = std::make_unique<KillCommand>(
            KillCommand::Services{ports_.desktop, ports_.shell, settings_, tracker_,
                                  [this] { return writeSkipKillConfirmation(); }});
    }
    killCommand_->run();
}

// The kill confirmation's "Do not show this message again." goes to the file at once.
bool Program::writeSkipKillConfirmation() {
    const FileWriteResult saved = settings_.persist({Setting::SkipKillConfirmation});
    if (!saved.ok) {
        reportError(saved.error);
    }
    return saved.ok;
}

void Program::quit() {
    quitting_ = true;
    trackingTimer_.setEnabled(false);
    ports_.host.quit(0);
}

WindowId Program::workingWindowId() const {
    return workingWindow_->id();
}

WindowId Program::trayFormId() const {
    return trayForm_->id();
}

bool Program::workingWindowVisible() const {
    return workingWindow_->visible();
}

bool Program::workingWindowMinimised() const {
    return workingWindow_->minimised();
}

bool Program::workingWindowTopmost() const {
    return workingWindow_->topmost();
}

void Program::makeWorkingWindowTopmost() {
    workingWindow_->makeTopmost();
}

void Program::bringWorkingWindowToFront() {
    workingWindow_->bringToFront();
}

void Program::closeWorkingWindow() {
    workingWindow_->close();
}

int Program::currentMonitorIndex() const {
    return workingWindow_->monitorIndex();
}

bool Program::previewVisible() const {
    return previewRectangle_->visible();
}

void Program::parkPreviewLeft() {
    previewRectangle_->parkLeft();
}

void Program::setNextMonitorAvailable(bool available) {
    // The tray menu decides its own item each time it opens.
    workingWindow_->commandsPage().nextMonitorButton().setVisible(available);
}

void Program::showTargetDisplay(const Bitmap& icon, const std::string& title) {
    workingWindow_->statusStrip().showTarget(icon, title);
}

void Program::showDesktopDisplay() {
    workingWindow_->statusStrip().showDesktop();
}

std::string Program::fitStatusText(const std::string& title) const {
    return workingWindow_->statusStrip().fit(title);
}

int Program::statusPictureSize() const {
    return workingWindow_->scale().physical(kStatusIconSize);
}

Colour Program::statusBackground() const {
    return workingWindow_->statusStrip().background();
}

void Program::setTrayHint(const std::string& hint) {
    trayForm_->setTrayHint(hint);
}

} // namespace cellaro
