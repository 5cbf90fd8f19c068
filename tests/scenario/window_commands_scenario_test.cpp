// Scenario: the working window's "gumbi" page and the tray's "Move to next monitor" acting on the
// target window of a simulated desktop, clicked as the user clicks them; what the target's thread
// carries out is looked at once the program's thread has yielded.
#include "app/program.h"
#include "app/tray_form.h"
#include "forms/working/working_window.h"
#include "logic/command_layout.h"
#include "logic/pictures.h"
#include "logic/pin_indicator.h"
#include "logic/tray_menu.h"
#include "logic/window_commands.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/gradient_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using sim::SimDesktop;
using sim::WindowOptions;
using testing::TargetShown;
using testing::TargetShownOptions;

constexpr Monitor kSecondFullHd = [] {
    Monitor monitor;
    monitor.bounds = Rect::fromBounds(1920, 0, 1920, 1080);
    monitor.workArea = Rect::fromBounds(1920, 0, 1920, 1040);
    return monitor;
}();

// The scene with the commands page up; `press` clicks one of its buttons and lets the target's
// thread run.
struct Commands : TargetShown {
    explicit Commands(const TargetShownOptions& options = {}) : TargetShown(options) {
        testing::click(machine.host, working, "SbMonitor");
    }
    bool press(std::string_view button) {
        const bool clicked = testing::click(machine.host, working, button);
        machine.loop.processPendingMessages();
        return clicked;
    }
    // The working window stands on the monitor with this index.
    void moveWorkingWindowTo(int monitor) {
        const Rect bounds = machine.desktop.monitors().at(static_cast<std::size_t>(monitor)).bounds;
        working.setBounds(
            Rect::fromBounds(bounds.left + 300, 300, working.bounds().width(), working.bounds().height()));
        ASSERT_EQ(working.monitorIndex(), monitor);
    }
    WindowId addWindow(const std::string& title, Rect bounds, ShowState state = ShowState::Normal) {
        WindowOptions options;
        options.title = title;
        options.bounds = bounds;
        options.state = state;
        return machine.desktop.createWindow(options);
    }
    [[nodiscard]] Rect rectOf(WindowId window) const {
        return machine.desktop.windowRect(window).value_or(Rect{});
    }
};

TargetShownOptions sized(Rect bounds, int monitors = 1) {
    TargetShownOptions options;
    options.monitors = monitors;
    options.bounds = bounds;
    return options;
}

// ----- Anchors ------------------------------------------------------------------------------------

TEST(WindowCommands, AnchorsPlaceTheTargetOnTheWorkingWindowsMonitorKeepingItsSize) {
    struct Case {
        std::string_view button;
        Point at;
    };
    for (const Case& c :
         {Case{"X3", {3440, 0}}, Case{"X5", {2680, 370}}, Case{"x1", {1920, 0}}, Case{"X9", {3440, 740}}}) {
        Commands p(sized(Rect::fromBounds(150, 120, 400, 300), 2));
        p.machine.desktop.replaceMonitor(1, kSecondFullHd);
        p.moveWorkingWindowTo(1);
        ASSERT_TRUE(p.press(c.button)) << c.button;
        EXPECT_EQ(p.targetRect(), Rect::fromBounds(c.at.x, c.at.y, 400, 300)) << c.button;
        // The rectangle before the placement was saved for undo.
        p.undo();
        EXPECT_EQ(p.targetRect(), Rect::fromBounds(150, 120, 400, 300)) << c.button;
    }
}

