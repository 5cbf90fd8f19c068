// Scenario: every everyday monitor layout, mixed display scales and slow programs. The commands act
// on the monitor the working window is on wherever that lies (left of the primary, above, below);
// the full-screen grid covers exactly its monitor at any scale and a release places exactly the
// cells; waits on another program's window wait for its state, bounded in seconds.
#include "app/program.h"
#include "app/tray_form.h"
#include "forms/preview_rectangle.h"
#include "forms/working/full_screen_grid.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "logic/window_commands.h"
#include "logic/window_placer.h"
#include "support/target_shown.h"
#include "support/ui.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

using testing::SecondMonitor;
using testing::TargetShown;
using testing::TargetShownOptions;

TargetShownOptions layout(SecondMonitor where, Rect target = Rect::fromBounds(150, 120, 400, 300)) {
    TargetShownOptions options = TargetShownOptions::onMonitors(2);
    options.secondMonitor = where;
    options.bounds = target;
    return options;
}

const char* nameOf(SecondMonitor where) {
    switch (where) {
    case SecondMonitor::Left:
        return "left";
    case SecondMonitor::Above:
        return "above";
    case SecondMonitor::Below:
        return "below";
    case SecondMonitor::Right:
        break;
    }
    return "right";
}

struct Desk : TargetShown {
    explicit Desk(const TargetShownOptions& options) : TargetShown(options) {}

    [[nodiscard]] Monitor monitor(int index) const {
        return machine.desktop.monitors().at(static_cast<std::size_t>(index));
    }
    // The working window stands on the monitor with this index, as a drag by its title would put it.
    void moveWorkingWindowTo(int index) {
        const Rect bounds = monitor(index).bounds;
        working.setBounds(Rect::fromBounds(bounds.left + 100, bounds.top + 100, working.bounds().width(),
                                           working.bounds().height()));
    }
    bool pressButton(std::string_view button) {
        const bool clicked = testing::click(machine.host, working, button);
        machine.loop.processPendingMessages();
        return clicked;
    }
};

// On each monitor of each layout: a drag, the anchors and Tile land on that monitor, measured from
// its own edges.
TEST(Layouts, TheCommandsActOnTheWorkingWindowsMonitorWhereverItLies) {
    for (const SecondMonitor where : {SecondMonitor::Left, SecondMonitor::Above, SecondMonitor::Below}) {
        for (const int index : {0, 1}) {
            SCOPED_TRACE(std::string(nameOf(where)) + ", monitor " + std::to_string(index));
            Desk d(layout(where));
            d.moveWorkingWindowTo(index);
            ASSERT_EQ(d.working.monitorIndex(), index);
            const Monitor monitor = d.monitor(index);
            const Rect work = monitor.workArea;

            // Cells 1..2 across and 0..1 down of the 6 x 6 board.
            d.drag(Point{1, 0}, Point{2, 1});
            const int cellWidth = monitor.bounds.width() / 6;
            const int cellHeight = work.height() / 6;
            EXPECT_EQ(d.targetRect().left, monitor.bounds.left + cellWidth);
            EXPECT_EQ(d.targetRect().top, monitor.bounds.top);
            EXPECT_EQ(d.targetRect().width(), 2 * cellWidth);
            EXPECT_EQ(d.targetRect().height(), 2 * cellHeight);

            testing::click(d.machine.host, d.working, "SbMonitor");
            const Size size{d.targetRect().width(), d.targetRect().height()};
            ASSERT_TRUE(d.pressButton("X2")); // top centre
            EXPECT_EQ(d.targetRect(),
                      Rect::fromBounds(monitor.bounds.left + monitor.bounds.width() / 2 - size.width / 2,
                                       monitor.bounds.top, size.width, size.height));
            ASSERT_TRUE(d.pressButton("X9")); // bottom right
            EXPECT_EQ(d.targetRect(), Rect::fromBounds(monitor.bounds.right - size.width,
                                                       work.bottom - size.height, size.width, size.height));

            // Tile: the target and a second window on this monitor share it, and nothing else moves.
            sim::WindowOptions second;
            second.title = "Second";
            second.bounds = Rect::fromBounds(monitor.bounds.left + 500, monitor.bounds.top + 300, 300, 200);
            const WindowId other = d.machine.desktop.createWindow(second);
            sim::WindowOptions elsewhere;
            elsewhere.title = "Elsewhere";
            const Rect otherMonitor = d.monitor(1 - index).bounds;
            elsewhere.bounds = Rect::fromBounds(otherMonitor.left + 50, otherMonitor.top + 50, 300, 200);
            const WindowId away = d.machine.desktop.createWindow(elsewhere);
            ASSERT_TRUE(d.pressButton("XI3"));
            for (const WindowId window : {d.target, other}) {
                const Rect tile = d.machine.desktop.windowRect(window).value_or(Rect{});
                EXPECT_TRUE(monitor.bounds.contains(Point{tile.left, tile.top}))
                    << d.machine.desktop.title(window);
                EXPECT_EQ(tile.left, monitor.bounds.left + 1) << d.machine.desktop.title(window);
            }
            EXPECT_EQ(d.machine.desktop.windowRect(away), elsewhere.bounds);
        }
    }
}

