// Time and the user-interface thread's message loop, as the program's timers use them.
#pragma once

#include <cstdint>
#include <functional>

namespace cellaro {

using TimerId = std::uint32_t;
inline constexpr TimerId kNoTimer = 0;

class EventLoop {
public:
    EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;
    EventLoop(EventLoop&&) = delete;
    EventLoop& operator=(EventLoop&&) = delete;
    virtual ~EventLoop() = default;

    // Milliseconds since an arbitrary start, monotonic.
    [[nodiscard]] virtual std::int64_t nowMs() const = 0;

    // Calls the handler every interval on the user-interface thread until stopped. Like the
    // system's timers, a timer that falls behind fires once, not once per missed interval.
    virtual TimerId startTimer(int intervalMs, std::function<void()> handler) = 0;
    // Stopping an unknown or already stopped timer does nothing.
    virtual void stopTimer(TimerId timer) = 0;

    // Runs the messages (and due timers) that are already waiting, then returns.
    virtual void processPendingMessages() = 0;
    // Blocks the thread for the given time; nothing runs meanwhile.
    virtual void sleep(int ms) = 0;

    // The application's one message hook: called for every message the program's loop takes from
    // its queue, before the message is dispatched. A new hook replaces the previous one; an empty
    // function removes it.
    virtual void setMessageHook(std::function<void()> hook) = 0;
};

} // namespace cellaro
