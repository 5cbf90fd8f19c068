// The window commands: one-click operations on the target window that don't use the grid board
// (the nine anchor placements, stay on top, transparency, minimise, restore, maximise, tiling, the
// displays' sleep) and the move to the next monitor. They act on the tracker's target and on the
// working window's monitor, report nothing, and never wait on another program's window: a target
// that has vanished, hangs or refuses the request is left as it is.
#pragma once

#include "core/geometry.h"
#include "logic/command_layout.h"
#include "platform/event_loop.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace cellaro {

class Desktop;
class DisplayPower;
class EventLoop;
class SettingsModel;
class TargetTracker;
class WindowPlacer;

class WindowCommands {
public:
    struct Services {
        Desktop& desktop;
        EventLoop& loop;
        DisplayPower& displayPower;
        const SettingsModel& settings;
        const TargetTracker& tracker;
        WindowPlacer& placer;
        // The monitor index of the working window, which the commands lay windows out on.
        std::function<int()> workingMonitor;
        // The working window closes as its Close button closes it (with the closing flag set).
        std::function<void()> closeWorkingWindow;
        // The working window, when shown, goes back in front of a target just pinned on top; true
        // when it is in front of it (or hidden).
        std::function<bool(WindowId pinned)> raiseWorkingWindow;
    };

    // A maximised window moved to the next monitor is restored, moved and maximised again, each
    // step once the window's thread has carried out the one before: looked at this often, while
    // the program goes on handling its messages, for this long per step at most (a busy machine or
    // a slow program can take a second or more). A window that never gets there is maximised
    // again where it is, never left restored.
    static constexpr int kStepIntervalMs = 30;
    static constexpr int kStepWaitMs = 5000;
    // Once maximised, the window must stay so this long: a system that keeps its windows in step
    // with another display server may hand a late copy of the move back to it, which restores it;
    // it is then maximised again, at most kMaximiseTries times, no sooner than kRemaximiseMs apart.
    static constexpr int kMaximisedSettleMs = 500;
    static constexpr int kRemaximiseMs = 250;
    static constexpr int kMaximiseTries = 4;
    // A pinned target reaches the top of the topmost band when its own thread runs: the working
    // window is put back in front of it every kStepIntervalMs until then, for this long at most.
    static constexpr int kRaiseWaitMs = 5000;

    explicit WindowCommands(Services services);
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;
    WindowCommands(WindowCommands&&) = delete;
    WindowCommands& operator=(WindowCommands&&) = delete;
    ~WindowCommands();

    // Akcija1: the target's visible frame to the anchor on the working window's monitor. An
    // invisible target is left alone; otherwise its rectangle is saved for undo first.
    void place(Anchor anchor);
    // sbPinClick: the target is pinned on top of the others, or released, with the pin shown over
    // it for a moment.
    void toggleStayOnTop();
    // SBTransparentClick: the target is made translucent at the set level, or opaque again when it
    // has that level already.
    void toggleTransparent();
    // SbMinimizeClick, SBRestoreClick, SBMaxClick.
    void minimize();
    void restore();
    void maximize();
    // tile: the resizable windows on the working window's monitor share it in columns.
    void tile();
    // XI9Click: the displays are switched off and the working window closes.
    void sleep();
    // xi1Click: the target goes to the next monitor, keeping its offset and show state.
    void moveToNextMonitor();

    // The alpha that Transparent applies: 255 minus the "Windows transparency" setting.
    [[nodiscard]] int transparencyLevel() const;
    // The windows tile() would lay out now, in z-order.
    [[nodiscard]] std::vector<WindowId> tilingCandidates() const;

private:
    [[nodiscard]] WindowId target() const;
    [[nodiscard]] bool targetVisible() const;
    // One check of the maximised window's move; see kStepIntervalMs.
    void stepMaximisedMove();
    void stopMaximisedMove();
    // One check that the working window is in front of the window just pinned.
    void stepRaise();
    void stopRaise();

    Services services_;
    // Sends the restored window on by `monitors` steps from `from`; false when there is nowhere to go.
    bool sendOn(const Rect& from);
    // Asks the window to maximise where it is now.
    void maximiseMoved();
    void startStepTimer();

    struct MaximisedMove {
        WindowId window;
        // How many monitors on: one per press made before the restore had run.
        int monitors = 1;
        std::optional<Rect> movedTo; // set once the restored window was sent on
        int destination = 0;         // the monitor it was sent to
        std::int64_t deadlineMs = 0; // for the step waited for now
        // Set once it was asked to maximise there: when last, how often, since when it shows so.
        std::optional<std::int64_t> maximisedAtMs;
        int maximiseTries = 0;
        std::optional<std::int64_t> maximisedSinceMs;
    };
    std::optional<MaximisedMove> maximisedMove_;
    TimerId stepTimer_ = kNoTimer;
    WindowId pinned_;
    std::int64_t raiseUntilMs_ = 0;
    TimerId raiseTimer_ = kNoTimer;
};

} // namespace cellaro