TEST(WindowCommands, AnchorsActOnTheWorkingWindowsOwnMonitorWithOneLeftOfThePrimary) {
    Commands p(sized(Rect::fromBounds(150, 120, 400, 300), 2));
    p.machine.desktop.replaceMonitor(1, SimDesktop::makeMonitor(-1280, 0, 1280, 1024, 0, false));
    ASSERT_EQ(p.working.monitorIndex(), 0);
    for (const auto& [button, at] : {std::pair{"x1", Point{0, 0}}, std::pair{"X2", Point{760, 0}},
                                     std::pair{"X3", Point{1520, 0}}, std::pair{"X9", Point{1520, 740}}}) {
        ASSERT_TRUE(p.press(button)) << button;
        EXPECT_EQ(p.targetRect(), Rect::fromBounds(at.x, at.y, 400, 300)) << button;
    }
    // The working window taken onto the left monitor: the anchors measure from that one's edges.
    p.working.setBounds(Rect::fromBounds(-900, 300, p.working.bounds().width(), p.working.bounds().height()));
    ASSERT_EQ(p.working.monitorIndex(), 1);
    for (const auto& [button, at] : {std::pair{"x1", Point{-1280, 0}}, std::pair{"X2", Point{-840, 0}},
                                     std::pair{"X3", Point{-400, 0}}, std::pair{"X9", Point{-400, 724}}}) {
        ASSERT_TRUE(p.press(button)) << button;
        EXPECT_EQ(p.targetRect(), Rect::fromBounds(at.x, at.y, 400, 300)) << button;
    }
}

TEST(WindowCommands, AnchorsLeaveAnInvisibleTargetAlone) {
    Commands p;
    p.machine.desktop.setVisible(p.target, false);
    p.press("X5");
    p.press("XI5");
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(150, 120, 700, 500));
    EXPECT_FALSE(p.machine.desktop.isTopmost(p.target));
    EXPECT_TRUE(p.machine.desktop.screenPaints().empty());
}

// ----- Stay on top ---------------------------------------------------------------------------------

TEST(WindowCommands, StayOnTopPinsAndReleasesWithThePinShownAtTheTopCentre) {
    Commands p;
    const Point at = pinIndicatorPoint(Rect::fromBounds(150, 120, 700, 500));
    p.press("XI5");
    EXPECT_TRUE(p.machine.desktop.isTopmost(p.target));
    ASSERT_EQ(p.machine.desktop.screenPaints().size(), 1U);
    EXPECT_EQ(p.machine.desktop.screenPaints()[0].at, at);
    EXPECT_EQ(p.machine.desktop.screenPaints()[0].picture, pinPicture(true));
    EXPECT_EQ(p.machine.loop.sleeps().back(), kPinIndicatorShowMs);
    // The working window stays in front of the pinned target, in reach.
    const std::vector<WindowId> zOrder = p.machine.desktop.topLevelWindows();
    EXPECT_LT(std::ranges::find(zOrder, p.working.id()), std::ranges::find(zOrder, p.target));

    p.press("XI5");
    EXPECT_FALSE(p.machine.desktop.isTopmost(p.target));
    ASSERT_EQ(p.machine.desktop.screenPaints().size(), 2U);
    EXPECT_EQ(p.machine.desktop.screenPaints()[1].picture, pinPicture(false));
    // The nudge that wipes the pin leaves the window where it was.
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(150, 120, 700, 500));
}

TEST(WindowCommands, ThePinIsDrawnAtTheScaleOfTheTargetsMonitor) {
    Commands p(TargetShownOptions::atDpi(144));
    p.press("XI5");
    ASSERT_EQ(p.machine.desktop.screenPaints().size(), 1U);
    EXPECT_EQ(p.machine.desktop.screenPaints()[0].picture, pinPicture(true, 144));
    EXPECT_EQ(p.machine.desktop.screenPaints()[0].at, pinIndicatorPoint(p.targetRect(), 144));
}

// ----- Transparent ---------------------------------------------------------------------------------