TEST(Layouts, TheFullScreenGridCoversItsMonitorOnEveryLayout) {
    for (const SecondMonitor where : {SecondMonitor::Left, SecondMonitor::Above, SecondMonitor::Below}) {
        for (const auto& [item, index] : {std::pair{CommandCall::onMonitor(Command::FullScreenGrid, 0), 0},
                                          std::pair{CommandCall::onMonitor(Command::FullScreenGrid, 1), 1}}) {
            SCOPED_TRACE(std::string(nameOf(where)) + ", monitor " + std::to_string(index));
            Desk d(layout(where));
            d.working.close();
            d.program.trayForm().runCommand(item);
            ASSERT_TRUE(d.program.mode().fullScreen());
            const Monitor monitor = d.monitor(index);
            EXPECT_EQ(d.working.bounds(),
                      Rect::fromBounds(monitor.bounds.left, monitor.bounds.top, monitor.workArea.width(),
                                       monitor.workArea.height()));
            d.drag(Point{2, 1}, Point{4, 3});
            const int cellWidth = monitor.workArea.width() / 10;
            const int cellHeight = monitor.workArea.height() / 10;
            EXPECT_EQ(d.targetRect(),
                      Rect::fromBounds(monitor.bounds.left + 2 * cellWidth, monitor.bounds.top + cellHeight,
                                       3 * cellWidth, 3 * cellHeight));
        }
    }
}

// The second monitor runs at 200 %: the layer over it is exactly its work area (not the system's
// doubled suggestion, which would spill onto the next monitor), and a release places the target on
// exactly the cells, whatever size the preview window took on that monitor.
TEST(Layouts, TheFullScreenGridOnAMonitorOfAnotherScaleCoversExactlyIt) {
    for (const SecondMonitor where : {SecondMonitor::Right, SecondMonitor::Left}) {
        SCOPED_TRACE(nameOf(where));
        TargetShownOptions options = layout(where);
        options.secondDpi = 192;
        Desk d(options);
        d.working.close();
        d.program.trayForm().runCommand(CommandCall::onMonitor(Command::FullScreenGrid, 1));
        ASSERT_TRUE(d.program.mode().fullScreen());
        const Monitor second = d.monitor(1);
        EXPECT_EQ(d.working.bounds(), second.workArea);
        EXPECT_EQ(d.working.scale().dpi, 192);

        d.press(1, 1);
        d.moveTo(3, 2);
        d.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
        const int cellWidth = second.workArea.width() / 10;
        const int cellHeight = second.workArea.height() / 10;
        const Rect cells = Rect::fromBounds(second.bounds.left + cellWidth, second.bounds.top + cellHeight,
                                            3 * cellWidth, 2 * cellHeight);
        EXPECT_EQ(d.program.previewRectangle().bounds(), cells);
        d.release(3, 2);
        EXPECT_EQ(d.targetRect(), cells);
        // The layer went, back to the compact form, on the monitor it covered.
        EXPECT_FALSE(d.program.mode().fullScreen());
    }
}

// A busy program carries out what it is sent only after most of a second.
constexpr int kSlowMs = 800;

TEST(SlowPrograms, NextMonitorBringsAMaximisedWindowThereMaximised) {
    Desk d(layout(SecondMonitor::Right, Rect::fromBounds(100, 50, 800, 600)));
    d.machine.desktop.show(d.target, ShowCommand::ShowMaximized);
    d.machine.desktop.runOtherThreads();
    d.machine.desktop.setAnswerDelay(d.target, kSlowMs);
    testing::click(d.machine.host, d.working, "SbMonitor");
    ASSERT_TRUE(d.pressButton("xi1"));
    d.machine.loop.advance(4 * kSlowMs);
    EXPECT_EQ(d.targetState(), ShowState::Maximized);
    EXPECT_EQ(d.targetFrame(), d.monitor(1).workArea);
    // Restored, it keeps its offset there.
    d.machine.desktop.setAnswerDelay(d.target, 0);
    d.machine.desktop.show(d.target, ShowCommand::Restore);
    d.machine.desktop.runOtherThreads();
    EXPECT_EQ(d.targetRect(), Rect::fromBounds(2020, 50, 800, 600));
}

