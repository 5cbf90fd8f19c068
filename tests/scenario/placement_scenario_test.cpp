// Scenario: placing a window by dragging across the working window's grid board, on a simulated
// desktop with a 1920 x 1080 monitor (40-pixel task bar) and, where asked, a 1280 x 1024 one to
// its right.
#include "app/program.h"
#include "forms/preview_rectangle.h"
#include "forms/working/working_window.h"
#include "logic/pictures.h"
#include "logic/window_placer.h"
#include "support/sim_machine.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/image.h"
#include "widgets/label.h"

#include <algorithm>

#include "logic/session.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using sim::FrameInsets;
using sim::WindowOptions;
using testing::SimMachine;

// 6 x 6 on the first monitor: 1920 / 6 and (1080 - 40) / 6.
constexpr int kCellWidth = 320;
constexpr int kCellHeight = 173;
constexpr Rect kEditorStart = Rect::fromBounds(150, 120, 700, 500);

using Placing = testing::TargetShown;
using testing::TargetShownOptions;

Rect cells(int left, int top, int columns, int rows) {
    return Rect::fromBounds(left * kCellWidth, top * kCellHeight, columns * kCellWidth, rows * kCellHeight);
}

TEST(Placement, TheEditorIsTheTargetAndTheBoardIsDrawn) {
    Placing p;
    ASSERT_TRUE(p.working.visible());
    EXPECT_EQ(p.program.tracker().target(), p.target);
    // The status strip names the target as soon as the tray click has shown the window.
    EXPECT_EQ(p.working.root().findAs<Label>("Label1")->text(), "Editor");
    EXPECT_EQ(p.working.boardPage().board().columns(), 6);
    EXPECT_EQ(p.working.boardPage().board().size(), (Size{320, 195}));
}

TEST(Placement, OneCellIsOneSixthOfTheWidthAndOfTheWorkAreaHeight) {
    Placing p;
    p.drag({0, 0}, {0, 0});
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(0, 0, 320, 173));
    p.drag({5, 5}, {5, 5});
    EXPECT_EQ(p.targetRect(), cells(5, 5, 1, 1));
}

TEST(Placement, AQuickClickPlacesWithoutWaitingForThePreviewTick) {
    Placing p;
    p.press(2, 3);
    p.release(2, 3);
    EXPECT_EQ(p.targetRect(), cells(2, 3, 1, 1));
}

TEST(Placement, DragsInAnyDirectionPlaceTheSameRange) {
    const Rect expected = cells(1, 1, 4, 4);
    for (const auto& [from, to] :
         {std::pair{Point{1, 1}, Point{4, 4}}, std::pair{Point{4, 4}, Point{1, 1}},
          std::pair{Point{1, 4}, Point{4, 1}}, std::pair{Point{4, 1}, Point{1, 4}}}) {
        Placing p;
        p.drag(from, to);
        EXPECT_EQ(p.targetRect(), expected) << from.x << "," << from.y << " to " << to.x << "," << to.y;
    }
}

TEST(Placement, TheTargetAndThePreviewFollowTheSelectionLive) {
    Placing p;
    p.press(0, 0);
    p.moveTo(2, 1);
    EXPECT_TRUE(p.working.drag().dragging());
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    EXPECT_EQ(p.targetRect(), cells(0, 0, 3, 2));
    EXPECT_EQ(p.program.previewRectangle().bounds(), cells(0, 0, 3, 2));
    EXPECT_TRUE(p.program.previewRectangle().visible());

    p.moveTo(3, 3);
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    EXPECT_EQ(p.targetRect(), cells(0, 0, 4, 4));

    p.release(3, 3);
    EXPECT_FALSE(p.working.drag().dragging());
    EXPECT_EQ(p.program.previewRectangle().bounds().width(), 1);
    EXPECT_EQ(p.program.previewRectangle().bounds().height(), 1);
    // The highlight is gone: the board shows the plain grid again.
    const Point inside{p.working.boardPage().board().cells().cellWidth() / 2, 6};
    EXPECT_EQ(p.working.boardPage().board().bitmap().pixel(inside.x, inside.y),
              p.program.settings().colours().gridBackground);
}

TEST(Placement, HoveringHighlightsTheCellUnderThePointerOnly) {
    Placing p;
    p.hover(4, 2);
    EXPECT_EQ(p.working.drag().range(), (CellRange{{4, 2}, {4, 2}}));
    const Cell& hovered = p.working.boardPage().board().cells().cells().at(2 * 6 + 4);
    EXPECT_EQ(p.working.boardPage().board().bitmap().pixel(hovered.board.left + 20, hovered.board.top + 16),
              p.program.settings().colours().rangeSelection);
    EXPECT_EQ(p.targetRect(), kEditorStart);
}