TEST(WindowCommands, TransparentAppliesTheLevelThenMakesTheWindowOpaque) {
    struct Case {
        const char* what;
        std::optional<std::string> config;
        std::optional<std::uint8_t> before;
        std::uint8_t level;
    };
    const std::vector<Case> cases{
        {"no file, opaque window", std::nullopt, std::nullopt, 95},
        {"made transparent by another program", std::nullopt, 200, 95},
        {"level from the file", "[Options]\r\nTransparent=55\r\n", std::nullopt, 200},
    };
    for (const Case& c : cases) {
        TargetShownOptions options;
        options.config = c.config;
        Commands p(options);
        if (c.before) {
            p.machine.desktop.restyle(p.target, exstyle::kLayered, c.before);
        }
        p.press("XI4");
        EXPECT_EQ(p.machine.desktop.opacity(p.target), c.level) << c.what;
        EXPECT_NE(p.machine.desktop.extendedStyles(p.target) & exstyle::kLayered, 0U) << c.what;
        p.press("XI4");
        EXPECT_EQ(p.machine.desktop.opacity(p.target), std::nullopt) << c.what;
        EXPECT_EQ(p.machine.desktop.extendedStyles(p.target) & exstyle::kLayered, 0U) << c.what;
    }
}

// ----- Minimize, restore, maximize -----------------------------------------------------------------

TEST(WindowCommands, MinimizeRestoreAndMaximizeChangeTheShowState) {
    Commands p;
    p.press("XI8");
    EXPECT_EQ(p.targetState(), ShowState::Maximized);
    p.press("XI7");
    EXPECT_EQ(p.targetState(), ShowState::Normal);
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(150, 120, 700, 500));
    p.press("XI6");
    EXPECT_EQ(p.targetState(), ShowState::Minimized);
    p.press("XI7");
    EXPECT_EQ(p.targetState(), ShowState::Normal);
}

// Clicking the page's button brings the working window in front, so the desktop is in front only
// when the command comes from elsewhere (a shortcut).
TEST(WindowCommands, MinimizeDoesNothingWhileTheDesktopIsInFront) {
    Commands p;
    p.machine.desktop.activateDesktop();
    p.program.windowCommands().minimize();
    p.machine.loop.processPendingMessages();
    EXPECT_EQ(p.targetState(), ShowState::Normal);
    p.machine.desktop.activate(p.target);
    p.program.windowCommands().minimize();
    p.machine.loop.processPendingMessages();
    EXPECT_EQ(p.targetState(), ShowState::Minimized);
}

// ----- Tile ----------------------------------------------------------------------------------------

TEST(WindowCommands, TileSharesTheMonitorAmongItsResizableWindows) {
    for (const int extra : {0, 1, 9}) {
        Commands p;
        std::vector<WindowId> windows;
        for (int k = 0; k < extra; ++k) {
            windows.push_back(
                p.addWindow("Window " + std::to_string(k), Rect::fromBounds(200 + k, 200, 500, 400)));
        }
        p.press("XI3");
        const int n = extra + 1;
        if (n < 2) {
            EXPECT_EQ(p.targetRect(), Rect::fromBounds(150, 120, 700, 500));
            EXPECT_EQ(p.machine.desktop.callCount(sim::CallKind::Move, p.target), 0U);
            continue;
        }
        // In z-order, the newest window first; the target was created first.
        const std::vector<WindowId> candidates = p.program.windowCommands().tilingCandidates();
        ASSERT_EQ(candidates.size(), static_cast<std::size_t>(n)) << n;
        const std::vector<Rect> tiles = tileRects(n, p.machine.desktop.monitors()[0]);
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            EXPECT_EQ(p.rectOf(candidates[k]), tiles[k]) << n << " windows, tile " << k;
            // The one-pixel gaps before the columns may reach a pixel per column past the edge.
            EXPECT_LE(p.rectOf(candidates[k]).right, 1920 + tileGrid(n).columns) << n;
        }
        if (n == 2) {
            EXPECT_EQ(tiles, (std::vector<Rect>{Rect::fromBounds(1, 0, 1920, 520),
                                                Rect::fromBounds(1, 520, 1920, 520)}));
        }
    }
}

TEST(WindowCommands, TileCountsOnlyTheWindowsOnTheWorkingWindowsMonitor) {
    Commands p(TargetShownOptions::onMonitors(2));
    const WindowId second = p.addWindow("Second", Rect::fromBounds(300, 300, 500, 400));
    std::vector<WindowId> away;
    for (int k = 0; k < 3; ++k) {
        away.push_back(
            p.addWindow("Away " + std::to_string(k), Rect::fromBounds(2000 + 10 * k, 100, 500, 400)));
    }
    p.press("XI3");
    EXPECT_EQ(p.rectOf(second), Rect::fromBounds(1, 0, 1920, 520));
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(1, 520, 1920, 520));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(p.rectOf(away[static_cast<std::size_t>(k)]),
                  Rect::fromBounds(2000 + 10 * k, 100, 500, 400));
    }
}

