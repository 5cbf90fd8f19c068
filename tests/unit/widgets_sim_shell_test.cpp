// Tests of the simulated shell: the tray icon's retries while the shell is not ready and its re-add
// after a shell restart, scripted popup menus and message boxes.
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_shell.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace cellaro::sim {
namespace {

class CountingTrayEvents final : public TrayIconEvents {
public:
    void onTrayLeftClick() override { ++leftClicks; }
    void onTrayRightClick(Point cursor) override { rightClicks.push_back(cursor); }
    int leftClicks = 0;
    std::vector<Point> rightClicks;
};

TEST(SimShellTray, RetriesEverySecondUntilTheShellIsReady) {
    SimEventLoop loop;
    SimShell shell(loop);
    CountingTrayEvents events;
    shell.failAddsUntil(3);
    auto icon = shell.createTrayIcon("Cellaro", events);
    EXPECT_FALSE(icon->present());
    EXPECT_FALSE(shell.clickTrayLeft()); // nothing to click yet
    loop.advance(2999);
    EXPECT_FALSE(icon->present());
    EXPECT_EQ(shell.trayAddAttempts(), 3U);
    loop.advance(1);
    EXPECT_TRUE(icon->present());
    EXPECT_EQ(loop.runningCount(), 0U); // no retries once it is in
    EXPECT_TRUE(shell.clickTrayLeft());
    EXPECT_TRUE(shell.clickTrayRight(Point{1900, 1060}));
    EXPECT_EQ(events.leftClicks, 1);
    ASSERT_EQ(events.rightClicks.size(), 1U);
    EXPECT_EQ(events.rightClicks[0], (Point{1900, 1060}));

    icon->setHint("Cellaro - Notepad");
    EXPECT_EQ(shell.trayHints(), (std::vector<std::string>{"Cellaro", "Cellaro - Notepad"}));

    shell.failAddsUntil(1);
    shell.restartShell();
    EXPECT_FALSE(icon->present());
    loop.advance(SimShell::kTrayRetryMs);
    EXPECT_TRUE(icon->present());

    icon->remove();
    shell.restartShell(); // a removed icon stays away
    EXPECT_FALSE(icon->present());
}

TEST(SimShellTray, DestroyingTheIconStopsItsRetries) {
    SimEventLoop loop;
    SimShell shell(loop);
    CountingTrayEvents events;
    shell.failAddsUntil(100);
    auto icon = shell.createTrayIcon("Cellaro", events);
    EXPECT_EQ(loop.runningCount(), 1U);
    icon.reset();
    EXPECT_EQ(loop.runningCount(), 0U);
    EXPECT_EQ(shell.trayIcon(), nullptr);
}

MenuItem item(const std::string& name, int id) {
    MenuItem made;
    made.name = name;
    made.caption = name;
    made.id = id;
    return made;
}

std::vector<MenuItem> trayMenu() {
    MenuItem off = item("Off", 2);
    off.enabled = false;
    MenuItem hidden = item("Hidden", 3);
    hidden.visible = false;
    MenuItem separator = item("sep", 4);
    separator.separator = true;
    MenuItem more = item("More", 0);
    more.submenu = {item("Exit", 9)};
    return {item("Show", 1), off, hidden, separator, more};
}

TEST(SimShellMenus, AnswersAsScriptedAndNeverWithWhatCannotBeChosen) {
    SimEventLoop loop;
    SimShell shell(loop);
    const auto menu = trayMenu();
    struct Case {
        const char* name;
        std::optional<int> queued;
        std::optional<std::string> byName;
        std::optional<int> expected;
    };
    const std::vector<Case> cases = {
        {"an enabled item by id", 1, std::nullopt, 1},
        {"an item in a submenu by name", std::nullopt, "Exit", 9},
        {"a disabled item", 2, std::nullopt, std::nullopt},
        {"a hidden item", std::nullopt, "Hidden", std::nullopt},
        {"a separator", 4, std::nullopt, std::nullopt},
        {"an unknown name", std::nullopt, "Nope", std::nullopt},
        {"dismissed", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        if (each.byName) {
            shell.queueMenuChoice(*each.byName);
        } else {
            shell.queueMenuAnswer(each.queued);
        }
        EXPECT_EQ(shell.trackPopupMenu(menu, Point{10, 20}), each.expected);
    }
    EXPECT_EQ(shell.trackPopupMenu(menu, Point{}), std::nullopt); // nothing queued: dismissed
    shell.setMenuAnswerer([](const std::vector<MenuItem>& items) { return SimShell::itemId(items, "Show"); });
    EXPECT_EQ(shell.trackPopupMenu(menu, Point{}), 1);
    ASSERT_EQ(shell.menus().size(), cases.size() + 2);
    EXPECT_EQ(shell.menus()[0].at, (Point{10, 20}));
    EXPECT_EQ(shell.menus()[0].items.size(), menu.size());
}

TEST(SimShellMessageBoxes, DefaultAnswersAndQueuedOnes) {
    SimEventLoop loop;
    SimShell shell(loop);
    EXPECT_EQ(shell.messageBox("a", "Cellaro", MessageBoxButtons::Ok, MessageBoxIcon::None),
              MessageBoxResult::Ok);
    EXPECT_EQ(shell.messageBox("b", "Cellaro", MessageBoxButtons::OkCancel, MessageBoxIcon::None),
              MessageBoxResult::Ok);
    EXPECT_EQ(shell.messageBox("c", "Cellaro", MessageBoxButtons::YesNo, MessageBoxIcon::Question),
              MessageBoxResult::Yes);
    shell.queueMessageBoxAnswer(MessageBoxResult::No);
    EXPECT_EQ(shell.messageBox("d", "Cellaro", MessageBoxButtons::YesNoCancel, MessageBoxIcon::Question),
              MessageBoxResult::No);
    ASSERT_EQ(shell.messageBoxes().size(), 4U);
    EXPECT_EQ(shell.messageBoxes()[3].text, "d");
    EXPECT_EQ(shell.messageBoxes()[3].answer, MessageBoxResult::No);

    shell.setOpenDocumentResult(false);
    EXPECT_FALSE(shell.openDocument("Cellaro-User-Guide.htm"));
    EXPECT_TRUE(shell.tileWindows(true));
    EXPECT_EQ(shell.openedDocuments(), (std::vector<std::string>{"Cellaro-User-Guide.htm"}));
    EXPECT_EQ(shell.tileRequests(), (std::vector<bool>{true}));
}

} // namespace
} // namespace cellaro::sim
