// Scenario: settings that could not be read are never written back as defaults, and a settings file
// that can't be written is reported once.
#include "app/tray_form.h"
#include "config/settings.h"
#include "forms/working/working_window.h"
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
    EXPECT_TRUE(s.program->settings().readFailed());
    // The working window's activation reads the settings again: the user's colours and check marks.
    s.machine.shell.clickTrayLeft();
    EXPECT_FALSE(s.program->settings().readFailed());
    EXPECT_EQ(s.program->workingWindow().root().colour(), Colour::rgb(255, 255, 255));
    EXPECT_TRUE(s.program->trayForm().autostartChecked());
    EXPECT_FALSE(s.program->settings().maxRowsColumns());
}

TEST(UnreadableSettings, TheUsersOwnChangeInThisRunIsWritten) {
    LockedAtStart s;
    // Still unknown, the autostart check is taken off by the user: that is theirs to write.
    s.program->trayForm().runCommand(TrayCommand::LoadAtStartup);
    EXPECT_TRUE(s.program->trayForm().autostartChecked()); // the unknown "off" became "on"
    s.program->trayForm().runCommand(TrayCommand::LoadAtStartup);
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

TEST(Exit, AnUnwritableSettingsFileIsReportedOnce) {
    SimMachine machine;
    machine.start();
    machine.files.failWrites(SimMachine::kConfigPath, "Access is denied.");
    machine.shell.queueMenuChoice("Close1");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(machine.host.quitRequested());
    ASSERT_EQ(machine.shell.messageBoxes().size(), 1U);
    EXPECT_EQ(machine.shell.messageBoxes()[0].text, "Access is denied.");
}

} // namespace
} // namespace cellaro
