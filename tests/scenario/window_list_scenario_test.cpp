// The window list built from the simulated desktop, with marks carried over between builds, and
// the group commands acting on the windows of the last build.
#include "logic/winlist/group_commands.h"
#include "logic/winlist/window_list.h"
#include "support/sim_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using sim::CallKind;
using sim::WindowOptions;
using testing::SimMachine;

constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kC = 2;
constexpr int kD = 3;

class WindowListScenario : public ::testing::Test {
protected:
    WindowId open(const std::string& title, Rect bounds = Rect::fromBounds(100, 100, 800, 600),
                  bool visible = true) {
        WindowOptions options;
        options.title = title;
        options.bounds = bounds;
        options.visible = visible;
        options.className = "Class" + title;
        options.processId = 4000;
        return machine.desktop.createWindow(options);
    }

    // The window manager list's refresh: snapshot, then build.
    int refresh() {
        list.snapshot();
        return list.build();
    }

    [[nodiscard]] int rowOf(WindowId window) const {
        for (int row = 0; row < list.count(); ++row) {
            if (list.entry(row).handleText == handleTextOf(window)) {
                return row;
            }
        }
        return -1;
    }

    void mark(WindowId window, int group) {
        const int row = rowOf(window);
        ASSERT_GE(row, 0);
        list.entry(row).marks.groups.at(static_cast<std::size_t>(group)) = true;
    }

    [[nodiscard]] std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const WindowEntry& entry : list.entries()) {
            result.push_back(entry.title);
        }
        return result;
    }

    SimMachine machine;
    WindowList list{machine.desktop};
};

TEST_F(WindowListScenario, ListsVisibleWindowsSortedWithTheirRowTexts) {
    const WindowId editor = open("Editor");
    open("Hidden", Rect::fromBounds(0, 0, 400, 300), false);
    const WindowId browser = open("browser");
    ASSERT_EQ(refresh(), 2);
    EXPECT_EQ(titles(), (std::vector<std::string>{"browser", "Editor"}));
    ASSERT_EQ(list.rowTexts().size(), 2U);
    EXPECT_EQ(list.rowTexts()[0].className, "Classbrowser");
    EXPECT_EQ(list.rowTexts()[0].handleText, handleTextOf(browser));
    EXPECT_EQ(list.rowTexts()[0].processIdText, "4000");
    EXPECT_EQ(list.rowTexts()[1].title, "Editor");
    EXPECT_EQ(list.entry(1).window(), editor);
    EXPECT_TRUE(list.entry(0).listed);
    EXPECT_EQ(list.entry(0).marks, WindowMarks{});
}

TEST_F(WindowListScenario, NoVisibleWindowsMakeNoRows) {
    EXPECT_EQ(refresh(), 0);
    open("Hidden", Rect::fromBounds(0, 0, 400, 300), false);
    EXPECT_EQ(refresh(), 0);
    EXPECT_TRUE(list.entries().empty());
}

TEST_F(WindowListScenario, MoreThan1501WindowsAreAllListed) {
    constexpr int kMany = 1600;
    for (int i = 0; i < kMany; ++i) {
        open("Window " + std::to_string(i));
    }
    ASSERT_EQ(refresh(), kMany);
    EXPECT_EQ(list.rowTexts().size(), static_cast<std::size_t>(kMany));
    EXPECT_TRUE(list.entry(kMany - 1).listed);
}

TEST_F(WindowListScenario, RejectedRowsKeepTheirEntriesUnlisted) {
    open("Program Manager", Rect::fromBounds(0, 0, 1920, 1080));
    open("Tiny", Rect::fromBounds(0, 0, 19, 300));
    open("");
    open("Square", Rect::fromBounds(0, 0, 20, 20));
    ASSERT_EQ(refresh(), 4);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Empty", "Program Manager", "Square", "Tiny"}));
    EXPECT_FALSE(list.entry(0).listed);
    EXPECT_FALSE(list.entry(1).listed);
    EXPECT_TRUE(list.entry(2).listed);
    EXPECT_FALSE(list.entry(3).listed);
    EXPECT_EQ(list.rowTexts().size(), 4U);
}

