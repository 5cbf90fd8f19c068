// Scenario: start-up, the tray icon and its menu, showing the working window, autostart and exit,
// as a user drives them on the simulated desktop.
#include "app/tray_form.h"
#include "core/error_report.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "support/sim_machine.h"
#include "widgets/form.h"

#include "logic/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

std::vector<std::string> visibleNames(const std::vector<MenuItem>& items) {
    std::vector<std::string> names;
    for (const MenuItem& item : items) {
        if (item.visible && !item.separator) {
            names.push_back(item.name);
        }
    }
    return names;
}

TEST(Startup, CreatesEveryFormHiddenAndAddsTheTrayIcon) {
    SimMachine machine;
    Program& program = machine.start();
    const std::vector<std::string> expected{"QstartForm", "fMove",  "fakeOkno", "WMFselectWindow", "WMHot",
                                            "fabout",     "WMGrab", "fFloat",   "fNapis",          "fInfo"};
    std::vector<std::string> names;
    for (Form* form : program.forms()) {
        names.push_back(form->name());
        EXPECT_FALSE(form->visible()) << form->name();
    }
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(machine.shell.trayIconPresent());
    ASSERT_FALSE(machine.shell.trayHints().empty());
    EXPECT_EQ(machine.shell.trayHints().back(), "Cellaro");

    // The main form can never be seen: 10 x 10 pixels far above the screen, no task-bar button.
    const Rect tray = program.trayForm().bounds();
    EXPECT_EQ(tray.width(), 10);
    EXPECT_EQ(tray.height(), 10);
    EXPECT_EQ(tray.top, -3000);
    EXPECT_TRUE(machine.desktop.extendedStyles(program.trayForm().id()) & exstyle::kToolWindow);
    program.trayForm().setBounds(Rect::fromBounds(100, 100, 400, 300));
    EXPECT_EQ(program.trayForm().bounds(), Rect::fromBounds(100, -500, 10, 10));

    // The working window waits above the screen in its compact size.
    const Rect working = program.workingWindow().bounds();
    EXPECT_EQ(working, Rect::fromBounds(960 - 167, -1000, 335, 267));
    // The navigation menu, created after the working window, sets the hint delay last.
    EXPECT_EQ(machine.host.hintStyle()->delayMs, 500);
    EXPECT_EQ(machine.host.hintStyle()->displayMs, 6000);
    EXPECT_EQ(machine.host.hintStyle()->background, Colour::rgb(255, 255, 255));
}

TEST(Startup, TwoMonitorsAddTheMonitorLineToTheHint) {
    SimMachine machine(2);
    machine.start();
    EXPECT_EQ(machine.shell.trayHints().back(), "Cellaro\r\nMonitor: 1");
}

TEST(Startup, NavigationMenuPositionIsClampedToThePrimaryScreen) {
    struct Case {
        const char* x;
        const char* y;
        Point expected;
        // A third monitor left of the primary.
        bool leftMonitor = false;
    };
    for (const Case& c : {Case{nullptr, nullptr, {1620, 45}}, Case{"5000", "45", {1620, 45}},
                          Case{"1860", "1020", {1860, 1020}}, Case{"1861", "1021", {1620, 1035}},
                          Case{"-100", "-20", {-100, -20}}, Case{"abc", "", {1620, 45}},
                          // On the monitor left of the primary it stays; with that monitor gone, it lies on
                          // none and comes back onto the primary.
                          Case{"-900", "300", {-900, 300}, true}, Case{"-900", "300", {1620, 45}},
                          Case{"-200", "-50", {1620, 45}}}) {
        SimMachine machine;
        if (c.leftMonitor) {
            machine.desktop.addMonitor(sim::SimDesktop::makeMonitor(-1280, 0, 1280, 1024, 0, false));
        }
        if (c.x != nullptr) {
            machine.files.setFile(SimMachine::kConfigPath,
                                  std::string("[hmenu]\r\nx=") + c.x + "\r\ny=" + c.y + "\r\n");
        }
        Program& program = machine.start();
        EXPECT_EQ(program.trayForm().navigationMenuPosition(), c.expected) << (c.x ? c.x : "no file");
        const Rect menu = program.navigationMenu().bounds();
        EXPECT_EQ((Point{menu.left, menu.top}), c.expected);
    }
}