TEST(WindowCommands, TileSkipsMinimisedCloakedFixedAndExcludedWindowsAndRestoresMaximisedOnes) {
    Commands p;
    const Rect somewhere = Rect::fromBounds(400, 300, 500, 400);
    const WindowId minimised = p.addWindow("Minimised", somewhere, ShowState::Minimized);
    const WindowId maximised = p.addWindow("Maximised", somewhere, ShowState::Maximized);
    const WindowId start = p.addWindow("Start", somewhere);
    const WindowId startMenu = p.addWindow("Start menu", somewhere);
    const WindowId untitled = p.addWindow("", somewhere);
    const WindowId cloaked = p.addWindow("Cloaked", somewhere);
    p.machine.desktop.setCloaked(cloaked, true);
    WindowOptions fixed;
    fixed.title = "Fixed size";
    fixed.bounds = somewhere;
    fixed.styles = style::kCaption | style::kSysMenu;
    const WindowId fixedSize = p.machine.desktop.createWindow(fixed);

    p.press("XI3");
    // Three candidates, newest first: Start menu, Maximised, then the target.
    EXPECT_EQ(p.rectOf(startMenu), Rect::fromBounds(1, 0, 1920, 346));
    EXPECT_EQ(p.rectOf(maximised), Rect::fromBounds(1, 346, 1920, 346));
    EXPECT_EQ(p.machine.desktop.placement(maximised)->state, ShowState::Normal);
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(1, 692, 1920, 346));
    EXPECT_TRUE(p.machine.desktop.isMinimized(minimised));
    for (const WindowId left : {start, untitled, cloaked, fixedSize}) {
        EXPECT_EQ(p.rectOf(left), somewhere) << p.machine.desktop.title(left);
    }
}

// ----- Next monitor --------------------------------------------------------------------------------

struct TwoFullHd : Commands {
    explicit TwoFullHd(Rect bounds, ShowState state = ShowState::Normal)
        : Commands([&] {
              TargetShownOptions options = sized(bounds, 2);
              options.state = state;
              return options;
          }()) {
        machine.desktop.replaceMonitor(1, kSecondFullHd);
    }
};

TEST(WindowCommands, NextMonitorKeepsTheOffsetThereAndBack) {
    TwoFullHd p(Rect::fromBounds(100, 50, 800, 600));
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    ASSERT_TRUE(p.press("xi1"));
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(2020, 50, 800, 600));
    p.press("xi1");
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(100, 50, 800, 600));
}

TEST(WindowCommands, NextMonitorPullsAWindowNearTheBottomUpToTheMiddle) {
    TwoFullHd p(Rect::fromBounds(100, 1060, 800, 600));
    p.press("xi1");
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(2020, 540, 800, 600));
}

TEST(WindowCommands, NextMonitorMaximisesAMaximisedWindowAgainOnTheNextMonitor) {
    TwoFullHd p(Rect::fromBounds(100, 50, 800, 600), ShowState::Maximized);
    ASSERT_EQ(p.targetState(), ShowState::Maximized);
    p.press("xi1");
    // Restored, moved and maximised again, each once the one before has been carried out.
    p.machine.loop.advance(3 * WindowCommands::kStepIntervalMs);
    EXPECT_EQ(p.targetState(), ShowState::Maximized);
    EXPECT_EQ(p.targetFrame(), kSecondFullHd.workArea);
    // Restored, it keeps its offset on the new monitor.
    p.press("XI7");
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(2020, 50, 800, 600));
}