TEST_F(WindowListScenario, GroupMarksCarryOverToTheRebuiltRow) {
    const WindowId editor = open("Editor");
    open("Browser");
    refresh();
    mark(editor, kB);
    list.entry(rowOf(editor)).marks.selected = true;
    // A new window sorts before the editor: the mark follows the handle, not the row.
    open("Archive");
    ASSERT_EQ(refresh(), 3);
    const WindowEntry& entry = list.entry(rowOf(editor));
    EXPECT_EQ(rowOf(editor), 2);
    EXPECT_TRUE(entry.member(kB));
    EXPECT_TRUE(entry.marks.selected);
    EXPECT_FALSE(entry.member(kA));
    EXPECT_FALSE(list.entry(0).member(kB));
    EXPECT_FALSE(list.entry(1).member(kB));
}

TEST_F(WindowListScenario, AClosedWindowDropsOutAndItsMarksStayInTheCarryOver) {
    open("Alpha");
    open("Beta");
    const WindowId gamma = open("Gamma");
    refresh();
    mark(gamma, kC);
    machine.desktop.destroyWindow(gamma);
    ASSERT_EQ(refresh(), 2);
    EXPECT_EQ(rowOf(gamma), -1);

    // A window that leaves the list and comes back under the same handle gets its marks again:
    // its handle was not listed in between, so its last marks are kept for it.
    const WindowId delta = open("Delta");
    refresh();
    mark(delta, kA);
    machine.desktop.setVisible(delta, false);
    ASSERT_EQ(refresh(), 2);
    ASSERT_EQ(refresh(), 2); // Delta is not listed now: its marks wait for it
    machine.desktop.setVisible(delta, true);
    ASSERT_EQ(refresh(), 3);
    EXPECT_TRUE(list.entry(rowOf(delta)).member(kA));
}

TEST_F(WindowListScenario, AClearedMarkStaysClearedWhenTheListGotShorter) {
    const WindowId alpha = open("Alpha");
    open("Beta");
    const WindowId gamma = open("Gamma");
    refresh();
    mark(gamma, kB);
    list.entry(rowOf(gamma)).marks.selected = true;
    refresh();
    // Alpha goes: Gamma moves up a row, and the user clears its group and its selection.
    machine.desktop.destroyWindow(alpha);
    ASSERT_EQ(refresh(), 2);
    ASSERT_TRUE(list.entry(rowOf(gamma)).member(kB));
    list.entry(rowOf(gamma)).marks = WindowMarks{};
    // The next openings show it cleared: the newest marks of a listed window win.
    ASSERT_EQ(refresh(), 2);
    EXPECT_FALSE(list.entry(rowOf(gamma)).member(kB));
    EXPECT_FALSE(list.entry(rowOf(gamma)).marks.selected);
    ASSERT_EQ(refresh(), 2);
    EXPECT_EQ(list.entry(rowOf(gamma)).marks, WindowMarks{});
}

TEST_F(WindowListScenario, AMarkedRowTakenOutKeepsItsMarksButIsNotNamed) {
    const WindowId one = open("Title1");
    const WindowId two = open("Title2");
    const WindowId small = open("Small");
    refresh();
    mark(one, kA);
    mark(two, kA);
    mark(small, kA);
    machine.desktop.place(small, Rect::fromBounds(0, 0, 10, 10));
    refresh();
    EXPECT_FALSE(list.entry(rowOf(small)).listed);
    EXPECT_TRUE(list.entry(rowOf(small)).member(kA));
    const auto texts = list.memberTexts();
    EXPECT_EQ(texts[0], "Title1\rTitle2");
    EXPECT_EQ(texts[1], kNoGroupText);
    EXPECT_EQ(texts[3], kNoGroupText);
}

class GroupCommandsScenario : public WindowListScenario {
protected:
    GroupCommands commands{machine.desktop, machine.loop, list};

