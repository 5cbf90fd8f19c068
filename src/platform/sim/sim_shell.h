// The simulated shell: a tray icon that tests click, popup menus and message boxes whose answers
// the test scripts, and a record of the documents, programs and window arrangements asked for.
#pragma once

#include "platform/event_loop.h"
#include "platform/shell.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cellaro::sim {

class SimTrayIcon;

// Answers a popup menu: the id of the chosen item, or nothing for a dismissed menu.
using MenuAnswer = std::function<std::optional<int>(const std::vector<MenuItem>&)>;

struct ShownMenu {
    std::vector<MenuItem> items;
    Point at;
    std::optional<int> answer;
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    MessageBoxResult answer = MessageBoxResult::Ok;
    MessageBoxDefault defaultButton = MessageBoxDefault::First;
    bool question = false; // asked with ask(): sound first, modal to the system
};

struct ShownBalloon {
    std::string title;
    std::string text;
};

struct ShownKillConfirmation {
    std::string text;
    std::string caption;
    KillConfirmation answer;
};

// Behaviour:
// - The tray icon is added when it is created. While the shell is not ready (failAddsUntil) an add
//   fails, and the icon tries again every kTrayRetryMs on the event loop until an add succeeds.
//   restartShell() takes every icon away and adds it again, as the TaskbarCreated broadcast makes
//   the program do. A balloon shows (and is recorded, with its texts as given, uncut) when it is
//   asked for while the icon is present, else at the next add that succeeds.
// - Popup menus are answered by the queued answers first, then by the answerer, else dismissed. A
//   user can't choose what he can't see or use: an answer naming a separator, a hidden or disabled
//   item, an item with a submenu, or no item at all counts as a dismissed menu.
// - Message boxes and questions are answered by the queued answers first, else Ok (Ok, OkCancel) or
//   Yes (YesNo, YesNoCancel).
// - Opening a folder with a file selected is recorded for a non-empty path only (an empty one does
//   nothing, as on Windows).
// - Kill confirmations are answered by the queued answers first, else Cancel with the box unticked.
//   While one shows, the hook set by whileKillConfirmationShows runs (the user or a hot key acting
//   while the modal dialog lets messages through); it is recorded before the hook runs.
class SimShell final : public Shell {
public:
    static constexpr int kTrayRetryMs = 1000;

    explicit SimShell(EventLoop& loop);
    SimShell(const SimShell&) = delete;
    SimShell& operator=(const SimShell&) = delete;
    SimShell(SimShell&&) = delete;
    SimShell& operator=(SimShell&&) = delete;
    ~SimShell() override;

    // ----- Tray -----

    // The shell refuses the next `failures` adds (the icon appears on retry number `failures`).
    void failAddsUntil(int failures) { addFailuresLeft_ = failures; }
    // The icon created last that still exists, or null.
    [[nodiscard]] SimTrayIcon* trayIcon() const;
    [[nodiscard]] bool trayIconPresent() const;
    // Every hint the icon was given, in order (the creation hint first).
    [[nodiscard]] const std::vector<std::string>& trayHints() const { return trayHints_; }
    [[nodiscard]] std::size_t trayAddAttempts() const { return addAttempts_; }
    // Every balloon that showed, in order (one asked for before the icon was there shows when it is).
    [[nodiscard]] const std::vector<ShownBalloon>& balloons() const { return balloons_; }
    // The user clicks the icon; false (and no event) when no icon is present.
    bool clickTrayLeft() const;
    bool clickTrayRight(Point cursor) const;
    // The shell restarts: icons are gone until added again.
    void restartShell();

    // ----- Menus -----

    void queueMenuAnswer(std::optional<int> id);
    // Queues the choice of the item with this name (searched in submenus too).
    void queueMenuChoice(const std::string& itemName);
    void setMenuAnswerer(MenuAnswer answerer) { menuAnswerer_ = std::move(answerer); }
    [[nodiscard]] const std::vector<ShownMenu>& menus() const { return menus_; }
    // The id of the item of this name in a menu (submenus included), if any.
    [[nodiscard]] static std::optional<int> itemId(const std::vector<MenuItem>& items,
                                                   const std::string& name);

    // ----- Documents, programs, arrangements -----

    [[nodiscard]] const std::vector<std::string>& openedDocuments() const { return openedDocuments_; }
    [[nodiscard]] const std::vector<std::string>& startedPrograms() const { return startedPrograms_; }
    [[nodiscard]] std::size_t cascadeCount() const { return cascades_; }
    // One entry per tile request: true for vertical.
    [[nodiscard]] const std::vector<bool>& tileRequests() const { return tiles_; }
    // The files whose folders were opened with the file selected.
    [[nodiscard]] const std::vector<std::string>& openedFolders() const { return openedFolders_; }
    void setOpenDocumentResult(bool result) { openDocumentResult_ = result; }
    void setStartProgramResult(bool result) { startProgramResult_ = result; }
    void setArrangeResult(bool result) { arrangeResult_ = result; }

    // ----- Message boxes -----

