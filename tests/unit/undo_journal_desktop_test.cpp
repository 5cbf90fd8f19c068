// The undo journal over the simulated desktop. Placements of two windows are taken back in
// the reverse order, each window to the bounds it had before; a closed window's entry is popped
// without effect; the journal keeps its first 1000 saves.
#include "logic/undo_journal.h"
#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using sim::CallKind;
using sim::SimDesktop;
using sim::WindowOptions;

class UndoJournalOnDesktop : public ::testing::Test {
protected:
    UndoJournalOnDesktop() {
        desktop.addMonitor(SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
        windowA = open("Editor", kStartA);
        windowB = open("Browser", kStartB);
        desktop.activate(windowB);
    }

    WindowId open(const std::string& title, const Rect& bounds) {
        WindowOptions options;
        options.title = title;
        options.bounds = bounds;
        options.invisibleBorders = sim::FrameInsets{7, 0, 7, 7};
        return desktop.createWindow(options);
    }

    // What a placement does: save the target's bounds, then move it. The move is posted to the
    // window's thread, which runs before the user looks.
    void place(WindowId window, const Rect& bounds) {
        journal.save(desktop, window);
        desktop.move(window, bounds, true);
        desktop.runOtherThreads();
    }
    // One undo step, looked at once the windows' threads have run.
    bool undo() {
        const bool done = journal.undo(desktop);
        desktop.runOtherThreads();
        return done;
    }

    static constexpr Rect kStartA = Rect::fromBounds(100, 100, 700, 500);
    static constexpr Rect kStartB = Rect::fromBounds(400, 300, 900, 600);
    // Cells of a 6 x 6 grid on the 1920 x 1040 work area.
    static constexpr Rect kLeftHalf = Rect::fromBounds(0, 0, 960, 1040);
    static constexpr Rect kTopRight = Rect::fromBounds(1280, 0, 640, 520);
    static constexpr Rect kBottomRow = Rect::fromBounds(0, 866, 1920, 174);

    SimDesktop desktop;
    UndoJournal journal;
    WindowId windowA;
    WindowId windowB;
};

TEST_F(UndoJournalOnDesktop, UndoRestoresEachWindowInReverseOrder) {
    place(windowA, kLeftHalf);
    place(windowA, kTopRight);
    place(windowB, kBottomRow);
    ASSERT_EQ(desktop.windowRect(windowA), kTopRight);
    ASSERT_EQ(desktop.windowRect(windowB), kBottomRow);
    desktop.clearCalls();

    struct Expected {
        Rect a;
        Rect b;
    };
    const std::vector<Expected> afterEachUndo = {
        {kTopRight, kStartB}, // B back to where it started
        {kLeftHalf, kStartB}, // A back to before its second placement
        {kStartA, kStartB},   // A back to where it started
    };
    for (std::size_t step = 0; step < afterEachUndo.size(); ++step) {
        SCOPED_TRACE(step);
        EXPECT_TRUE(undo());
        EXPECT_EQ(desktop.windowRect(windowA), afterEachUndo[step].a);
        EXPECT_EQ(desktop.windowRect(windowB), afterEachUndo[step].b);
        EXPECT_EQ(journal.size(), afterEachUndo.size() - step - 1);
    }
    EXPECT_FALSE(undo());

    // One move with repaint per undo, to the right window; the normal positions follow.
    ASSERT_EQ(desktop.calls().size(), 3U);
    EXPECT_EQ(desktop.calls()[0].window, windowB);
    EXPECT_EQ(desktop.calls()[1].window, windowA);
    EXPECT_EQ(desktop.calls()[2].window, windowA);
    for (const sim::Call& call : desktop.calls()) {
        EXPECT_EQ(call.kind, CallKind::Move) << sim::describe(call);
        EXPECT_TRUE(call.repaint) << sim::describe(call);
    }
    EXPECT_EQ(desktop.placement(windowA), (WindowPlacement{ShowState::Normal, kStartA}));
}

TEST_F(UndoJournalOnDesktop, UndoOfClosedWindowMovesNothingAndPops) {
    place(windowA, kLeftHalf);
    place(windowB, kTopRight);
    ASSERT_TRUE(desktop.requestClose(windowB));
    desktop.clearCalls();

    EXPECT_TRUE(undo()); // B's entry: B is gone
    EXPECT_EQ(journal.size(), 1U);
    EXPECT_EQ(desktop.windowRect(windowA), kLeftHalf);
    ASSERT_EQ(desktop.calls().size(), 1U);
    EXPECT_EQ(desktop.calls()[0].outcome, sim::CallOutcome::Failed);

    EXPECT_TRUE(undo()); // A's entry still works
    EXPECT_EQ(desktop.windowRect(windowA), kStartA);
    EXPECT_TRUE(journal.empty());
}

TEST_F(UndoJournalOnDesktop, JournalKeepsTheFirstThousandSaves) {
    // Save n records the bounds the window had before placement n, which are the bounds of placement
    // n - 1: every placement moves A one pixel right of the previous one.
    for (int n = 1; n <= 1001; ++n) {
        place(windowA, Rect::fromBounds(n, 10, 500, 400));
    }
    EXPECT_EQ(journal.size(), UndoJournal::kCapacity);
    EXPECT_EQ(desktop.windowRect(windowA), Rect::fromBounds(1001, 10, 500, 400));

    // The 1001st save was dropped; the newest kept entry is the 1000th save, made before placement
    // 1000 with A where placement 999 had put it.
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), Rect::fromBounds(999, 10, 500, 400));
    EXPECT_EQ(journal.size(), UndoJournal::kCapacity - 1);

    // Room again: the next save is kept and undone first.
    place(windowA, kLeftHalf);
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), Rect::fromBounds(999, 10, 500, 400));

    while (undo()) {
    }
    EXPECT_EQ(desktop.windowRect(windowA), kStartA);
}