    [[nodiscard]] bool minimized(WindowId window) const { return machine.desktop.isMinimized(window); }
};

TEST_F(GroupCommandsScenario, StepsVisitTheOtherGroupsFirstAndShowOnlyTheOneFound) {
    const WindowId a = open("Alpha");
    const WindowId c = open("Charlie");
    const WindowId other = open("Other");
    refresh();
    mark(a, kA);
    mark(c, kC);
    commands.setMemberTexts(list.memberTexts());

    commands.nextShowOnly(); // GB3 from A
    EXPECT_EQ(commands.currentShowOnlyGroup(), kC);
    EXPECT_TRUE(minimized(a));
    EXPECT_FALSE(minimized(c));
    EXPECT_TRUE(minimized(other));

    commands.nextShowOnly(); // again: back to A
    EXPECT_EQ(commands.currentShowOnlyGroup(), kA);
    EXPECT_FALSE(minimized(a));
    EXPECT_TRUE(minimized(c));

    commands.previousShowOnly(); // GA3 from A
    EXPECT_EQ(commands.currentShowOnlyGroup(), kC);
    EXPECT_TRUE(minimized(a));
    EXPECT_FALSE(minimized(c));
    // The bring-to-front flavour has its own current group.
    EXPECT_EQ(commands.currentToFrontGroup(), kA);
    // From C both ways lead to A.
    EXPECT_EQ(commands.hints().nextShowOnly, "Alpha");
    EXPECT_EQ(commands.hints().previousShowOnly, "Alpha");
    EXPECT_EQ(commands.hints().nextToFront, "Charlie");
    EXPECT_EQ(commands.hints().previousToFront, "Charlie");
}

TEST_F(GroupCommandsScenario, ASingleGroupWithMembersIsReachedByEveryStep) {
    const WindowId b = open("Bravo");
    const WindowId other = open("Other");
    refresh();
    mark(b, kB);
    commands.setMemberTexts(list.memberTexts());
    commands.previousToFront();
    EXPECT_EQ(commands.currentToFrontGroup(), kB);
    EXPECT_EQ(machine.desktop.foregroundWindow(), b);
    machine.desktop.activate(other);
    commands.nextToFront();
    EXPECT_EQ(commands.currentToFrontGroup(), kB);
    EXPECT_EQ(machine.desktop.foregroundWindow(), b);
}

TEST_F(GroupCommandsScenario, NoGroupWithMembersMovesNothing) {
    open("Alpha");
    open("Beta");
    refresh();
    commands.setMemberTexts({"text A", "text B", "text C", "text D"});
    std::vector<GroupStepHints> heard;
    commands.addHintsListener([&heard](const GroupStepHints& hints) { heard.push_back(hints); });
    machine.desktop.clearCalls();

    commands.nextShowOnly();
    EXPECT_EQ(commands.currentShowOnlyGroup(), kA);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show), 0U);
    EXPECT_EQ(commands.hints().nextShowOnly, "text A");
    EXPECT_EQ(commands.hints().previousShowOnly, kNoGroupText);
    EXPECT_EQ(commands.hints().nextToFront, "text A");
    EXPECT_EQ(commands.hints().previousToFront, kNoGroupText);
    ASSERT_EQ(heard.size(), 1U);
    EXPECT_EQ(heard[0], commands.hints());
}

