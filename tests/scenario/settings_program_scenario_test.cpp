// Scenario: the settings window in the whole program. "Settings" on the working window puts the
// settings window in its place and its close brings the working window and the target back; the
// tray's item is a one-shot and is guarded while the settings window or the window list shows; OK
// reaches the working window's grid and the file.
#include "app/program.h"
#include "app/tray_form.h"
#include "forms/settings/settings_window.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "support/target_shown.h"
#include "support/ui.h"

#include "logic/session.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::TargetShown;

constexpr int kEscape = 27;

TEST(SettingsInProgram, TheWorkingWindowsSettingsComeBackToItAndTheTarget) {
    TargetShown t;
    SettingsWindow& settings = t.program.settingsWindow();
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    EXPECT_FALSE(t.working.visible());
    ASSERT_TRUE(settings.visible());
    EXPECT_TRUE(t.program.session().dialogOpen());

    // Something else is clicked meanwhile; Escape closes the window and applies nothing.
    sim::WindowOptions other;
    other.title = "Other";
    other.bounds = Rect::fromBounds(300, 300, 700, 600);
    t.machine.desktop.activate(t.machine.desktop.createWindow(other));
    t.machine.host.pressKey(settings, kEscape);
    EXPECT_FALSE(settings.visible());
    EXPECT_FALSE(t.program.session().dialogOpen());
    EXPECT_TRUE(t.working.visible());
    EXPECT_EQ(t.program.tracker().target(), t.target);
}

TEST(SettingsInProgram, TheTraysSettingsIsAOneShotAndWaitsForTheOtherWindows) {
    TargetShown t;
    t.working.closeByUser();
    // While the window manager list shows, the tray's "Settings" does nothing.
    t.program.trayForm().runCommand(CommandCall::of(Command::ManageGroups));
    ASSERT_TRUE(t.program.windowList().visible());
    t.program.trayForm().runCommand(CommandCall::of(Command::Settings));
    EXPECT_FALSE(t.program.settingsWindow().visible());
    t.machine.host.pressKey(t.program.windowList(), kEscape);

    SettingsWindow& settings = t.program.settingsWindow();
    const bool configBefore = t.machine.files.exists(testing::SimMachine::kConfigPath);
    t.program.trayForm().runCommand(CommandCall::of(Command::Settings));
    ASSERT_TRUE(settings.visible());
    EXPECT_TRUE(t.program.session().oneShot());
    // Escape writes nothing.
    t.machine.host.pressKey(settings, kEscape);
    EXPECT_FALSE(settings.visible());
    EXPECT_EQ(t.machine.files.exists(testing::SimMachine::kConfigPath), configBefore);

    t.program.trayForm().runCommand(CommandCall::of(Command::Settings));
    ASSERT_TRUE(settings.visible());
    // OK writes the file; the working window stays closed after a one-shot.
    settings.ok();
    EXPECT_FALSE(settings.visible());
    EXPECT_FALSE(t.working.visible());
    EXPECT_TRUE(t.machine.files.exists(testing::SimMachine::kConfigPath));
}

} // namespace
} // namespace cellaro
