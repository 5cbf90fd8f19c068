// The simulated event loop: a virtual clock that tests move forward, and interval timers that fire
// on it in time order, as the user-interface thread's timers do.
#pragma once

#include "platform/event_loop.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace cellaro::sim {

// Timer rules:
// - A timer with interval N started at time S is due at S+N, S+2N, ... (the phase never drifts).
// - advance() fires every due timer at its due time, in time order (equal times in the order the
//   timers were started). A timer that a handler starts or stops takes effect at once.
// - A timer that falls behind (the thread slept, or a handler took long) fires once when it is
//   next looked at, not once per missed interval, and is then due at its next phase point.
// - A timer is never fired again from inside its own handler (a handler that lets pending messages
//   run would otherwise recurse into itself).
// - Intervals below 10 ms count as 10 ms, the system's minimum.
// - Each timer firing is a message taken from the queue: the message hook runs first, and a timer
//   that the hook stopped does not fire.
// Input:
// - Input that a test posts (postInput: a click, a key press, a hot key) waits in the thread's
//   queue until the program's thread takes messages: at the start of advance(), and in
//   processPendingMessages(), which is also what a modal loop of the system runs (message boxes,
//   dialogs, menus: the simulated shell's do). So input can arrive inside a box, as on Windows.
//   Each input is taken from the queue before it runs; input it posts waits for the next look.
// Other threads:
// - The other programs' threads run whenever the program's thread yields: at the start of
//   processPendingMessages(), in sleep() once the clock has moved, and in advance() before each
//   timer firing (with the clock at its due time) and once at the end. There the loop calls its
//   yield handlers, in the order they were added; a simulated desktop hangs its runOtherThreads()
//   there, so that what the program posted to other windows lands when it would on the system.
//   Within one handler of the program nothing else runs.
class SimEventLoop final : public EventLoop {
public:
    static constexpr int kMinimumIntervalMs = 10;
    // advance() gives up (throws std::runtime_error) after this many firings in one call: handlers
    // that keep starting timers faster than time passes would otherwise never let it return.
    static constexpr std::size_t kDefaultFiringLimit = 1'000'000;

    explicit SimEventLoop(std::int64_t startMs = 0) : now_(startMs) {}

    // ----- Driving time -----

    // Moves the clock forward by ms, firing the timers that fall due on the way.
    void advance(std::int64_t ms);
    void setFiringLimit(std::size_t limit) { firingLimit_ = limit; }
    // Adds a handler called whenever the program's thread yields (see above). Handlers must not
    // call back into the loop.
    void addYieldHandler(std::function<void()> handler);
    // The program's thread yields now: the yield handlers run (also called by the loop itself).
    void yieldToOtherThreads();
    // Queues input for the program's thread (see above).
    void postInput(std::function<void()> input);
    [[nodiscard]] std::size_t queuedInputCount() const { return input_.size(); }

    // ----- Inspecting -----

    [[nodiscard]] bool isRunning(TimerId timer) const { return timers_.contains(timer); }
    [[nodiscard]] std::size_t runningCount() const { return timers_.size(); }
    // The interval of a running timer, or 0.
    [[nodiscard]] int interval(TimerId timer) const;
    // How many times the timer has fired so far (also after it was stopped).
    [[nodiscard]] std::size_t firedCount(TimerId timer) const;
    // The blocking waits the program made, in order.
    [[nodiscard]] const std::vector<int>& sleeps() const { return sleeps_; }
    [[nodiscard]] std::size_t pendingMessageRuns() const { return pendingMessageRuns_; }
    // How many times the program's thread has yielded so far.
    [[nodiscard]] std::size_t yieldCount() const { return yields_; }
    [[nodiscard]] bool hasMessageHook() const { return messageHook_ != nullptr && *messageHook_; }

    // ----- The event-loop port -----

    [[nodiscard]] std::int64_t nowMs() const override { return now_; }
    TimerId startTimer(int intervalMs, std::function<void()> handler) override;
    void stopTimer(TimerId timer) override;
    // Fires each overdue timer once, without moving the clock.
    void processPendingMessages() override;
    // Moves the clock forward without firing anything: the thread is blocked.
    void sleep(int ms) override;
    void setMessageHook(std::function<void()> hook) override;

private:
    struct Timer {
        int intervalMs = 0;
        std::int64_t dueMs = 0;
        bool firing = false;
        // Shared so that a handler that stops its own timer keeps running to its end.
        std::shared_ptr<std::function<void()>> handler;
    };

    // The running timer due soonest at or before `limitMs`, not currently firing; kNoTimer if none.
    [[nodiscard]] TimerId nextDue(std::int64_t limitMs) const;
    void fire(TimerId id);
    // Dispatches the input queued now, oldest first (not what it queues in turn).
    void dispatchInput();

    std::int64_t now_ = 0;
    TimerId nextId_ = 1;
    std::map<TimerId, Timer> timers_; // ordered by id, which is the order of starting
    std::map<TimerId, std::size_t> firings_;
    std::vector<int> sleeps_;
    std::size_t pendingMessageRuns_ = 0;
    std::size_t firingLimit_ = kDefaultFiringLimit;
    std::vector<std::function<void()>> yieldHandlers_;
    std::deque<std::function<void()>> input_;
    std::size_t yields_ = 0;
    // Shared so that a hook that replaces itself keeps running to its end.
    std::shared_ptr<std::function<void()>> messageHook_;
};

} // namespace cellaro::sim