TEST(Placement, LeavingTheBoardMidDragEndsTheDragWhereTheLastTickPutTheTarget) {
    Placing p;
    p.press(0, 0);
    p.moveTo(2, 2);
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    const Rect followed = cells(0, 0, 3, 3);
    ASSERT_EQ(p.targetRect(), followed);

    // Off the board onto the status strip, button still down.
    p.machine.host.pointerMove(p.working, Point{150, 255});
    EXPECT_FALSE(p.working.drag().dragging());
    EXPECT_EQ(p.working.drag().range(), CellRange::cleared());
    EXPECT_FALSE(p.program.previewRectangle().visible());
    EXPECT_EQ(p.program.previewRectangle().bounds().top, PreviewRectangle::kParkedTop);
    p.machine.loop.advance(10 * WorkingWindow::kPreviewIntervalMs);
    p.machine.host.pointerUp(p.working, Point{150, 255});
    EXPECT_EQ(p.targetRect(), followed);

    // Back on the board without a press: hovering moves nothing.
    p.hover(5, 5);
    p.machine.loop.advance(5 * WorkingWindow::kPreviewIntervalMs);
    EXPECT_EQ(p.targetRect(), followed);
}

TEST(Placement, AMaximisedTargetIsRestoredThenPlaced) {
    Placing p;
    p.machine.desktop.show(p.target, ShowCommand::ShowMaximized);
    p.machine.desktop.runOtherThreads();
    p.machine.host.activateByUser(p.working.id());
    ASSERT_EQ(p.targetState(), ShowState::Maximized);
    p.drag({3, 0}, {5, 5});
    EXPECT_EQ(p.targetState(), ShowState::Normal);
    EXPECT_EQ(p.targetRect(), cells(3, 0, 3, 6));
}

// On Windows 10 and 11 a maximised window's invisible borders are 8 pixels on every side, the
// restored one's 7, 0, 7, 7; the restore runs only when the target's own thread does. The visible
// frame must land on the cells, not 8 pixels above them.
TEST(Placement, AMaximisedTargetWithInvisibleBordersLandsOnTheCells) {
    for (const ShowCommand before : {ShowCommand::ShowMaximized, ShowCommand::Minimize}) {
        Placing p(TargetShownOptions::withBorders(FrameInsets{7, 0, 7, 7}));
        p.machine.desktop.show(p.target, before);
        p.machine.desktop.runOtherThreads();
        p.machine.host.activateByUser(p.working.id());
        p.drag({3, 0}, {5, 5});
        // The settling waits for the restore and corrects the first move.
        p.machine.loop.advance(WindowPlacer::kSettleIntervalMs * 3);
        EXPECT_EQ(p.targetState(), ShowState::Normal);
        EXPECT_EQ(p.targetFrame(), cells(3, 0, 3, 6));
        EXPECT_EQ(p.targetRect(), (Rect{960 - 7, 0, 1920 + 7, 6 * kCellHeight + 7}));
    }
}

// The refusal's four thresholds, each just inside and just outside. The monitor changes between the
// last preview tick and the release, and the target was moved away meanwhile: an accepted release
// puts it back on the preview, a refused one leaves it where it was moved.
TEST(Placement, TheRefusalThresholdsArePinnedExactly) {
    struct Case {
        const char* edge;
        Rect monitor; // where the monitor lies at the release; the preview sits at (0, 0)
        bool applied;
    };
    const int width = 1920;
    const int height = 1080;
    for (const Case& c : {
             Case{"left 60", Rect::fromBounds(60, 0, width, height), true},
             Case{"left 61", Rect::fromBounds(61, 0, width, height), false},
             Case{"top 60", Rect::fromBounds(0, 60, width, height), true},
             Case{"top 61", Rect::fromBounds(0, 61, width, height), false},
             Case{"right edge", Rect::fromBounds(-width, 0, width, height), true},
             Case{"one past the right edge", Rect::fromBounds(-width - 1, 0, width, height), false},
             Case{"bottom 50", Rect::fromBounds(0, -height - 50, width, height), true},
             Case{"bottom 51", Rect::fromBounds(0, -height - 51, width, height), false},
         }) {
        Placing p;
        p.press(0, 0);
        p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
        ASSERT_EQ(p.targetRect(), cells(0, 0, 1, 1)) << c.edge;
        const Rect movedAway = Rect::fromBounds(700, 500, 400, 300);
        p.machine.desktop.place(p.target, movedAway);
        Monitor monitor;
        monitor.bounds = c.monitor;
        monitor.workArea = c.monitor;
        monitor.primary = true;
        p.machine.desktop.replaceMonitor(0, monitor);
        p.release(0, 0);
        EXPECT_EQ(p.targetRect(), c.applied ? cells(0, 0, 1, 1) : movedAway) << c.edge;
    }
}

