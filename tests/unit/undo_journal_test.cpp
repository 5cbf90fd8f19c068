// Tests of the undo journal over the simulated desktop: which entries it keeps and what each undo
// step moves.
#include "logic/undo_journal.h"
#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using sim::CallKind;
using sim::SimDesktop;

constexpr Rect kStart = Rect::fromBounds(100, 100, 700, 500);
constexpr Rect kPlaced = Rect::fromBounds(0, 0, 960, 1040);

class UndoJournalTest : public ::testing::Test {
protected:
    UndoJournalTest() {
        desktop.addMonitor(SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
        sim::WindowOptions options;
        options.bounds = kStart;
        windowA = desktop.createWindow(options);
    }

    // What a placement does: save the target's rectangle, then move it; the target's thread runs.
    void place(WindowId window, const Rect& bounds) {
        journal.save(desktop, window);
        desktop.move(window, bounds, true);
        desktop.runOtherThreads();
    }
    bool undo() {
        const bool done = journal.undo(desktop);
        desktop.runOtherThreads();
        return done;
    }

    SimDesktop desktop;
    UndoJournal journal;
    WindowId windowA;
};

TEST_F(UndoJournalTest, AnUnreadableWindowStillTakesItsStepThatUndoesNothing) {
    place(windowA, kPlaced);
    // B's rectangle can't be read: the window went away before the save.
    const WindowId windowB = desktop.createWindow({});
    ASSERT_TRUE(desktop.destroyWindow(windowB));
    EXPECT_TRUE(journal.save(desktop, windowB));
    ASSERT_EQ(journal.size(), 2U);
    EXPECT_FALSE(journal.entry(1).known);
    desktop.clearCalls();

    // The first undo is B's step: A keeps its placement, and nothing is asked of any window.
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), kPlaced);
    EXPECT_TRUE(desktop.calls().empty());

    // The second undo takes A's placement back.
    EXPECT_TRUE(undo());
    EXPECT_EQ(desktop.windowRect(windowA), kStart);
    EXPECT_EQ(desktop.callCount(CallKind::Move, windowA), 1U);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(undo());
}

TEST_F(UndoJournalTest, NoWindowAndAFullJournalAddNothing) {
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
