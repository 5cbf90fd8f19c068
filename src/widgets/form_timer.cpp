// The form timer over the event loop.
#include "widgets/form_timer.h"

namespace cellaro {

FormTimer::FormTimer(EventLoop& loop, int intervalMs) : loop_(loop), intervalMs_(intervalMs) {}

FormTimer::~FormTimer() {
    stop();
}

void FormTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    restart();
}

void FormTimer::setInterval(int intervalMs) {
    if (intervalMs == intervalMs_) {
        return;
    }
    intervalMs_ = intervalMs;
    restart();
}

void FormTimer::restart() {
    stop();
    if (enabled_ && intervalMs_ > 0) {
        timer_ = loop_.startTimer(intervalMs_, [this] { fire(); });
    }
}

void FormTimer::stop() {
    if (timer_ != kNoTimer) {
        loop_.stopTimer(timer_);
        timer_ = kNoTimer;
    }
}

void FormTimer::fire() const {
    // A copy: the handler may replace onTimer or switch this timer off while it runs.
    const std::function<void()> handler = onTimer;
    if (handler) {
        handler();
    }
}

} // namespace cellaro