// A grid size changed in the file while the working window is open: its next activation draws the
// board with the counts the mapping uses, so the last column of the board is the last column of the
// monitor.
TEST(Placement, TheBoardIsDrawnWithTheCountsTheMappingUses) {
    Placing p;
    ASSERT_EQ(p.working.boardPage().board().columns(), 6);
    p.machine.files.setFile(testing::SimMachine::kConfigPath, "[Options]\r\nSEW=4\r\nSEH=2\r\n");
    p.machine.host.activateByUser(p.target);
    p.machine.host.activateByUser(p.working.id());
    ASSERT_TRUE(p.working.visible());
    EXPECT_EQ(p.working.boardPage().board().columns(), 4);
    EXPECT_EQ(p.working.boardPage().board().rows(), 2);
    p.drag({3, 1}, {3, 1});
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(3 * 480, 520, 480, 520));
}

TEST(Placement, UndoPutsThePlacedWindowBackStepByStep) {
    Placing p;
    p.drag({0, 0}, {2, 2});
    p.drag({3, 3}, {5, 5});
    ASSERT_EQ(p.targetRect(), cells(3, 3, 3, 3));
    p.clickUndo();
    EXPECT_EQ(p.targetRect(), cells(0, 0, 3, 3));
    p.clickUndo();
    EXPECT_EQ(p.targetRect(), kEditorStart);
}

TEST(Placement, AFarOutsidePreviewIsRefusedAndItsUndoEntryStays) {
    Placing p;
    p.press(1, 1);
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    ASSERT_EQ(p.targetRect(), cells(1, 1, 1, 1));
    // The monitor goes elsewhere before the release: the preview now lies far outside it.
    p.machine.desktop.replaceMonitor(0, sim::SimDesktop::makeMonitor(5000, 0, 1920, 1080, 40, true));
    p.release(1, 1);
    EXPECT_EQ(p.targetRect(), cells(1, 1, 1, 1));
    EXPECT_EQ(p.program.undoJournal().size(), 1U);
    p.undo();
    EXPECT_EQ(p.targetRect(), kEditorStart);
}

TEST(Placement, ThePlacedWindowsVisibleFrameMeetsTheCells) {
    const FrameInsets borders{7, 0, 7, 7};
    Placing p(TargetShownOptions::withBorders(borders));
    p.drag({1, 1}, {2, 2});
    const Rect wanted = cells(1, 1, 2, 2);
    EXPECT_EQ(p.machine.desktop.visibleFrameRect(p.target), wanted);
    EXPECT_EQ(p.targetRect(), (Rect{wanted.left - 7, wanted.top, wanted.right + 7, wanted.bottom + 7}));
    // Undo gives back the window rectangle it had.
    p.undo();
    EXPECT_EQ(p.targetRect(), kEditorStart);
}

TEST(Placement, OnTheSecondMonitorTheCellsDivideThatMonitor) {
    Placing p(TargetShownOptions::onMonitors(2));
    p.working.setBounds(p.working.bounds().offset(1920, 0));
    p.drag({0, 0}, {2, 5});
    // 1280 / 6 = 213.33 and 1024 / 6 = 170.67: 213 and 170.
    EXPECT_EQ(p.targetRect(), Rect::fromBounds(1920, 0, 3 * 213, 6 * 170));
}

TEST(Placement, AOneShotPlacementClosesTheWorkingWindow) {
    Placing p;
    p.program.session().beginOneShot();
    p.drag({0, 0}, {1, 1});
    EXPECT_EQ(p.targetRect(), cells(0, 0, 2, 2));
    EXPECT_FALSE(p.working.visible());
}

TEST(Placement, WithoutATargetThePreviewShowsTheFirstCellAndNothingMoves) {
    SimMachine machine;
    Program& program = machine.start();
    WorkingWindow& working = program.workingWindow();
    machine.shell.clickTrayLeft();
    ASSERT_FALSE(program.tracker().target().valid());
    const Rect board = working.boardBounds();
    machine.host.pointerMove(working, Point{board.left + 60, board.top + 40});
    machine.host.pointerDown(working, Point{board.left + 60, board.top + 40});
    machine.host.pointerMove(working, Point{board.left + 200, board.top + 150});
    machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    // Not dragging, the selection is the one cell under the pointer.
    EXPECT_FALSE(working.drag().dragging());
    EXPECT_EQ(program.previewRectangle().bounds(), Rect::fromBounds(3 * 320, 4 * 173, 320, 173));
    machine.host.pointerUp(working, Point{board.left + 200, board.top + 150});
    EXPECT_EQ(machine.desktop.callCount(sim::CallKind::Move), 0U);
}

