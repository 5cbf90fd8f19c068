// Tests of the simulated event loop (virtual clock and timers) and the simulated autostart registry.
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace cellaro::sim {
namespace {

// Records which timer fired at which time, as "name@ms".
class FiringLog {
public:
    explicit FiringLog(SimEventLoop& loop) : loop_(loop) {}
    std::function<void()> handler(const std::string& name) {
        return [this, name] { entries.push_back(name + "@" + std::to_string(loop_.nowMs())); };
    }
    std::vector<std::string> entries;

private:
    SimEventLoop& loop_;
};

using Log = std::vector<std::string>;

// A handler that stops its own timer, blocks 5 ms and starts itself again: its next firing counts
// from the restart, not from the old phase.
struct Restarter {
    SimEventLoop* loop;
    FiringLog* log;
    std::shared_ptr<TimerId> self;
    void operator()() const {
        log->handler("r")();
        loop->stopTimer(*self);
        loop->sleep(5);
        *self = loop->startTimer(100, *this);
    }
};

TEST(SimEventLoop, TimersFireOnTheirPhaseInTimeOrder) {
    SimEventLoop loop(1000);
    FiringLog log(loop);
    loop.startTimer(30, log.handler("a"));
    loop.startTimer(50, log.handler("b"));
    loop.advance(150);
    EXPECT_EQ(log.entries,
              (Log{"a@1030", "b@1050", "a@1060", "a@1090", "b@1100", "a@1120", "a@1150", "b@1150"}));
    EXPECT_EQ(loop.nowMs(), 1150);
    loop.advance(29); // nothing due until 1180
    EXPECT_EQ(log.entries.size(), 8U);
    loop.advance(1);
    EXPECT_EQ(log.entries.back(), "a@1180");
}

struct HandlerCase {
    const char* name;
    // Sets up timers on the loop, writing firings into the log.
    std::function<void(SimEventLoop&, FiringLog&)> setup;
    std::int64_t advanceMs;
    Log expected;
    friend void PrintTo(const HandlerCase& c, std::ostream* out) { *out << c.name; }
};

class TimerHandlers : public ::testing::TestWithParam<HandlerCase> {};

TEST_P(TimerHandlers, TakeEffectAtOnce) {
    const HandlerCase& c = GetParam();
    SimEventLoop loop;
    FiringLog log(loop);
    c.setup(loop, log);
    loop.advance(c.advanceMs);
    EXPECT_EQ(log.entries, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SimEventLoop, TimerHandlers,
    ::testing::Values(
        HandlerCase{"StopsItself",
                    [](SimEventLoop& loop, FiringLog& log) {
                        auto self = std::make_shared<TimerId>(kNoTimer);
                        *self = loop.startTimer(100, [&loop, &log, self] {
                            log.handler("once")();
                            loop.stopTimer(*self);
                        });
                    },
                    1000,
                    {"once@100"}},
        HandlerCase{"StopsAnotherDueAtTheSameTime",
                    [](SimEventLoop& loop, FiringLog& log) {
                        auto other = std::make_shared<TimerId>(kNoTimer);
                        loop.startTimer(100, [&loop, &log, other] {
                            log.handler("first")();
                            loop.stopTimer(*other);
                        });
                        *other = loop.startTimer(100, log.handler("second"));
                    },
                    250,
                    {"first@100", "first@200"}},
        HandlerCase{"StartsOneThatFiresInTheSameAdvance",
                    [](SimEventLoop& loop, FiringLog& log) {
                        auto started = std::make_shared<bool>(false);
                        loop.startTimer(100, [&loop, &log, started] {
                            log.handler("outer")();
                            if (!*started) {
                                *started = true;
                                loop.startTimer(30, log.handler("inner"));
                            }
                        });
                    },
                    200,
                    {"outer@100", "inner@130", "inner@160", "inner@190", "outer@200"}},
        HandlerCase{"RestartsItselfFromTheHandlersTime",
                    [](SimEventLoop& loop, FiringLog& log) {
                        const Restarter restarter{&loop, &log, std::make_shared<TimerId>(kNoTimer)};
                        *restarter.self = loop.startTimer(100, restarter);
                    },
                    320,
                    {"r@100", "r@205", "r@310"}},
        HandlerCase{
            "SleepingHandlerMakesOthersFireOnceLate",
            [](SimEventLoop& loop, FiringLog& log) {
                auto slept = std::make_shared<bool>(false);
                loop.startTimer(100, [&loop, &log, slept] {
                    log.handler("slow")();
                    if (!std::exchange(*slept, true)) {
                        loop.sleep(250);
                    }
                });
                loop.startTimer(40, log.handler("fast"));
            },
            400,
            // fast@40, 80: on time; slow sleeps 100..350; both coalesce what they missed into
            // one firing at 350 and resume their phase (fast 360, both 400: slow started first)
            {"fast@40", "fast@80", "slow@100", "fast@350", "slow@350", "fast@360", "slow@400", "fast@400"}},
        HandlerCase{"ZeroIntervalCountsAsMinimum",
                    [](SimEventLoop& loop, FiringLog& log) { loop.startTimer(0, log.handler("z")); },
                    25,
                    {"z@10", "z@20"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimEventLoop, SleepFiresNothingAndPendingMessagesCoalesce) {
    SimEventLoop loop;
    FiringLog log(loop);
    const TimerId tick = loop.startTimer(125, log.handler("tick"));
    loop.startTimer(1000, log.handler("slow"));
    loop.sleep(600);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(loop.nowMs(), 600);
    loop.processPendingMessages();
    EXPECT_EQ(log.entries, (Log{"tick@600"})); // four missed ticks, one firing; slow not due yet
    loop.processPendingMessages();
    EXPECT_EQ(log.entries.size(), 1U);
    EXPECT_EQ(loop.nowMs(), 600);
    loop.advance(25); // the tick keeps its phase: next at 625
    EXPECT_EQ(log.entries.back(), "tick@625");
    EXPECT_EQ(loop.firedCount(tick), 2U);
    EXPECT_EQ(loop.sleeps(), (std::vector<int>{600}));
}

TEST(SimEventLoop, HandlerLettingMessagesRunDoesNotReenterItself) {
    SimEventLoop loop;
    FiringLog log(loop);
    loop.startTimer(50, [&loop, &log] {
        log.handler("outer")();
        loop.sleep(200);
        loop.processPendingMessages();
    });
    loop.startTimer(60, log.handler("other"));
    loop.advance(50);
    EXPECT_EQ(log.entries, (Log{"outer@50", "other@250"}));
    EXPECT_EQ(loop.nowMs(), 250);
}

TEST(SimEventLoop, StoppedAndUnknownTimers) {
    SimEventLoop loop;
    FiringLog log(loop);
    const TimerId timer = loop.startTimer(100, log.handler("t"));
    EXPECT_TRUE(loop.isRunning(timer));
    EXPECT_EQ(loop.interval(timer), 100);
    loop.stopTimer(timer);
    loop.stopTimer(timer);
    loop.stopTimer(12345);
    loop.advance(500);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(loop.runningCount(), 0U);
    EXPECT_NE(loop.startTimer(10, [] {}), timer); // ids are not reused
}

TEST(SimEventLoop, RunawayTimerStartsAreCaught) {
    SimEventLoop loop;
    loop.setFiringLimit(1000);
    // Every firing starts two more timers: the count doubles each 10 ms.
    std::function<void()> breed;
    breed = [&loop, &breed] {
        loop.startTimer(10, breed);
        loop.startTimer(10, breed);
    };
    loop.startTimer(10, breed);
    EXPECT_THROW(loop.advance(1000), std::runtime_error);
}

// ----- Yielding to other threads -----

TEST(SimEventLoop, OtherThreadsRunWheneverTheProgramsThreadYields) {
    SimEventLoop loop;
    FiringLog log(loop);
    loop.addYieldHandler(log.handler("first"));
    loop.addYieldHandler(log.handler("second"));
    loop.startTimer(100, [&loop, &log] {
        log.handler("tick")();
        loop.processPendingMessages(); // a handler letting messages run yields too
    });

    // Before each firing, at its due time, and once at the end; handlers in the order added.
    loop.advance(250);
    EXPECT_EQ(log.entries,
              (Log{"first@100", "second@100", "tick@100", "first@100", "second@100", "first@200",
                   "second@200", "tick@200", "first@200", "second@200", "first@250", "second@250"}));

    // A sleep yields once the clock has moved; pending messages yield before the overdue timers.
    log.entries.clear();
    loop.sleep(60);
    loop.processPendingMessages();
    EXPECT_EQ(log.entries, (Log{"first@310", "second@310", "first@310", "second@310", "tick@310", "first@310",
                                "second@310"}));
    EXPECT_EQ(loop.yieldCount(), 8U);
}

// ----- The message hook -----

TEST(SimEventLoop, MessageHookSeesEveryFiringFirstAndMayStopIt) {
    SimEventLoop loop;
    FiringLog log(loop);
    TimerId gated = kNoTimer;
    bool gateOpen = true;
    loop.setMessageHook([&] {
        log.handler("hook")();
        if (!gateOpen) {
            loop.stopTimer(gated);
        }
    });
    gated = loop.startTimer(100, log.handler("gated"));
    loop.startTimer(150, log.handler("other"));
    loop.advance(150);
    // A timer the hook stops does not fire, in advance() and in processPendingMessages() alike.
    gateOpen = false;
    loop.sleep(60);
    loop.processPendingMessages();
    loop.advance(90);
    EXPECT_EQ(log.entries,
              (Log{"hook@100", "gated@100", "hook@150", "other@150", "hook@210", "hook@300", "other@300"}));
    loop.setMessageHook({});
    EXPECT_FALSE(loop.hasMessageHook());
}

// ----- Autostart registry -----

TEST(SimAutostartRegistry, StoresValuesAndFailsOnDemand) {
    SimAutostartRegistry registry;
    EXPECT_EQ(registry.runValue("Cellaro"), std::nullopt);
    EXPECT_TRUE(registry.setRunValue("Cellaro", "\"C:\\Cellaro\\cellaro.exe\""));
    EXPECT_EQ(registry.runValue("CELLARO"), "\"C:\\Cellaro\\cellaro.exe\"");

    registry.setWritesFail(true);
    EXPECT_FALSE(registry.setRunValue("Cellaro", "other"));
    EXPECT_FALSE(registry.deleteRunValue("Cellaro"));
    EXPECT_EQ(registry.runValue("Cellaro"), "\"C:\\Cellaro\\cellaro.exe\"");

    registry.setReadsFail(true);
    EXPECT_EQ(registry.runValue("Cellaro"), std::nullopt);

    registry.setReadsFail(false);
    registry.setWritesFail(false);
    EXPECT_TRUE(registry.deleteRunValue("cellaro"));
    EXPECT_TRUE(registry.deleteRunValue("cellaro")); // absent afterwards: still true
    EXPECT_EQ(registry.valueCount(), 0U);
    EXPECT_EQ(registry.writeCount(), 5U);
}

} // namespace
} // namespace cellaro::sim