    // Every box runs a modal loop before it is answered (the event loop's queued input and overdue
    // timers), then takes the next queued answer (Ok or Yes when none is queued).
    void queueMessageBoxAnswer(MessageBoxResult answer) { messageBoxAnswers_.push_back(answer); }
    // How many boxes are showing now, and the most that ever showed at once (more than one when
    // input in a box's loop showed another).
    [[nodiscard]] int modalDepth() const { return modalDepth_; }
    [[nodiscard]] int maxModalDepth() const { return maxModalDepth_; }
    [[nodiscard]] const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }

    // ----- Sounds and the colour chooser -----
    [[nodiscard]] const std::vector<MessageBoxIcon>& beeps() const { return beeps_; }
    // The next colour chooser is confirmed with this colour, or cancelled for nothing; unqueued
    // choosers are cancelled. Every chooser shown is recorded with what it started from.
    void queueColourAnswer(std::optional<Colour> colour) { colourAnswers_.push_back(colour); }
    [[nodiscard]] const std::vector<ColourChoice>& colourChoosers() const { return colourChoosers_; }
    // ----- Kill confirmation -----

    void queueKillAnswer(KillAnswer answer, bool dontAskAgain) {
        killAnswers_.push_back(KillConfirmation{answer, dontAskAgain});
    }
    void whileKillConfirmationShows(std::function<void()> hook) { killHook_ = std::move(hook); }
    [[nodiscard]] const std::vector<ShownKillConfirmation>& killConfirmations() const {
        return killConfirmations_;
    }
    [[nodiscard]] bool killConfirmationShowing() const { return killShowing_; }

    // ----- The shell port -----

    std::unique_ptr<TrayIcon> createTrayIcon(const std::string& hint, TrayIconEvents& events) override;
    std::optional<int> trackPopupMenu(const std::vector<MenuItem>& items, Point at) override;
    bool openDocument(const std::string& path) override;
    bool startProgram(const std::string& path) override;
    void openFolderAndSelect(const std::string& path) override;
    bool cascadeWindows() override;
    bool tileWindows(bool vertical) override;
    MessageBoxResult messageBox(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon) override;
    MessageBoxResult ask(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                         MessageBoxIcon icon, MessageBoxDefault defaultButton) override;
    void beep(MessageBoxIcon sound) override { beeps_.push_back(sound); }
    bool chooseColour(ColourChoice& choice) override;
    KillConfirmation confirmKill(const std::string& text, const std::string& caption) override;

private:
    friend class SimTrayIcon;

    MessageBoxResult showBox(ShownMessageBox box);
    // One add attempt by the shell: false while it is not ready.
    bool tryAdd();
    void forget(SimTrayIcon& icon);

    EventLoop& loop_;
    std::vector<SimTrayIcon*> icons_;
    int addFailuresLeft_ = 0;
    std::size_t addAttempts_ = 0;
    std::vector<std::string> trayHints_;
    std::vector<ShownBalloon> balloons_;
    std::deque<MenuAnswer> menuAnswers_;
    MenuAnswer menuAnswerer_;
    std::vector<ShownMenu> menus_;
    std::vector<std::string> openedDocuments_;
    std::vector<std::string> startedPrograms_;
    std::vector<std::string> openedFolders_;
    std::size_t cascades_ = 0;
    std::vector<bool> tiles_;
    bool openDocumentResult_ = true;
    bool startProgramResult_ = true;
    bool arrangeResult_ = true;
    std::deque<MessageBoxResult> messageBoxAnswers_;
    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<MessageBoxIcon> beeps_;
    std::deque<std::optional<Colour>> colourAnswers_;
    std::vector<ColourChoice> colourChoosers_;
    std::deque<KillConfirmation> killAnswers_;
    std::function<void()> killHook_;
    std::vector<ShownKillConfirmation> killConfirmations_;
    bool killShowing_ = false;
    int modalDepth_ = 0;
    int maxModalDepth_ = 0;
};

// The simulated notification-area icon.
class SimTrayIcon final : public TrayIcon {
public:
    SimTrayIcon(SimShell& shell, std::string hint, TrayIconEvents& events);
    SimTrayIcon(const SimTrayIcon&) = delete;
    SimTrayIcon& operator=(const SimTrayIcon&) = delete;
    SimTrayIcon(SimTrayIcon&&) = delete;
    SimTrayIcon& operator=(SimTrayIcon&&) = delete;
    ~SimTrayIcon() override;

    void setHint(const std::string& utf8) override;
    void showBalloon(const std::string& title, const std::string& text) override;
    [[nodiscard]] bool present() const override { return present_; }
    void remove() override;

    [[nodiscard]] const std::string& hint() const { return hint_; }
    // A balloon asked for that waits for the icon to be added.
    [[nodiscard]] bool balloonPending() const { return pendingBalloon_.has_value(); }
    [[nodiscard]] bool removed() const { return removed_; }
    [[nodiscard]] bool retrying() const { return retryTimer_ != kNoTimer; }
    [[nodiscard]] TrayIconEvents& events() const { return events_; }

private:
    friend class SimShell;

    // Adds the icon, or schedules retries while the shell refuses.
    void add();
    void stopRetrying();
    // Shows the waiting balloon once the icon is there.
    void flushBalloon();

    SimShell* shell_; // null once the shell is gone
    TrayIconEvents& events_;
    std::string hint_;
    bool present_ = false;
    bool removed_ = false;
    TimerId retryTimer_ = kNoTimer;
    std::optional<ShownBalloon> pendingBalloon_;
};

} // namespace cellaro::sim
