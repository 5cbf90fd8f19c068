// Repeats a step while the mouse holds a button down, as the system's spin buttons and track bars
// do: once at the press, again after a delay, then at a steady rate until the release. Without an
// event loop to time it, the step runs at the press only.
#pragma once

#include "platform/event_loop.h"
#include "widgets/form_timer.h"

#include <functional>
#include <memory>

namespace cellaro {

class PressRepeat {
public:
    static constexpr int kDelayMs = 400;
    static constexpr int kIntervalMs = 50;

    PressRepeat() = default;
    PressRepeat(const PressRepeat&) = delete;
    PressRepeat& operator=(const PressRepeat&) = delete;
    PressRepeat(PressRepeat&&) = delete;
    PressRepeat& operator=(PressRepeat&&) = delete;
    ~PressRepeat() = default;

    void setLoop(EventLoop& loop);
    // Runs the step now and then repeatedly until stop(), or until the step answers false (it has
    // nothing more to do).
    void start(std::function<bool()> step);
    void stop();
    [[nodiscard]] bool repeating() const { return timer_ && timer_->enabled(); }

private:
    void fire();

    std::unique_ptr<FormTimer> timer_;
    std::function<bool()> step_;
};

} // namespace cellaro