TEST_F(GroupCommandsScenario, ShowOnlyRestoresTheMembersAndMinimisesTheOthersInRowOrder) {
    std::vector<WindowId> windows;
    for (const char* title : {"One", "Two", "Three", "Four", "Five"}) {
        windows.push_back(open(title));
    }
    refresh();
    // Rows: Five, Four, One, Three, Two.
    ASSERT_EQ(titles(), (std::vector<std::string>{"Five", "Four", "One", "Three", "Two"}));
    mark(windows[1], kB); // Two
    mark(windows[3], kB); // Four
    machine.desktop.show(windows[1], ShowCommand::Minimize);
    machine.desktop.runOtherThreads();
    machine.desktop.clearCalls();

    commands.showOnly(kB);
    machine.desktop.runOtherThreads();
    const std::vector<WindowId> order{windows[4], windows[3], windows[0], windows[2], windows[1]};
    const auto& calls = machine.desktop.calls();
    ASSERT_EQ(calls.size(), 5U);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, CallKind::Show);
        EXPECT_EQ(calls[i].window, order[i]);
        const bool member = order[i] == windows[1] || order[i] == windows[3];
        EXPECT_EQ(calls[i].show, member ? ShowCommand::Restore : ShowCommand::Minimize);
        EXPECT_EQ(minimized(order[i]), !member);
    }
}

TEST_F(GroupCommandsScenario, ShowOnlyAndBringToFrontSkipUnlistedRows) {
    const WindowId big = open("Big");
    const WindowId small = open("Small", Rect::fromBounds(0, 0, 10, 10));
    refresh();
    ASSERT_FALSE(list.entry(rowOf(small)).listed);
    mark(small, kA);
    mark(big, kA);
    machine.desktop.clearCalls();
    commands.showOnly(kB);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show, small), 0U);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show, big), 1U);
    commands.bringToFront(kA);
    EXPECT_EQ(machine.desktop.callCount(CallKind::SetForeground, small), 0U);
    EXPECT_EQ(machine.desktop.foregroundWindow(), big);
}

TEST_F(GroupCommandsScenario, AMemberWithHandleZeroIsNoLiveMember) {
    const WindowId real = open("Real");
    open("Zero");
    refresh();
    mark(real, kB);
    list.entry(1).marks.groups.at(kA) = true;
    list.entry(1).handleText = "0";
    commands.setMemberTexts({"text A", "text B", "text C", "text D"});

    EXPECT_FALSE(commands.hasLiveMembers(kA));
    EXPECT_TRUE(commands.hasLiveMembers(kB));
    commands.nextShowOnly();
    EXPECT_EQ(commands.currentShowOnlyGroup(), kB);
    EXPECT_EQ(commands.hints().nextShowOnly, "text B");
    commands.nextShowOnly(); // A is skipped: back to B
    EXPECT_EQ(commands.currentShowOnlyGroup(), kB);

    machine.desktop.clearCalls();
    commands.bringToFront(kA);
    commands.showOnly(kA);
    EXPECT_EQ(machine.desktop.callCount(CallKind::SetForeground), 0U);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show, kNoWindow), 0U);
    // Minimise and restore still issue the call, which finds no window.
    machine.desktop.clearCalls();
    commands.minimize(kA);
    commands.restore(kA);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show, kNoWindow), 2U);
}

TEST_F(GroupCommandsScenario, MinimiseDoesNothingWhileTheDesktopIsInFront) {
    const WindowId a = open("Alpha");
    refresh();
    mark(a, kA);
    machine.desktop.activateDesktop();
    commands.minimize(kA);
    machine.desktop.runOtherThreads();
    EXPECT_FALSE(minimized(a));

    machine.desktop.activate(a);
    commands.minimize(kA);
    machine.desktop.runOtherThreads();
    EXPECT_TRUE(minimized(a));
    commands.restore(kA);
    machine.desktop.runOtherThreads();
    EXPECT_FALSE(minimized(a));
}

TEST_F(GroupCommandsScenario, BringToFrontLeavesTheLastMemberInRowOrderInFront) {
    const WindowId first = open("First");
    const WindowId second = open("Second");
    const WindowId third = open("Third");
    const WindowId other = open("Other");
    refresh();
    mark(first, kD);
    mark(second, kD);
    mark(third, kD);
    machine.desktop.show(third, ShowCommand::Minimize);
    machine.desktop.activate(other);
    machine.desktop.runOtherThreads();
    ASSERT_TRUE(minimized(third));

    commands.bringToFront(kD);
    machine.desktop.runOtherThreads();
    EXPECT_EQ(machine.desktop.foregroundWindow(), third);
    EXPECT_FALSE(minimized(third));
    EXPECT_EQ(machine.desktop.callCount(CallKind::SetForeground, first), 1U);
    EXPECT_EQ(machine.desktop.callCount(CallKind::SetForeground, second), 1U);
}

