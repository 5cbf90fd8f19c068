// Scenario: settings that could not be read are never written back as defaults, and a settings file
// that can't be written is reported once.
#include "app/tray_form.h"
#include "config/settings.h"
#include "forms/settings/settings_window.h"
#include "forms/working/working_window.h"
#include "logic/shortcuts/shortcut_set.h"
#include "logic/tray_menu.h"
#include "support/sim_machine.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::SimMachine;

constexpr const char* kUserSettings = "[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=0\r\nA1=16777215\r\n\r\n";
constexpr const char* kRunValue = "\"C:\\Program Files\\Cellaro\\cellaro.exe\"";

// CRO.cfg is held open by another program while Cellaro starts, and let go soon after.
struct LockedAtStart {
    SimMachine machine;
    Program* program = nullptr;

    LockedAtStart() {
        machine.files.setFile(SimMachine::kConfigPath, kUserSettings);
        machine.registry.preset("Cellaro", kRunValue);
        machine.files.failReads(SimMachine::kConfigPath, "The process cannot access the file.");
        program = &machine.start();
        machine.files.clearFailures();
    }
    void exit() {
        machine.shell.queueMenuChoice("Close1");
        machine.shell.clickTrayRight(Point{10, 10});
    }
};

TEST(UnreadableSettings, AreNeitherWrittenBackNorTakeAutostartAway) {
    LockedAtStart s;
    // The user opens and closes the working window, then leaves.
    s.machine.shell.clickTrayLeft();
    ASSERT_TRUE(s.program->workingWindow().visible());
    s.program->workingWindow().close();
    s.exit();
    EXPECT_TRUE(s.machine.host.quitRequested());
    const auto saved = s.machine.files.file(SimMachine::kConfigPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("load=1"), std::string::npos) << *saved;
    EXPECT_NE(saved->find("MNR=0"), std::string::npos) << *saved;
    EXPECT_EQ(s.machine.registry.runValue("Cellaro"), std::string(kRunValue));
}

TEST(UnreadableSettings, AreReadOnceTheFileCanBeReadAgain) {
    LockedAtStart s;
    EXPECT_TRUE(s.program->settings().anyUnread());
    // The working window's activation reads the settings again: the user's colours and check marks.
    s.machine.shell.clickTrayLeft();
    EXPECT_FALSE(s.program->settings().anyUnread());
    EXPECT_EQ(s.program->workingWindow().root().colour(), Colour::rgb(255, 255, 255));
    EXPECT_TRUE(s.program->trayForm().autostartChecked());
    EXPECT_FALSE(s.program->settings().maxRowsColumns());
}

TEST(UnreadableSettings, TheUsersOwnChangeInThisRunIsWritten) {
    LockedAtStart s;
    // Still unknown, the autostart check is taken off by the user: that is theirs to write.
    s.program->trayForm().runCommand(CommandCall::of(Command::LoadAtStartup));
    EXPECT_TRUE(s.program->trayForm().autostartChecked()); // the unknown "off" became "on"
    s.program->trayForm().runCommand(CommandCall::of(Command::LoadAtStartup));
    EXPECT_FALSE(s.program->trayForm().autostartChecked());
    s.exit();
    const auto saved = s.machine.files.file(SimMachine::kConfigPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("load=0"), std::string::npos) << *saved;
    EXPECT_NE(saved->find("MNR=0"), std::string::npos) << *saved;
    EXPECT_FALSE(s.machine.registry.runValue("Cellaro").has_value());
}

TEST(UnreadableSettings, StillLockedAtExitTheFileAndTheRunValueStay) {
    SimMachine machine;
    machine.files.setFile(SimMachine::kConfigPath, kUserSettings);
    machine.registry.preset("Cellaro", kRunValue);
    machine.files.failReads(SimMachine::kConfigPath, "The process cannot access the file.");
    machine.start();
    machine.shell.queueMenuChoice("Close1");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(machine.host.quitRequested());
    EXPECT_EQ(machine.files.file(SimMachine::kConfigPath), std::string(kUserSettings));
    EXPECT_EQ(machine.registry.runValue("Cellaro"), std::string(kRunValue));
}

constexpr HotKeyCombination kCtrlAltS{kHotKeyControl | kHotKeyAlt, 'S'};
constexpr const char* kShortcutSettings = "[Options]\r\nHotKey5=Ctrl+Alt+S\r\nSEW=8\r\n\r\n";
constexpr const char* kLockText =
    "The process cannot access the file because it is being used by another process.";

// CRO.cfg is held by another program from before the start until the test lets it go.
struct HeldFromTheStart {
    SimMachine machine;
    Program* program = nullptr;