TEST(WindowCommands, AMaximisedWindowThatHangsWhileRestoringIsLeftRestoredWhereItWas) {
    TwoFullHd p(Rect::fromBounds(100, 50, 800, 600), ShowState::Maximized);
    p.machine.desktop.setHung(p.target, true);
    p.press("xi1");
    p.machine.loop.advance(WindowCommands::kStepWaitMs + 2 * WindowCommands::kStepIntervalMs);
    p.machine.desktop.setHung(p.target, false);
    p.machine.loop.advance(10 * WindowCommands::kStepIntervalMs);
    EXPECT_EQ(p.targetState(), ShowState::Normal);
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(100, 50, 800, 600));
}

TEST(WindowCommands, TheTrayMenuMovesToTheNextMonitorOnlyWithTwoMonitors) {
    for (const int monitors : {1, 2}) {
        Commands p(sized(Rect::fromBounds(100, 50, 800, 600), monitors));
        p.machine.loop.advance(Program::kTrackingIntervalMs);
        const std::vector<MenuItem> items = p.program.trayForm().menuItems();
        const auto item = std::ranges::find(items, std::string("MovetoNextMonitor1"), &MenuItem::name);
        ASSERT_NE(item, items.end());
        EXPECT_EQ(item->visible, monitors == 2);
        EXPECT_TRUE(item->enabled);
        EXPECT_EQ(p.working.commandsPage().nextMonitorButton().visible(), monitors == 2);

        p.program.trayForm().runCommand(CommandCall::of(Command::MoveToNextMonitor));
        p.machine.loop.processPendingMessages();
        EXPECT_EQ(p.targetRect(),
                  monitors == 2 ? Rect::fromBounds(2020, 50, 800, 600) : Rect::fromBounds(100, 50, 800, 600))
            << monitors;
        if (monitors == 1) {
            EXPECT_EQ(p.machine.desktop.callCount(sim::CallKind::Move, p.target), 0U);
        }
    }
}

// ----- Sleep ---------------------------------------------------------------------------------------

TEST(WindowCommands, SleepSwitchesTheDisplaysOffAndClosesTheWorkingWindow) {
    Commands p;
    p.press("XI9");
    EXPECT_EQ(p.machine.displayPower.offRequests(), 1U);
    EXPECT_FALSE(p.working.visible());
    EXPECT_TRUE(p.working.closing());
}

// ----- Targets that don't answer -------------------------------------------------------------------

TEST(WindowCommands, AHungTargetNeverBlocksAndCatchesUpWhenItAnswers) {
    TwoFullHd p(Rect::fromBounds(100, 50, 800, 600));
    p.machine.desktop.setHung(p.target, true);
    for (const std::string_view button : {"X3", "XI5", "XI4", "xi1", "XI8", "XI7", "XI6", "XI3"}) {
        ASSERT_TRUE(p.press(button)) << button;
    }
    // Only Transparent asks the window for an answer (its style changes), and gives up at once.
    EXPECT_EQ(p.machine.desktop.timedOutCount(), 1U);
    EXPECT_EQ(p.machine.desktop.opacity(p.target), std::nullopt);
    EXPECT_GT(p.machine.desktop.pendingCount(p.target), 0U);
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(100, 50, 800, 600));
    p.machine.desktop.setHung(p.target, false);
    EXPECT_EQ(p.machine.desktop.pendingCount(p.target), 0U);
}

TEST(WindowCommands, AVanishedTargetIsLeftAloneByEveryButton) {
    Commands p;
    const WindowId other = p.addWindow("Other", Rect::fromBounds(400, 300, 500, 400));
    p.machine.desktop.destroyWindow(p.target);
    p.machine.desktop.clearCalls();
    for (const std::string_view button : {"x1", "X5", "XI5", "XI4", "xi1", "XI8", "XI7", "XI6"}) {
        p.press(button);
    }
    EXPECT_EQ(p.rectOf(other), Rect::fromBounds(400, 300, 500, 400));
    for (const sim::Call& call : p.machine.desktop.calls()) {
        EXPECT_TRUE(call.window != other) << sim::describe(call);
    }
}

} // namespace
} // namespace cellaro