TEST(TrayClick, ShowsTheWorkingWindowCentredVerticallyAndHidesItAgain) {
    SimMachine machine;
    Program& program = machine.start();
    WorkingWindow& working = program.workingWindow();

    ASSERT_TRUE(machine.shell.clickTrayLeft());
    EXPECT_TRUE(working.visible());
    EXPECT_EQ(working.bounds().top, 1080 / 2 - 267 / 2);
    // Shown at 220; becoming active sets the resting opacity of 200.
    EXPECT_EQ(working.alpha(), std::optional<std::uint8_t>(200));
    EXPECT_EQ(working.fadeCounter(), 220);
    EXPECT_EQ(machine.desktop.foregroundWindow(), working.id());

    ASSERT_TRUE(machine.shell.clickTrayLeft());
    EXPECT_FALSE(working.visible());
    EXPECT_EQ(working.bounds().top, -1000);
    EXPECT_EQ(working.bounds().left, 960 - 167);
    // Closing the working window saves its own settings.
    const auto saved = machine.files.file(SimMachine::kConfigPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, "[Config]\r\nload=0\r\n\r\n[Options]\r\nMNR=1\r\n\r\n");
}

TEST(TrayClick, WhileSettingsAreOpenOnlyTheHeightIsSet) {
    SimMachine machine;
    Program& program = machine.start();
    program.session().dialogActivated(Session::Dialog::Settings);
    program.session().beginOneShot();
    machine.shell.clickTrayLeft();
    EXPECT_FALSE(program.workingWindow().visible());
    EXPECT_EQ(program.workingWindow().bounds().top, -1000); // one-shot parks it
    EXPECT_TRUE(program.session().oneShot());               // and the flag stays
    program.session().endOneShot();
    machine.shell.clickTrayLeft();
    EXPECT_FALSE(program.workingWindow().visible());
    EXPECT_EQ(program.workingWindow().bounds().top, 407);
}

TEST(TrayMenu, RightClickShowsTheItemsForOneAndTwoMonitors) {
    for (const int monitors : {1, 2}) {
        SimMachine machine(monitors);
        machine.start();
        ASSERT_TRUE(machine.shell.clickTrayRight(Point{1800, 1060}));
        ASSERT_EQ(machine.shell.menus().size(), 1U);
        const auto& shown = machine.shell.menus().back();
        EXPECT_EQ(shown.at, (Point{1800, 1060}));
        std::vector<std::string> expected{"SSM", "fsGrid"};
        if (monitors == 2) {
            expected.emplace_back("fsgrid2");
        }
        for (const char* name :
             {"ddd1", "FloatMernu1", "ControlderivedfromWindows1", "Options1", "Start1", "loadAtStartUp"}) {
            expected.emplace_back(name);
        }
        if (monitors == 2) {
            expected.emplace_back("MovetoNextMonitor1");
        }
        for (const char* name : {"SwapWindows1", "Help1", "About1", "Close1"}) {
            expected.emplace_back(name);
        }
        EXPECT_EQ(visibleNames(shown.items), expected) << monitors << " monitors";
    }
}

TEST(TrayMenu, ArrangementsNewInstanceAndHelpGoToTheShell) {
    SimMachine machine;
    Program& program = machine.start();
    for (const char* item : {"Cascade1", "ileVertical1", "ileHorizontal1", "Start1", "Help1"}) {
        machine.shell.queueMenuChoice(item);
        machine.shell.clickTrayRight(Point{10, 10});
    }
    EXPECT_EQ(machine.shell.cascadeCount(), 1U);
    EXPECT_EQ(machine.shell.tileRequests(), (std::vector<bool>{true, false}));
    EXPECT_EQ(machine.shell.startedPrograms(), std::vector<std::string>{SimMachine::kProgramPath});
    // No guide beside the program: the user is told, nothing is opened.
    EXPECT_TRUE(machine.shell.openedDocuments().empty());
    ASSERT_EQ(machine.shell.messageBoxes().size(), 1U);
    EXPECT_NE(machine.shell.messageBoxes()[0].text.find("Cellaro-User-Guide.htm"), std::string::npos);

    machine.files.setFile("C:\\Program Files\\Cellaro\\Cellaro-User-Guide.htm", "<html></html>");
    program.trayForm().runCommand(CommandCall::of(Command::Help));
    EXPECT_EQ(machine.shell.openedDocuments(),
              std::vector<std::string>{"C:\\Program Files\\Cellaro\\Cellaro-User-Guide.htm"});
}