    HeldFromTheStart() {
        machine.files.setFile(SimMachine::kConfigPath, kShortcutSettings);
        machine.files.failReads(SimMachine::kConfigPath, kLockText);
        machine.files.failWrites(SimMachine::kConfigPath, kLockText);
        program = &machine.start();
    }
    void release() { machine.files.clearFailures(); }
};

TEST(LockedAtStart, TheShortcutsAreRegisteredOnceTheFileCanBeReadWithoutAnyUserAction) {
    HeldFromTheStart s;
    // Until then the defaults stand in: Alt+W works, the user's Ctrl+Alt+S is not known yet.
    EXPECT_FALSE(s.machine.hotKeys.press(kCtrlAltS));
    EXPECT_TRUE(s.program->shortcuts().hotKey(107).registered());
    s.machine.loop.advance(9000);
    EXPECT_FALSE(s.machine.hotKeys.press(kCtrlAltS));
    s.release();
    // The next retry (every 2 s) reads it: the user's shortcut works, as start-up would have made it.
    s.machine.loop.advance(Program::kSettingsRetryIntervalMs);
    EXPECT_FALSE(s.program->settings().anyUnread());
    EXPECT_TRUE(s.machine.hotKeys.press(kCtrlAltS));
    EXPECT_TRUE(s.program->workingWindow().visible());
    EXPECT_EQ(s.program->settings().columns(), 8);
    EXPECT_TRUE(s.machine.shell.messageBoxes().empty());

    s.machine.shell.queueMenuChoice("Close1");
    s.machine.shell.clickTrayRight(Point{10, 10});
    const std::string saved = s.machine.files.file(SimMachine::kConfigPath).value_or("");
    EXPECT_NE(saved.find("HotKey5=Ctrl+Alt+S"), std::string::npos) << saved;
    EXPECT_NE(saved.find("SEW=8"), std::string::npos) << saved;
}

TEST(LockedAtStart, AnOkWhileStillUnreadableWritesNothingAndKeepsTheWindowOpen) {
    HeldFromTheStart s;
    s.program->trayForm().runCommand(CommandCall::of(Command::Settings));
    SettingsWindow& settings = s.program->settingsWindow();
    ASSERT_TRUE(settings.visible());
    settings.ok();
    EXPECT_TRUE(settings.visible());
    ASSERT_EQ(s.machine.shell.messageBoxes().size(), 1U);
    EXPECT_NE(s.machine.shell.messageBoxes()[0].text.find(SimMachine::kConfigPath), std::string::npos);
    EXPECT_EQ(s.machine.files.file(SimMachine::kConfigPath), std::string(kShortcutSettings));

    // Released: the next OK takes the file's values for what the user did not change, and writes.
    s.release();
    settings.ok();
    EXPECT_FALSE(settings.visible());
    const std::string saved = s.machine.files.file(SimMachine::kConfigPath).value_or("");
    EXPECT_NE(saved.find("HotKey5=Ctrl+Alt+S"), std::string::npos) << saved;
    EXPECT_NE(saved.find("SEW=8"), std::string::npos) << saved;
    EXPECT_TRUE(s.machine.hotKeys.press(kCtrlAltS));
}

TEST(LockedAtStart, TheRetryStopsAfterFiveMinutesButAnActivationStillReads) {
    HeldFromTheStart s;
    s.machine.loop.advance(Program::kSettingsRetryForMs + 3 * Program::kSettingsRetryIntervalMs);
    s.release();
    s.machine.loop.advance(10 * Program::kSettingsRetryIntervalMs);
    EXPECT_TRUE(s.program->settings().anyUnread());
    // The user opens the working window: its activation reads the file.
    s.machine.shell.clickTrayLeft();
    EXPECT_FALSE(s.program->settings().anyUnread());
    EXPECT_TRUE(s.machine.hotKeys.press(kCtrlAltS));
}

TEST(Exit, AnUnwritableSettingsFileIsReportedOnce) {
    SimMachine machine;
    machine.start();
    machine.files.failWrites(SimMachine::kConfigPath, "Access is denied.");
    machine.shell.queueMenuChoice("Close1");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(machine.host.quitRequested());
    ASSERT_EQ(machine.shell.messageBoxes().size(), 1U);
    EXPECT_EQ(
        machine.shell.messageBoxes()[0].text.rfind(
            "Cellaro could not save " + std::string(SimMachine::kConfigPath) + ":\r\nAccess is denied.", 0),
        0U);
}

} // namespace
} // namespace cellaro
