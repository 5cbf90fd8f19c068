// Scenario: what a new user meets. The first start in a folder (no CRO.cfg beside the program)
// points once, with a balloon from the tray icon, to where Cellaro lives and how its grid opens;
// later starts say nothing. The tray's "Help" without the guide beside the program says where the
// guide was looked for and which zip it ships in.
#include "app/tray_form.h"
#include "cellaro_version.h"
#include "support/sim_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

constexpr const char* kGuidePath = "C:\\Program Files\\Cellaro\\Cellaro-User-Guide.htm";
// The limits the notification area keeps of a balloon's title and text.
constexpr std::size_t kBalloonTitleLimit = 63;
constexpr std::size_t kBalloonTextLimit = 255;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A second start on the same machine: the files the first one left, and nothing else.
void restartWithFilesOf(const SimMachine& before, SimMachine& after) {
    for (const auto& [path, data] : before.files.files()) {
        after.files.setFile(path, data);
    }
    after.start();
}

TEST(FirstStart, TheTrayIconSaysOnceWhereCellaroLivesAndHowTheGridOpens) {
    SimMachine machine;
    Program& program = machine.start();
    ASSERT_EQ(machine.shell.balloons().size(), 1U);
    const sim::ShownBalloon& balloon = machine.shell.balloons()[0];
    EXPECT_EQ(balloon.title, "Cellaro is running");
    EXPECT_TRUE(contains(balloon.text, "notification area")) << balloon.text;
    EXPECT_TRUE(contains(balloon.text, "Click its icon to open the grid")) << balloon.text;
    // The full-screen grid's default shortcut, which a first start holds.
    EXPECT_TRUE(contains(balloon.text, "press Alt+W for the full-screen grid")) << balloon.text;
    EXPECT_LE(balloon.title.size(), kBalloonTitleLimit);
    EXPECT_LE(balloon.text.size(), kBalloonTextLimit);
    // It is not a setting: nothing was written for it.
    EXPECT_FALSE(machine.files.exists(SimMachine::kConfigPath));
    EXPECT_EQ(machine.files.writeCount(), 0);

    // Time passing and the icon's hint changing bring no second one.
    machine.loop.advance(5000);
    machine.shell.clickTrayLeft();
    machine.loop.advance(1000);
    EXPECT_EQ(machine.shell.balloons().size(), 1U);

    // Exit writes CRO.cfg: the next start is not a first one.
    program.trayForm().runCommand(CommandCall::of(Command::Exit));
    ASSERT_TRUE(machine.files.exists(SimMachine::kConfigPath));
    SimMachine next;
    restartWithFilesOf(machine, next);
    next.loop.advance(5000);
    EXPECT_TRUE(next.shell.balloons().empty());
}

TEST(FirstStart, ARunThatWroteNothingLeavesTheNextStartAFirstOne) {
    // Ended without Exit (log-off, a crash) before anything was saved: there is still no CRO.cfg,
    // so the next start points the way again.
    SimMachine machine;
    machine.start();
    machine.loop.advance(1000);
    ASSERT_FALSE(machine.files.exists(SimMachine::kConfigPath));
    SimMachine next;
    restartWithFilesOf(machine, next);
    EXPECT_EQ(next.shell.balloons().size(), 1U);
}

TEST(FirstStart, AnySettingsFileMeansCellaroWasHereBefore) {
    struct Case {
        const char* what;
        const char* contents;
        bool unreadable;
    };
    for (const Case& c :
         {Case{"an empty file", "", false}, Case{"a file from a save", "[Config]\r\nload=0\r\n", false},
          Case{"a file another program holds open", "[Config]\r\nload=0\r\n", true}}) {
        SimMachine machine;
        machine.files.setFile(SimMachine::kConfigPath, c.contents);
        if (c.unreadable) {
            machine.files.failReads(SimMachine::kConfigPath, "The process cannot access the file.");
        }
        machine.start();
        machine.loop.advance(1000);
        EXPECT_TRUE(machine.shell.balloons().empty()) << c.what;
    }
}

TEST(FirstStart, TheBalloonWaitsForTheNotificationAreaAtLogOn) {
    // Started from the Run key before the shell is ready: the icon comes on the third try, and the
    // balloon with it.
    SimMachine machine;
    machine.shell.failAddsUntil(2);
    machine.start();
    EXPECT_FALSE(machine.shell.trayIconPresent());
    EXPECT_TRUE(machine.shell.balloons().empty());
    machine.loop.advance(2 * sim::SimShell::kTrayRetryMs + 100);
    ASSERT_TRUE(machine.shell.trayIconPresent());
    EXPECT_EQ(machine.shell.balloons().size(), 1U);
    // A restart of the shell adds the icon again, not the balloon.
    machine.shell.restartShell();
    EXPECT_EQ(machine.shell.balloons().size(), 1U);
}

TEST(FirstStart, AFullScreenShortcutHeldElsewhereIsNotOffered) {
    // Another program holds Alt+W: pressing it would not open the grid, so the balloon names the
    // click alone.
    SimMachine machine;
    machine.hotKeys.holdByOtherProgram(HotKeyCombination{kHotKeyAlt, 'W'});
    machine.start();
    ASSERT_EQ(machine.shell.balloons().size(), 1U);
    const std::string& text = machine.shell.balloons()[0].text;
    EXPECT_TRUE(contains(text, "Click its icon to open the grid")) << text;
    EXPECT_FALSE(contains(text, "Alt+W")) << text;
    EXPECT_FALSE(contains(text, "full-screen")) << text;
}

TEST(Help, WithoutTheGuideOneBoxSaysWhereItWasLookedForAndWhichZipHoldsIt) {
    // cellaro.exe copied alone.
    SimMachine machine;
    Program& program = machine.start();
    program.trayForm().runCommand(CommandCall::of(Command::Help));
    EXPECT_TRUE(machine.shell.openedDocuments().empty());
    ASSERT_EQ(machine.shell.messageBoxes().size(), 1U);
    const sim::ShownMessageBox& box = machine.shell.messageBoxes()[0];
    EXPECT_EQ(box.caption, "Cellaro");
    EXPECT_EQ(box.buttons, MessageBoxButtons::Ok);
    EXPECT_TRUE(contains(box.text, std::string("beside the program:\r\n") + kGuidePath + "\r\n")) << box.text;
    EXPECT_TRUE(contains(box.text, "Cellaro-" + std::string(kVersion) + "-win64.zip")) << box.text;
    EXPECT_FALSE(contains(box.text, "{version}")) << box.text;

    // Put beside the program, the guide opens, and nothing is said.
    machine.files.setFile(kGuidePath, "<html></html>");
    program.trayForm().runCommand(CommandCall::of(Command::Help));
    EXPECT_EQ(machine.shell.openedDocuments(), std::vector<std::string>{kGuidePath});
    EXPECT_EQ(machine.shell.messageBoxes().size(), 1U);

    // A guide the shell can't open (no browser for .htm) is reported as that, naming the file.
    machine.shell.setOpenDocumentResult(false);
    program.trayForm().runCommand(CommandCall::of(Command::Help));
    ASSERT_EQ(machine.shell.messageBoxes().size(), 2U);
    EXPECT_TRUE(
        contains(machine.shell.messageBoxes()[1].text, std::string("could not be opened:\r\n") + kGuidePath));
}

} // namespace
} // namespace cellaro