TEST(Placement, AHungTargetNeverHoldsTheDragUp) {
    Placing p;
    p.machine.desktop.setHung(p.target, true);
    p.press(0, 0);
    p.moveTo(1, 1);
    p.machine.loop.advance(3 * WorkingWindow::kPreviewIntervalMs);
    p.release(1, 1);
    // The program went on: the drag ended and the board is plain again; the moves wait in the
    // target's queue and land once it answers.
    EXPECT_FALSE(p.working.drag().dragging());
    EXPECT_TRUE(p.working.visible());
    EXPECT_GT(p.machine.desktop.pendingCount(p.target), 0U);
    p.machine.desktop.setHung(p.target, false);
    EXPECT_EQ(p.targetRect(), cells(0, 0, 2, 2));
}

TEST(Placement, ATargetThatVanishesMidDragEndsItQuietly) {
    Placing p;
    p.press(0, 0);
    p.moveTo(2, 2);
    p.machine.desktop.destroyWindow(p.target);
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    EXPECT_FALSE(p.working.drag().dragging());
    p.release(2, 2);
    EXPECT_TRUE(p.working.visible());
    EXPECT_EQ(p.program.previewRectangle().bounds().width(), 1);
}

TEST(Placement, EscapeInTheMiddleOfADragClosesAndStopsIt) {
    Placing p;
    p.press(0, 0);
    p.moveTo(1, 1);
    p.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    p.machine.host.pressKey(p.working, 0x1B);
    EXPECT_FALSE(p.working.visible());
    EXPECT_FALSE(p.working.drag().dragging());
    const Rect before = p.targetRect();
    p.machine.loop.advance(10 * WorkingWindow::kPreviewIntervalMs);
    EXPECT_EQ(p.targetRect(), before);
    EXPECT_FALSE(p.program.previewRectangle().visible());
}

TEST(TrackingInTheWindow, TheStatusStripAndTheTrayHintFollowTheTarget) {
    Placing p(TargetShownOptions::onMonitors(2));
    const auto* title = p.working.root().findAs<Label>("Label1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Editor");
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    EXPECT_EQ(p.machine.shell.trayIcon()->hint(), "Cellaro\r\nEditor\r\nMonitor: 1");
    p.working.setBounds(p.working.bounds().offset(1920, 0));
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    EXPECT_EQ(p.machine.shell.trayIcon()->hint(), "Cellaro\r\nEditor\r\nMonitor: 2");

    // Clicking the working window keeps the target; closing the editor falls back to "Desktop".
    p.machine.host.activateByUser(p.working.id());
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    EXPECT_EQ(p.program.tracker().target(), p.target);
    p.machine.desktop.destroyWindow(p.target);
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    EXPECT_EQ(title->text(), "Desktop");
    // The desktop picture sits on the strip's colour, none of its transparent key showing.
    const auto* picture = p.working.root().findAs<Image>("Image1");
    ASSERT_NE(picture, nullptr);
    const std::vector<std::uint32_t>& pixels = picture->picture().pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kPictureTransparent.value), 0);
    EXPECT_EQ(picture->picture().pixel(0, 0), p.program.settings().colours().background);
}

TEST(TrackingInTheWindow, ALongTitleInAnyScriptIsCutWholeCharactersWithAnEllipsis) {
    Placing p;
    std::string title;
    for (int i = 0; i < 40; ++i) {
        title += "\xD0\x9F\xE6\x96\x87"; // a Cyrillic and a CJK character
    }
    p.machine.desktop.setTitle(p.target, title);
    p.machine.loop.advance(Program::kTrackingIntervalMs);
    const auto* label = p.working.root().findAs<Label>("Label1");
    ASSERT_NE(label, nullptr);
    const std::string& shown = label->text();
    ASSERT_GT(shown.size(), 3U);
    ASSERT_LT(shown.size(), title.size());
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    const std::string kept = shown.substr(0, shown.size() - 3);
    EXPECT_EQ(title.substr(0, kept.size()), kept);
    // The cut falls between characters: what follows the kept part starts a character.
    EXPECT_NE(static_cast<unsigned char>(title[kept.size()]) & 0xC0U, 0x80U);
    EXPECT_LE(p.machine.host.measureText(shown, label->font()).width, label->bounds().width());
}

} // namespace
} // namespace cellaro
