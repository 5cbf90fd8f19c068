// The command vocabulary: the table's rows agree with the shortcut table and the tray menu, every
// command is offered somewhere, and the session's transitions.
#include "logic/commands.h"
#include "logic/session.h"
#include "logic/shortcuts/shortcut_table.h"
#include "logic/tray_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace cellaro {
namespace {

TEST(CommandTable, EveryShortcutAndTrayItemHasExactlyOneCall) {
    for (const ShortcutEntry& shortcut : kShortcutTable) {
        int rows = 0;
        for (const CommandRow& row : kCommandTable) {
            rows += row.shortcut == shortcut.number ? 1 : 0;
        }
        EXPECT_EQ(rows, 1) << "shortcut " << shortcut.number;
        const std::optional<CommandCall> call = commandOfShortcut(shortcut.number);
        ASSERT_TRUE(call);
        EXPECT_EQ(call->source, CommandSource::Shortcut);
    }
    // Every item of the menu that does something maps back to its call, and the menu offers every
    // tray row.
    std::set<std::string> offered;
    TrayMenuState state;
    state.monitorCount = 2;
    const std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items) {
            walk(item.submenu);
            if (item.separator || !item.submenu.empty()) {
                continue;
            }
            const std::optional<CommandCall> call = commandOfTrayMenuId(item.id);
            ASSERT_TRUE(call) << item.name;
            EXPECT_TRUE(call->sameAs(*commandOfTrayItem(item.name))) << item.name;
            offered.insert(item.name);
        }
    };
    walk(buildTrayMenu(state));
    for (const CommandRow& row : kCommandTable) {
        if (!row.trayItem.empty()) {
            EXPECT_TRUE(offered.contains(std::string(row.trayItem))) << row.trayItem;
        }
    }
    EXPECT_FALSE(commandOfTrayMenuId(0));
    EXPECT_FALSE(commandOfTrayMenuId(static_cast<int>(kCommandTable.size()) + 1));
}

TEST(CommandTable, EveryCommandIsOfferedAndNamesAreUnique) {
    std::set<int> commands;
    std::set<std::string_view> buttons;
    for (const CommandRow& row : kCommandTable) {
        commands.insert(static_cast<int>(row.call.command));
        if (!row.button.empty()) {
            EXPECT_TRUE(buttons.insert(row.button).second) << row.button;
        }
    }
    for (int command = 0; command <= static_cast<int>(Command::NextToFront); ++command) {
        EXPECT_TRUE(commands.contains(command)) << command;
    }
    // The anchors: nine buttons, nine different anchors.
    std::set<std::pair<int, int>> anchors;
    for (const CommandRow& row : kCommandTable) {
        if (row.call.command == Command::Place) {
            anchors.emplace(static_cast<int>(row.call.anchor.column), static_cast<int>(row.call.anchor.row));
        }
    }
    EXPECT_EQ(anchors.size(), 9U);
    EXPECT_EQ(commandOfButton("GC5")->group, 2);
    EXPECT_EQ(commandOfTrayItem("fsgrid2")->monitor, 1);
    EXPECT_FALSE(commandOfButton("sbHome")); // a page switch, not a command
}

// The session through the steps the windows take, one transition a row.
TEST(Session, TransitionsOfTheDialogsAndTheOneShot) {
    Session session;
    const WindowId target{0x1234};
    struct Step {
        const char* what;
        std::function<void()> act;
        bool dialogOpen;
        bool oneShot;
        bool returns;
    };
    const std::vector<Step> steps{
        {"start", [] {}, false, false, false},
        {"the tray's Settings", [&] { session.beginOneShot(); }, false, true, false},
        {"opening with the working window shown", [&] { session.dialogOpening(true, target); }, false, true,
         false},
        {"activated", [&] { session.dialogActivated(Session::Dialog::Settings); }, true, true, false},
        {"closing", [&] { session.dialogClosing(); }, false, true, false},
        {"closed", [&] { session.dialogClosed(); }, false, false, true},
        {"Manage Groups from the working window", [&] { session.dialogOpening(true, target); }, false, false,
         true},
        {"the list active", [&] { session.dialogActivated(Session::Dialog::WindowList); }, true, false, true},
        {"its close", [&] { session.dialogClosing(); }, false, false, true},
        {"a hidden working window's dialog", [&] { session.dialogOpening(false, {}); }, false, false, false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(session.dialogOpen(), step.dialogOpen) << step.what;
        EXPECT_EQ(session.oneShot(), step.oneShot) << step.what;
        EXPECT_EQ(session.workingWindowReturns(), step.returns) << step.what;
    }
    session.dialogOpening(true, target);
    EXPECT_EQ(session.targetBefore(), target);
    session.dialogActivated(Session::Dialog::WindowList);
    EXPECT_EQ(session.openDialog(), Session::Dialog::WindowList);
}

} // namespace
} // namespace cellaro
