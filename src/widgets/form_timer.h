// A form's timer: an interval timer on the event loop that can be switched on and off and whose
// interval can change while it runs, as the program's timers are used.
#pragma once

#include "platform/event_loop.h"

#include <functional>

namespace cellaro {

class FormTimer {
public:
    explicit FormTimer(EventLoop& loop, int intervalMs = 1000);
    FormTimer(const FormTimer&) = delete;
    FormTimer& operator=(const FormTimer&) = delete;
    FormTimer(FormTimer&&) = delete;
    FormTimer& operator=(FormTimer&&) = delete;
    ~FormTimer(); // stops the timer

    [[nodiscard]] bool enabled() const { return enabled_; }
    // Switching on an enabled timer changes nothing (its phase continues).
    void setEnabled(bool enabled);
    [[nodiscard]] int interval() const { return intervalMs_; }
    // A new interval restarts an enabled timer from now. An interval of 0 or less keeps it from
    // running although it stays enabled.
    void setInterval(int intervalMs);
    // Whether the event loop has the timer running now.
    [[nodiscard]] bool running() const { return timer_ != kNoTimer; }

    std::function<void()> onTimer;

private:
    void restart();
    void stop();
    void fire() const;

    EventLoop& loop_;
    int intervalMs_;
    bool enabled_ = false;
    TimerId timer_ = kNoTimer;
};

} // namespace cellaro
