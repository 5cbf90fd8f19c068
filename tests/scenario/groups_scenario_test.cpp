// Scenario: window groups in the whole program. "Manage Groups" from the working window and from the
// tray opens the window manager list and its close puts the target and the working window back and
// publishes the groups' hints; the navigation menu's menu opens the list or the group page.
#include "app/program.h"
#include "app/tray_form.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "support/target_shown.h"
#include "support/ui.h"

#include "logic/session.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

using testing::TargetShown;

constexpr int kEscape = 27;

struct Groups : TargetShown {
    Groups() {
        sim::WindowOptions window;
        window.title = "Second";
        window.bounds = Rect::fromBounds(300, 300, 800, 700);
        second = machine.desktop.createWindow(window);
    }
    WindowManagerList& list() { return program.windowList(); }
    // The list's row of the window (rows are made for listed windows only).
    int rowOf(WindowId window) {
        WindowList& entries = program.windowEntries();
        for (int row = 0; row < entries.count(); ++row) {
            if (entries.entry(row).window() == window) {
                return row;
            }
        }
        return -1;
    }
    std::string hintOf(std::string_view button) { return working.find(button)->hint(); }

    WindowId second;
};

TEST(Groups, ManageGroupsFromTheWorkingWindowComesBackToItWithTheGroupsPublished) {
    Groups g;
    g.working.showPage(WorkingPage::Groups);
    ASSERT_TRUE(g.working.visible());
    ASSERT_TRUE(testing::click(g.machine.host, g.working, "SbSelect"));
    EXPECT_FALSE(g.working.visible());
    ASSERT_TRUE(g.list().visible());
    EXPECT_TRUE(g.program.session().dialogOpen());
    EXPECT_FALSE(g.program.navigationMenu().keepingInFront());

    // The user ticks group B for the target and group D for the second window.
    const int target = g.rowOf(g.target);
    const int second = g.rowOf(g.second);
    ASSERT_GE(target, 0);
    ASSERT_GE(second, 0);
    g.list().setGroup(target, 1, true);
    g.list().setGroup(second, 3, true);
    // Something else comes to the front meanwhile: the list's close puts the target back.
    g.machine.desktop.activate(g.second);
    g.machine.host.pressKey(g.list(), kEscape);

    EXPECT_FALSE(g.list().visible());
    EXPECT_FALSE(g.program.session().dialogOpen());
    EXPECT_TRUE(g.working.visible());
    EXPECT_EQ(g.program.tracker().target(), g.target);
    EXPECT_EQ(g.hintOf("GB1"), "Minimize\r____________________\rEditor");
    EXPECT_EQ(g.hintOf("GD5"), "Bring to Front\r____________________\rSecond");
    EXPECT_EQ(g.hintOf("GA4"), "[ Show Only ]\r____________________\rNo windows group was created");
    // The steps' hints name what a step would bring up: from A forwards B, backwards D.
    EXPECT_EQ(g.hintOf("GB3"), "Editor");
    EXPECT_EQ(g.hintOf("GA3"), "Second");
    EXPECT_EQ(g.program.navigationMenu().find("xNaprej2")->hint(), "Editor");

    // The group page's buttons act on the groups: show only D minimises the target.
    ASSERT_TRUE(testing::click(g.machine.host, g.working, "GD4"));
    g.machine.loop.processPendingMessages();
    EXPECT_EQ(g.machine.desktop.placement(g.target)->state, ShowState::Minimized);
    EXPECT_NE(g.machine.desktop.placement(g.second)->state, ShowState::Minimized);
}

TEST(Groups, TheTrayOpensTheListOnceAndLeavesTheWorkingWindowClosedAfterIt) {
    Groups g;
    g.working.closeByUser();
    // While the settings window is open the tray's item does nothing.
    g.program.session().dialogActivated(Session::Dialog::Settings);
    g.program.trayForm().runCommand(CommandCall::of(Command::ManageGroups));
    EXPECT_FALSE(g.list().visible());
    g.program.session().dialogClosing();

    g.program.trayForm().runCommand(CommandCall::of(Command::ManageGroups));
    ASSERT_TRUE(g.list().visible());
    EXPECT_TRUE(g.program.session().oneShot());
    const int rows = g.list().rowCount();
    // Asked again while it shows, the list only comes to the front.
    g.program.trayForm().runCommand(CommandCall::of(Command::ManageGroups));
    EXPECT_EQ(g.list().rowCount(), rows);
    ASSERT_TRUE(testing::click(g.machine.host, g.list(), "xiOKefdcxz"));
    EXPECT_FALSE(g.list().visible());
    EXPECT_FALSE(g.working.visible());
    // The one-shot is over: the tray icon's click shows the working window on the screen.
    EXPECT_FALSE(g.program.session().oneShot());
    g.machine.shell.clickTrayLeft();
    ASSERT_TRUE(g.working.visible());
    EXPECT_GE(g.working.bounds().top, 0);
}

TEST(Groups, TheNavigationMenusMenuOpensTheListOrTheGroupPage) {
    Groups g;
    g.working.closeByUser();
    NavigationMenu& menu = g.program.navigationMenu();
    g.program.trayForm().runCommand(CommandCall::of(Command::NavigationMenu));
    ASSERT_TRUE(menu.visible());

    g.machine.shell.queueMenuChoice("Groupsoptions1");
    ASSERT_TRUE(testing::click(g.machine.host, menu, "xHamburger"));
    EXPECT_TRUE(g.working.visible());
    EXPECT_EQ(g.working.page(), WorkingPage::Groups);

    g.machine.shell.queueMenuChoice("Managegroups1");
    ASSERT_TRUE(testing::click(g.machine.host, menu, "xHamburger"));
    EXPECT_TRUE(g.list().visible());
    EXPECT_FALSE(g.working.visible());
    // Closed, the list shows the working window again: it was visible when the list opened.
    g.machine.host.pressKey(g.list(), kEscape);
    EXPECT_TRUE(g.working.visible());

    g.program.trayForm().runCommand(CommandCall::of(Command::NavigationMenu));
    EXPECT_FALSE(menu.visible());
}

} // namespace
} // namespace cellaro
