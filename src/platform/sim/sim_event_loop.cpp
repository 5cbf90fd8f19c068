// The simulated event loop: virtual clock and interval timers.
#include "platform/sim/sim_event_loop.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace cellaro::sim {

void SimEventLoop::advance(std::int64_t ms) {
    const std::int64_t target = now_ + std::max<std::int64_t>(ms, 0);
    dispatchInput();
    std::size_t firings = 0;
    for (TimerId due = nextDue(target); due != kNoTimer; due = nextDue(target)) {
        if (++firings > firingLimit_) {
            throw std::runtime_error("SimEventLoop::advance: more than " + std::to_string(firingLimit_) +
                                     " timer firings in one call; a handler keeps starting timers");
        }
        // A handler may have slept past the due time; the clock never runs backwards.
        now_ = std::max(now_, timers_.at(due).dueMs);
        yieldToOtherThreads();
        fire(due);
    }
    now_ = std::max(now_, target);
    yieldToOtherThreads();
}

void SimEventLoop::addYieldHandler(std::function<void()> handler) {
    yieldHandlers_.push_back(std::move(handler));
}

void SimEventLoop::yieldToOtherThreads() {
    ++yields_;
    for (const std::function<void()>& handler : yieldHandlers_) {
        handler();
    }
}

int SimEventLoop::interval(TimerId timer) const {
    const auto found = timers_.find(timer);
    return found == timers_.end() ? 0 : found->second.intervalMs;
}

std::size_t SimEventLoop::firedCount(TimerId timer) const {
    const auto found = firings_.find(timer);
    return found == firings_.end() ? 0 : found->second;
}

TimerId SimEventLoop::startTimer(int intervalMs, std::function<void()> handler) {
    const TimerId id = nextId_++;
    Timer timer;
    timer.intervalMs = std::max(intervalMs, kMinimumIntervalMs);
    timer.dueMs = now_ + timer.intervalMs;
    timer.handler = std::make_shared<std::function<void()>>(std::move(handler));
    timers_.emplace(id, std::move(timer));
    return id;
}

void SimEventLoop::stopTimer(TimerId timer) {
    timers_.erase(timer);
}

void SimEventLoop::postInput(std::function<void()> input) {
    input_.push_back(std::move(input));
}

void SimEventLoop::dispatchInput() {
    for (std::size_t count = input_.size(); count > 0 && !input_.empty(); --count) {
        const std::function<void()> input = std::move(input_.front());
        input_.pop_front();
        input();
    }
}

void SimEventLoop::processPendingMessages() {
    ++pendingMessageRuns_;
    yieldToOtherThreads();
    dispatchInput();
    // Only what is overdue now: timers that the handlers start are due later and wait.
    std::vector<TimerId> overdue;
    for (const auto& [id, timer] : timers_) {
        if (timer.dueMs <= now_ && !timer.firing) {
            overdue.push_back(id);
        }
    }
    std::stable_sort(overdue.begin(), overdue.end(),
                     [this](TimerId a, TimerId b) { return timers_.at(a).dueMs < timers_.at(b).dueMs; });
    for (const TimerId id : overdue) {
        const auto found = timers_.find(id);
        // An earlier handler may have stopped it, or let it fire from a nested call.
        if (found != timers_.end() && found->second.dueMs <= now_ && !found->second.firing) {
            fire(id);
        }
    }
}

void SimEventLoop::sleep(int ms) {
    sleeps_.push_back(ms);
    now_ += std::max(ms, 0);
    yieldToOtherThreads();
}

TimerId SimEventLoop::nextDue(std::int64_t limitMs) const {
    TimerId best = kNoTimer;
    std::int64_t bestDue = 0;
    for (const auto& [id, timer] : timers_) {
        if (timer.firing || timer.dueMs > limitMs) {
            continue;
        }
        if (best == kNoTimer || timer.dueMs < bestDue) {
            best = id;
            bestDue = timer.dueMs;
        }
    }
    return best;
}

void SimEventLoop::setMessageHook(std::function<void()> hook) {
    messageHook_ = std::make_shared<std::function<void()>>(std::move(hook));
}

void SimEventLoop::fire(TimerId id) {
    // The timer's message has been taken from the queue: the hook sees it before it is dispatched,
    // and may stop the timer (or others) on the way.
    const std::shared_ptr<std::function<void()>> hook = messageHook_;
    if (hook && *hook) {
        (*hook)();
        if (!timers_.contains(id)) {
            return;
        }
    }
    Timer& timer = timers_.at(id);
    // Next phase point strictly after now: missed intervals are coalesced into this one firing.
    const std::int64_t missed = (now_ - timer.dueMs) / timer.intervalMs;
    timer.dueMs += (missed + 1) * timer.intervalMs;
    timer.firing = true;
    ++firings_[id];
    const std::shared_ptr<std::function<void()>> handler = timer.handler;
    (*handler)();
    // The handler may have stopped the timer (the reference above is then gone).
    const auto still = timers_.find(id);
    if (still != timers_.end()) {
        still->second.firing = false;
    }
}

} // namespace cellaro::sim