TEST_F(UndoJournalOnDesktop, AMinimisedWindowIsSavedAtItsRestoredPosition) {
    // A drag that starts on a minimised target restores it only on release; the undo must bring
    // it back where it was restored to, not to the system's parking place off screen.
    desktop.show(windowA, ShowCommand::Minimize);
    desktop.runOtherThreads();
    ASSERT_EQ(desktop.windowRect(windowA), sim::kMinimizedRect);
    place(windowA, kLeftHalf);
    desktop.show(windowA, ShowCommand::Restore);
    desktop.move(windowA, kLeftHalf, true);
    ASSERT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), kStartA);
}

TEST_F(UndoJournalOnDesktop, AnUnreadableWindowStillTakesItsStepThatUndoesNothing) {
    place(windowA, kLeftHalf);
    // C's rectangle can't be read: the window went away before the save.
    const WindowId windowC = desktop.createWindow({});
    ASSERT_TRUE(desktop.destroyWindow(windowC));
    EXPECT_TRUE(journal.save(desktop, windowC));
    ASSERT_EQ(journal.size(), 2U);
    EXPECT_FALSE(journal.entry(1).known);
    desktop.clearCalls();

    // The first undo is C's step: A keeps its placement, and nothing is asked of any window.
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), kLeftHalf);
    EXPECT_TRUE(desktop.calls().empty());

    // The second undo takes A's placement back.
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), kStartA);
    EXPECT_EQ(desktop.callCount(CallKind::Move, windowA), 1U);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(undo());
}

TEST_F(UndoJournalOnDesktop, NoWindowAndAFullJournalAddNothing) {
    EXPECT_FALSE(journal.save(desktop, kNoWindow));
    EXPECT_TRUE(journal.empty());
    for (std::size_t i = 0; i < UndoJournal::kCapacity; ++i) {
        ASSERT_TRUE(journal.save(desktop, WindowId{0x999999}));
    }
    EXPECT_FALSE(journal.save(desktop, windowA));
    EXPECT_EQ(journal.size(), UndoJournal::kCapacity);
}

} // namespace
} // namespace cellaro
