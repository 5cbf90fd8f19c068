// Scenario: settings the user can trust. Reset all is kept like an OK; an error found at start-up
// is shown once the program runs, never while its windows are being made; a colour chooser file
// that can't be used is told of once; a typed count is what OK stores.
#include "app/tray_form.h"
#include "config/settings.h"
#include "forms/settings/grids_page.h"
#include "forms/settings/settings_window.h"
#include "forms/working/working_window.h"
#include "logic/schemes/colour_scheme_editor.h"
#include "logic/tray_menu.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/spin_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

using testing::SimMachine;
using testing::TargetShown;
using testing::TargetShownOptions;

constexpr const char* kChooserPath = "C:\\Program Files\\Cellaro\\color.cld";
constexpr const char* kUserColours = "[Options]\r\nA1=255\r\nA2=65280\r\nSEW=3\r\nColorIDX=0\r\n\r\n";

std::string fileOf(const SimMachine& machine) {
    return machine.files.file(SimMachine::kConfigPath).value_or("");
}

TEST(ResetAll, IsKeptLikeAnOkEvenAfterAnEarlierOkAndACancel) {
    TargetShown t(TargetShownOptions::withConfig(kUserColours));
    SettingsWindow& settings = t.program.settingsWindow();
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    settings.ok(); // an earlier OK in the same run: the user's colours are saved
    ASSERT_TRUE(t.working.visible());
    EXPECT_EQ(t.working.root().colour(), Colour{255});

    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    settings.resetAll();
    settings.cancel();
    const BoardColours defaults;
    EXPECT_EQ(t.program.settings().colours(), defaults);
    EXPECT_EQ(t.program.settings().columns(), 6);
    ASSERT_TRUE(t.working.visible());
    EXPECT_EQ(t.working.root().colour(), defaults.background);
    EXPECT_NE(fileOf(t.machine).find("A1=2039583"), std::string::npos) << fileOf(t.machine);

    // Opened again, the window shows the defaults, and its OK keeps them.
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    EXPECT_EQ(settings.schemes().fields(), defaults);
    EXPECT_EQ(settings.schemes().label(), "Default Color scheme");
    EXPECT_EQ(settings.gridsPage().across(), 6);
    settings.ok();
    const std::string saved = fileOf(t.machine);
    EXPECT_NE(saved.find("A1=2039583"), std::string::npos) << saved;
    EXPECT_NE(saved.find("A2=2039583"), std::string::npos) << saved;
    EXPECT_NE(saved.find("SEW=6"), std::string::npos) << saved;
    EXPECT_NE(saved.find("ColorIDX=20"), std::string::npos) << saved;
    EXPECT_EQ(t.working.root().colour(), defaults.background);
}

// The colour chooser's file is broken; the user clicks the tray icon while the program starts.
struct BrokenChooserAtStart {
    SimMachine machine;

    explicit BrokenChooserAtStart(const std::string& chooser) {
        machine.files.setFile(kChooserPath, chooser);
        machine.loop.postInput([this] { machine.shell.clickTrayLeft(); });
        machine.start();
    }
};

TEST(StartupErrors, AreShownOnceTheProgramRunsAndInputInTheBoxFindsEveryWindow) {
    BrokenChooserAtStart s("[ColourChooser]\r\nVersion=1\r\nColour=red\r\n");
    // Nothing showed while the windows were being made.
    EXPECT_TRUE(s.machine.shell.messageBoxes().empty());
    EXPECT_EQ(s.machine.loop.queuedInputCount(), 1U);

    // The loop runs: the box shows, and the click that waited is handled meanwhile, by windows that
    // all exist.
    s.machine.loop.advance(100);
    ASSERT_EQ(s.machine.shell.messageBoxes().size(), 1U);
    const std::string& text = s.machine.shell.messageBoxes()[0].text;
    EXPECT_NE(text.find(std::string("Cellaro could not use ") + kChooserPath), std::string::npos) << text;
    EXPECT_NE(text.find("the colour Colour is not a colour value"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("It was kept as ") + kChooserPath + ".bad"), std::string::npos) << text;
    EXPECT_EQ(s.machine.loop.queuedInputCount(), 0U);
    EXPECT_TRUE(s.machine.program->workingWindow().visible());
    s.machine.loop.advance(10000);
    EXPECT_EQ(s.machine.shell.messageBoxes().size(), 1U);

    // Put aside, the file is not told of again at the next start.
    EXPECT_FALSE(s.machine.files.exists(kChooserPath));
    EXPECT_TRUE(s.machine.files.exists(std::string(kChooserPath) + ".bad"));
    SimMachine next;
    for (const auto& [path, data] : s.machine.files.files()) {
        next.files.setFile(path, data);
    }
    next.start();
    next.loop.advance(1000);
    EXPECT_TRUE(next.shell.messageBoxes().empty());
}

TEST(StartupErrors, AChooserFileInAnotherFormatSaysSo) {
    BrokenChooserAtStart s(std::string("\x01\x00\x00\x00\xFF\xFF\xFF\x00", 8));
    s.machine.loop.advance(100);
    ASSERT_EQ(s.machine.shell.messageBoxes().size(), 1U);
    EXPECT_NE(s.machine.shell.messageBoxes()[0].text.find("not in the format this version of Cellaro writes"),
              std::string::npos)
        << s.machine.shell.messageBoxes()[0].text;
}

TEST(SettingsOk, TakesTheNumberTypedIntoTheRowsEditor) {
    TargetShown t;
    SettingsWindow& settings = t.program.settingsWindow();
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    ASSERT_TRUE(settings.gridsPage().rowsEditor().focused());
    t.machine.host.pressKey(settings, '7');
    ASSERT_TRUE(testing::click(t.machine.host, settings, "XiButton4"));
    EXPECT_EQ(t.program.settings().columns(), 7);

    // "12" is more than the editor takes: its largest count is stored, not the "1" typed first.
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    t.machine.host.pressKey(settings, '1');
    t.machine.host.pressKey(settings, '2');
    ASSERT_TRUE(testing::click(t.machine.host, settings, "XiButton4"));
    EXPECT_FALSE(settings.visible());
    EXPECT_EQ(t.program.settings().columns(), 10);
    EXPECT_NE(fileOf(t.machine).find("SEW=10"), std::string::npos) << fileOf(t.machine);
}

} // namespace
} // namespace cellaro