TEST(Exit, WritesTheSettingsRemovesTheIconAndQuits) {
    SimMachine machine;
    machine.start();
    machine.shell.queueMenuChoice("Close1");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(machine.host.quitRequested());
    EXPECT_FALSE(machine.shell.trayIconPresent());
    EXPECT_EQ(machine.files.file(SimMachine::kConfigPath),
              std::string("[Config]\r\nload=0\r\n\r\n[Options]\r\noptAutohideagain=0\r\n\r\n"
                          "[hmenu]\r\nx=1620\r\ny=45\r\n\r\n"));
    EXPECT_FALSE(machine.registry.runValue("Cellaro").has_value());
}

TEST(Exit, AnUnwritableDirectoryIsReportedButNeverKeepsTheProgramRunning) {
    SimMachine machine;
    machine.start();
    machine.files.failWrites("C:\\Program Files\\Cellaro\\", "Access is denied.");
    machine.shell.queueMenuChoice("Close1");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(machine.host.quitRequested());
    ASSERT_FALSE(machine.shell.messageBoxes().empty());
    EXPECT_EQ(machine.shell.messageBoxes()[0].text,
              saveFailedText(SimMachine::kConfigPath, "Access is denied."));
    EXPECT_FALSE(machine.files.file(SimMachine::kConfigPath).has_value());
}

TEST(Autostart, TogglingWritesTheQuotedPathAndTogglingBackRemovesIt) {
    SimMachine machine;
    Program& program = machine.start();
    machine.shell.queueMenuChoice("loadAtStartUp");
    machine.shell.clickTrayRight(Point{10, 10});
    EXPECT_TRUE(program.trayForm().autostartChecked());
    EXPECT_EQ(machine.registry.runValue("Cellaro"), std::string("\"") + SimMachine::kProgramPath + "\"");
    EXPECT_EQ(machine.files.file(SimMachine::kConfigPath), std::string("[Config]\r\nload=1\r\n\r\n"));

    // The menu shows the check; choosing the item again takes it off.
    machine.shell.queueMenuChoice("loadAtStartUp");
    machine.shell.clickTrayRight(Point{10, 10});
    const auto& items = machine.shell.menus().back().items;
    const auto item = std::find_if(items.begin(), items.end(),
                                   [](const MenuItem& entry) { return entry.name == "loadAtStartUp"; });
    ASSERT_NE(item, items.end());
    EXPECT_TRUE(item->checked);
    EXPECT_FALSE(program.trayForm().autostartChecked());
    EXPECT_FALSE(machine.registry.runValue("Cellaro").has_value());
    EXPECT_EQ(machine.files.file(SimMachine::kConfigPath), std::string("[Config]\r\nload=0\r\n\r\n"));
}

TEST(Autostart, TheStoredStateIsReadAtStartAndRestoredAtExit) {
    struct Case {
        const char* load;
        bool checked;
    };
    for (const Case& c : {Case{"1", true}, Case{"0", false}, Case{"7", false}}) {
        SimMachine machine;
        machine.files.setFile(SimMachine::kConfigPath, std::string("[config]\r\nLOAD=") + c.load + "\r\n");
        machine.registry.preset("Cellaro", "\"C:\\Old\\cellaro.exe\"");
        Program& program = machine.start();
        EXPECT_EQ(program.trayForm().autostartChecked(), c.checked) << c.load;
        program.trayForm().runCommand(CommandCall::of(Command::Exit));
        // Exit brings the Run value in line with the check mark.
        EXPECT_EQ(machine.registry.runValue("Cellaro").has_value(), c.checked) << c.load;
    }
}

TEST(Autostart, AFailedSettingsWriteIsReportedAndLeavesTheRegistryAlone) {
    SimMachine machine;
    Program& program = machine.start();
    machine.files.failWrites(SimMachine::kConfigPath, "The disk is full.");
    program.trayForm().runCommand(CommandCall::of(Command::LoadAtStartup));
    ASSERT_EQ(machine.shell.messageBoxes().size(), 1U);
    EXPECT_EQ(machine.shell.messageBoxes()[0].text,
              saveFailedText(SimMachine::kConfigPath, "The disk is full."));
    EXPECT_EQ(machine.shell.messageBoxes()[0].caption, "Cellaro");
    EXPECT_FALSE(machine.registry.runValue("Cellaro").has_value());
}

} // namespace
} // namespace cellaro
