// Scenario: the command table in the running program. Every button the table names is there and
// runs; a call from the tray behaves as the tray's item (a one-shot) and one from a button as the
// working window's.
#include "app/program.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/settings/settings_window.h"
#include "forms/working/working_window.h"
#include "logic/commands.h"
#include "logic/session.h"
#include "support/target_shown.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::TargetShown;

TEST(Commands, EveryButtonOfTheTableIsThereAndEnabled) {
    TargetShown t;
    for (const CommandRow& row : kCommandTable) {
        if (row.button.empty()) {
            continue;
        }
        Widget* button = t.working.find(row.button);
        if (button == nullptr) {
            button = t.program.navigationMenu().find(row.button);
        }
        ASSERT_NE(button, nullptr) << row.button;
        EXPECT_TRUE(button->enabled()) << row.button;
    }
}

TEST(Commands, TheSourceDecidesWhetherSettingsIsAOneShot) {
    for (const CommandSource source : {CommandSource::Button, CommandSource::Tray}) {
        TargetShown t;
        t.program.run(CommandCall::of(Command::Settings).from(source));
        ASSERT_TRUE(t.program.settingsWindow().visible());
        EXPECT_EQ(t.program.session().oneShot(), source == CommandSource::Tray);
        t.program.settingsWindow().cancel();
        // From the working window's button it comes back; after the tray's one-shot it does not.
        EXPECT_EQ(t.working.visible(), source == CommandSource::Button);
        EXPECT_FALSE(t.program.session().oneShot());
    }
}

TEST(Commands, APlaceCallPutsTheTargetOnItsAnchor) {
    TargetShown t;
    t.program.run(CommandCall::at({AnchorColumn::Right, AnchorRow::Bottom}).from(CommandSource::Shortcut));
    t.machine.loop.processPendingMessages();
    EXPECT_EQ(t.targetRect(), Rect::fromBounds(1920 - 700, 1040 - 500, 700, 500));
}

} // namespace
} // namespace cellaro
