// The press repeat: the delay, then the steady rate.
#include "widgets/press_repeat.h"

#include <utility>

namespace cellaro {

void PressRepeat::setLoop(EventLoop& loop) {
    timer_ = std::make_unique<FormTimer>(loop, kDelayMs);
    timer_->onTimer = [this] { fire(); };
}

void PressRepeat::start(std::function<bool()> step) {
    stop();
    step_ = std::move(step);
    if (step_() && timer_) {
        timer_->setInterval(kDelayMs);
        timer_->setEnabled(true);
    }
}

void PressRepeat::stop() {
    if (timer_) {
        timer_->setEnabled(false);
    }
    step_ = nullptr;
}

void PressRepeat::fire() {
    timer_->setInterval(kIntervalMs);
    // A copy: the step may stop the repeat, which drops the stored one.
    const std::function<bool()> step = step_;
    if (!step || !step()) {
        stop();
    }
}

} // namespace cellaro