TEST_F(GroupCommandsScenario, AMinimisedMaximisedMemberComesBackMaximised) {
    const WindowId editor = open("Editor");
    const WindowId other = open("Other", Rect::fromBounds(300, 300, 900, 700));
    machine.desktop.show(editor, ShowCommand::ShowMaximized);
    machine.desktop.runOtherThreads();
    machine.desktop.show(editor, ShowCommand::Minimize);
    machine.desktop.runOtherThreads();
    machine.desktop.activate(other);
    ASSERT_TRUE(machine.desktop.isMinimized(editor));
    refresh();
    mark(editor, kA);
    // Bring to front, and a to-front step, restore it once: to where it was, maximised.
    for (const bool step : {false, true}) {
        SCOPED_TRACE(step ? "step" : "bring to front");
        machine.desktop.show(editor, ShowCommand::Minimize);
        machine.desktop.runOtherThreads();
        if (step) {
            commands.nextToFront();
        } else {
            commands.bringToFront(kA);
        }
        machine.loop.advance(100);
        EXPECT_TRUE(machine.desktop.isMaximized(editor));
        EXPECT_EQ(machine.desktop.foregroundWindow(), editor);
    }
}

TEST_F(GroupCommandsScenario, ASecondOperationWhileOneRunsDoesNothing) {
    const WindowId a = open("Alpha");
    const WindowId b = open("Bravo");
    refresh();
    mark(a, kA);
    mark(b, kB);
    // A click that arrives while show only lets the pending messages run.
    bool fired = false;
    machine.loop.startTimer(10, [this, &fired] {
        fired = true;
        commands.bringToFront(kA);
    });
    machine.loop.sleep(20);
    machine.desktop.clearCalls();
    commands.showOnly(kB);
    EXPECT_TRUE(fired);
    EXPECT_EQ(machine.desktop.callCount(CallKind::SetForeground), 0U);
    EXPECT_EQ(machine.desktop.callCount(CallKind::Show), 2U);
}

TEST_F(GroupCommandsScenario, ButtonHintsNameTheMembers) {
    const WindowId one = open("Title1");
    const WindowId two = open("Title2");
    refresh();
    mark(one, kA);
    mark(two, kA);
    const std::vector<GroupButtonHint> hints = groupButtonHints(list.memberTexts());
    ASSERT_EQ(hints.size(), 16U);
    const std::string rule = "\r____________________\r";
    EXPECT_EQ(hints[0].button, "GA1");
    EXPECT_EQ(hints[0].hint, "[ Minimize ]" + rule + "Title1\rTitle2");
    EXPECT_EQ(hints[1].button, "GA2");
    EXPECT_EQ(hints[1].hint, "[ Restore ]" + rule + "Title1\rTitle2");
    EXPECT_EQ(hints[2].button, "GA4");
    EXPECT_EQ(hints[2].hint, "[ Show Only ]" + rule + "Title1\rTitle2");
    EXPECT_EQ(hints[3].button, "GA5");
    EXPECT_EQ(hints[3].hint, "[ Bring to Front ]" + rule + "Title1\rTitle2");
    EXPECT_EQ(hints[4].button, "GB1");
    EXPECT_EQ(hints[4].hint, "Minimize" + rule + std::string(kNoGroupText));
    EXPECT_EQ(hints[7].button, "GB5");
    EXPECT_EQ(hints[7].hint, "Bring to Front" + rule + std::string(kNoGroupText));
    EXPECT_EQ(hints[15].button, "GD5");
    EXPECT_EQ(hints[14].button, "GD4");
    EXPECT_EQ(hints[14].hint, "Show Only" + rule + std::string(kNoGroupText));
}

} // namespace
} // namespace cellaro