// Where the system keeps its windows in step with another display server, a late copy of the move
// can restore the window just after it was maximised: it is maximised again.
TEST(SlowPrograms, AWindowRestoredBehindTheMovesBackIsMaximisedAgain) {
    Desk d(layout(SecondMonitor::Right, Rect::fromBounds(100, 50, 800, 600)));
    d.machine.desktop.show(d.target, ShowCommand::ShowMaximized);
    d.machine.desktop.runOtherThreads();
    testing::click(d.machine.host, d.working, "SbMonitor");
    ASSERT_TRUE(d.pressButton("xi1"));
    for (int look = 0; look < 20 && d.targetState() != ShowState::Maximized; ++look) {
        d.machine.loop.advance(WindowCommands::kStepIntervalMs);
    }
    ASSERT_EQ(d.targetState(), ShowState::Maximized);
    d.machine.desktop.place(d.target, Rect::fromBounds(2020, 50, 800, 600));
    d.machine.desktop.show(d.target, ShowCommand::ShowNormal);
    d.machine.desktop.runOtherThreads();
    d.machine.loop.advance(2 * WindowCommands::kMaximisedSettleMs);
    EXPECT_EQ(d.targetState(), ShowState::Maximized);
    EXPECT_EQ(d.targetFrame(), d.monitor(1).workArea);
    // Left alone once it stayed maximised.
    d.machine.desktop.clearCalls();
    d.machine.loop.advance(WindowCommands::kStepWaitMs);
    EXPECT_EQ(d.machine.desktop.callCount(sim::CallKind::Show, d.target), 0U);
}

TEST(SlowPrograms, ASecondPressDuringTheMoveTakesTheWindowOneMonitorFurther) {
    Desk d(layout(SecondMonitor::Right, Rect::fromBounds(100, 50, 800, 600)));
    d.machine.desktop.addMonitor(sim::SimDesktop::makeMonitor(3200, 0, 1920, 1080, 0, false));
    d.machine.desktop.show(d.target, ShowCommand::ShowMaximized);
    d.machine.desktop.runOtherThreads();
    d.machine.desktop.setAnswerDelay(d.target, kSlowMs);
    testing::click(d.machine.host, d.working, "SbMonitor");
    for (const int waitMs : {0, kSlowMs + 100}) {
        SCOPED_TRACE(waitMs); // the second press before the restore ran, then after it
        d.machine.desktop.show(d.target, ShowCommand::ShowMaximized);
        d.machine.loop.advance(2 * kSlowMs);
        ASSERT_EQ(d.machine.desktop.monitors().size(), 3U);
        const int from = monitorIndexOfWindow(d.targetFrame(), d.machine.desktop.monitors());
        ASSERT_TRUE(d.pressButton("xi1"));
        d.machine.loop.advance(waitMs);
        ASSERT_TRUE(d.pressButton("xi1"));
        d.machine.loop.advance(6 * kSlowMs);
        EXPECT_EQ(d.targetState(), ShowState::Maximized);
        EXPECT_EQ(d.targetFrame(), d.monitor((from + 2) % 3).workArea);
    }
}

TEST(SlowPrograms, ADragOfAMaximisedWindowSettlesOnTheCellsWithItsBorders) {
    TargetShownOptions options = layout(SecondMonitor::Right);
    options.borders = sim::FrameInsets{7, 0, 7, 7};
    options.state = ShowState::Maximized;
    Desk d(options);
    d.machine.desktop.setAnswerDelay(d.target, kSlowMs);
    d.drag(Point{0, 0}, Point{2, 2});
    d.machine.loop.advance(5 * kSlowMs);
    EXPECT_EQ(d.targetState(), ShowState::Normal);
    const int cellWidth = 1920 / 6;
    const int cellHeight = 1040 / 6;
    EXPECT_EQ(d.targetFrame(), Rect::fromBounds(0, 0, 3 * cellWidth, 3 * cellHeight));
}

// A program that has just stopped answering: the system calls it hung only seconds later.
TEST(SlowPrograms, TransparentOnATargetThatJustStoppedAnsweringWaitsForNothing) {
    Desk d(layout(SecondMonitor::Right));
    d.machine.desktop.setHung(d.target, true);
    ASSERT_FALSE(d.machine.desktop.isHung(d.target));
    testing::click(d.machine.host, d.working, "SbMonitor");
    ASSERT_TRUE(d.pressButton("XI4"));
    EXPECT_EQ(d.machine.desktop.opacity(d.target), std::nullopt);
    EXPECT_EQ(d.machine.desktop.timedOutCount(), 1U);
    // Answering again, the next press makes it translucent.
    d.machine.desktop.setHung(d.target, false);
    ASSERT_TRUE(d.pressButton("XI4"));
    EXPECT_EQ(d.machine.desktop.opacity(d.target), d.program.windowCommands().transparencyLevel());
}

} // namespace
} // namespace cellaro
