// Scenario: the settings window built straight over the simulated ports: the page shown at each
// opening, the two transparency sliders, OK, Cancel and Escape, Reset all, the warning reset, the
// not-registered mark of a shortcut and the layout at two scales.
#include "config/config_file.h"
#include "config/settings.h"
#include "forms/settings/grids_page.h"
#include "forms/settings/settings_window.h"
#include "forms/settings/shortcuts_page.h"
#include "forms/settings/transparency_pages.h"
#include "logic/session.h"
#include "logic/shortcuts/shortcut_set.h"
#include "support/sim_machine.h"
#include "support/ui.h"
#include "widgets/gradient_button.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/shortcut_edit.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

constexpr const char* kProgramDirectory = "C:\\Program Files\\Cellaro\\";
constexpr int kKeyQ = 0x51;
constexpr int kKeyW = 0x57;

struct SettingsScene {
    SimMachine machine;
    SettingsModel settings{machine.files, SimMachine::kConfigPath};
    Session session;
    ShortcutSet shortcuts{machine.hotKeys, machine.keyNames, CommandRunner{}};
    std::vector<std::pair<int, int>> liveCounts;
    std::vector<bool> closings;
    int closedCount = 0;
    int appliedCount = 0;
    std::unique_ptr<SettingsWindow> window;

    explicit SettingsScene(const std::optional<std::string>& config = std::nullopt, int dpi = kBaseDpi)
        : machine(1, dpi) {
        if (config) {
            machine.files.setFile(SimMachine::kConfigPath, *config);
        }
        settings.load();
        const SettingsWindowServices services{
            machine.host,
            machine.desktop,
            machine.loop,
            machine.shell,
            machine.files,
            settings,
            shortcuts,
            session,
            [this](const std::string& text) {
                machine.shell.messageBox(text, "Cellaro", MessageBoxButtons::Ok, MessageBoxIcon::Error);
            },
            [] { return std::optional<Bitmap>(Bitmap(40, 30, Colour{0x102030})); },
            [] {},
            [this](int across, int down) { liveCounts.emplace_back(across, down); },
            [this] { ++appliedCount; },
            [](Colour) {},
            [] {},
            [this] { closings.push_back(session.workingWasVisible()); },
            [this] { ++closedCount; }};
        window = std::make_unique<SettingsWindow>(services);
    }

    void open() {
        session.dialogOpening(false, {});
        window->open(false);
        machine.host.syncActivation();
    }
    [[nodiscard]] std::string file() const {
        return machine.files.file(SimMachine::kConfigPath).value_or("");
    }
    [[nodiscard]] int stored(const config::IntegerKey& key) {
        const ConfigFile config(machine.files, SimMachine::kConfigPath);
        return config.readInteger(key);
    }
    [[nodiscard]] std::string storedText(const char* key) {
        const ConfigFile config(machine.files, SimMachine::kConfigPath);
        return config.readText("Options", key, "");
    }
    bool click(std::string_view name) { return testing::click(machine.host, *window, name); }
    void key(int virtualKey, KeyModifiers modifiers = {}) {
        machine.host.pressKey(*window, virtualKey, modifiers);
    }
    [[nodiscard]] int page() const { return window->notebook().activePage(); }
    [[nodiscard]] bool showing(std::string_view name) const {
        const Widget* widget = window->find(name);
        return widget != nullptr && widget->showing();
    }
};

TEST(SettingsWindowScenario, EveryOpeningShowsTheGridsPageWithItsBottomButtonsAndMarker) {
    SettingsScene scene;
    scene.open();
    EXPECT_TRUE(scene.session.dialogOpen());
    EXPECT_EQ(scene.page(), SettingsWindow::GridsPageIndex);
    EXPECT_EQ(scene.window->focused(), scene.window->find("SEWXXX"));

    ASSERT_TRUE(scene.click("XiShortcuts"));
    EXPECT_EQ(scene.page(), SettingsWindow::ShortcutsPageIndex);
    EXPECT_TRUE(scene.showing("XiPrint"));
    EXPECT_FALSE(scene.showing("XiReset"));
    EXPECT_FALSE(scene.showing("XiResetMessage"));
    EXPECT_EQ(scene.window->find("XiMarker")->caption(), "Shortcuts");
    EXPECT_EQ(scene.window->find("XiMarker")->bounds(), scene.window->find("XiShortcuts")->bounds());

    scene.key(SettingsWindow::kVirtualKeyEscape);
    EXPECT_FALSE(scene.window->visible());
    EXPECT_FALSE(scene.session.dialogOpen());
    EXPECT_EQ(scene.closedCount, 1);

    scene.open();
    EXPECT_EQ(scene.page(), SettingsWindow::GridsPageIndex);
    EXPECT_TRUE(scene.showing("XiReset"));
    EXPECT_TRUE(scene.showing("XiResetMessage"));
    EXPECT_FALSE(scene.showing("XiPrint"));
    EXPECT_EQ(scene.window->find("XiMarker")->caption(), "Grids");
}

TEST(SettingsWindowScenario, SliderPercentagesAndTheGridOpacityRules) {
    struct Case {
        int position;
        const char* text;
        int gridOpacity;
        int pendingTransparency;
    };
    for (const Case& c : {Case{0, "0 %", 254, 255}, Case{128, "50 %", 127, 127}, Case{160, "63 %", 95, 95},
                          Case{174, "68 %", 81, 81}}) {
        SCOPED_TRACE(c.position);
        SettingsScene scene;
        scene.open();
        FullScreenGridPage& grid = scene.window->fullScreenGridPage();
        grid.slider().setPosition(c.position);
        grid.slider().onChange();
        EXPECT_EQ(scene.page(), SettingsWindow::FullScreenGridPageIndex);
        EXPECT_EQ(grid.percentLabel().text(), c.text);
        EXPECT_EQ(255 - scene.settings.gridOpacityPosition(), c.gridOpacity);

        SetWindowPage& setWindow = scene.window->setWindowPage();
        setWindow.slider().setPosition(c.position);
        setWindow.slider().onChange();
        EXPECT_EQ(setWindow.percentLabel().text(), c.text);
        EXPECT_EQ(scene.window->pendingTransparency(), c.pendingTransparency);
    }
}

TEST(SettingsWindowScenario, CancelKeepsTheNewGridOpacityForTheRunButNotInTheFile) {
    SettingsScene scene("[Options]\r\nMrezaTransparent=100\r\nTransparent=150\r\n");
    scene.open();
    scene.window->fullScreenGridPage().slider().setPosition(200);
    scene.window->fullScreenGridPage().slider().onChange();
    scene.window->setWindowPage().slider().setPosition(30);
    scene.window->setWindowPage().slider().onChange();
    ASSERT_TRUE(scene.click("XICancel"));
    EXPECT_FALSE(scene.window->visible());
    EXPECT_EQ(scene.settings.gridOpacityPosition(), 200);
    EXPECT_EQ(scene.settings.windowTransparency(), 150); // the window's transparency waits for OK
    EXPECT_EQ(scene.stored(config::kFullScreenGridTransparency), 100);
    EXPECT_EQ(scene.appliedCount, 0);
    ASSERT_EQ(scene.closings.size(), 1U);
}

TEST(SettingsWindowScenario, OkWritesTheGridSizeAndAppliesAChangedShortcut) {
    SettingsScene scene;
    scene.open();
    SpinEdit& rows = *scene.window->root().findAs<SpinEdit>("SEWXXX");
    ASSERT_EQ(scene.window->focused(), &rows);
    scene.key(0x26); // Up: 7 across
    EXPECT_EQ(rows.value(), 7);
    ASSERT_FALSE(scene.liveCounts.empty());
    EXPECT_EQ(scene.liveCounts.back(), (std::pair{7, 6}));
    EXPECT_EQ(scene.settings.columns(), 6); // stored only at OK

    // Alt+W moves from shortcut 107 to shortcut 108 in the same OK: 107 lets it go first.
    ASSERT_TRUE(scene.click("XiShortcuts"));
    ASSERT_TRUE(scene.click("HotKey108"));
    scene.key(kKeyW, KeyModifiers{false, false, true});
    ASSERT_TRUE(scene.click("HotKey107"));
    scene.key(kKeyQ, KeyModifiers{false, true, false});
    ASSERT_TRUE(scene.click("XiButton4"));

    EXPECT_FALSE(scene.window->visible());
    EXPECT_EQ(scene.appliedCount, 1);
    EXPECT_EQ(scene.settings.columns(), 7);
    EXPECT_EQ(scene.stored(config::kGridColumns), 7);
    EXPECT_EQ(scene.stored(config::kGridRows), 6);
    EXPECT_EQ(scene.storedText("HotKey108"), "Alt+W");
    EXPECT_EQ(scene.storedText("HotKey107"), "Ctrl+Q");
    EXPECT_EQ(scene.storedText("HotKey5"), "None");
    EXPECT_TRUE(scene.shortcuts.hotKey(108).registered());
    EXPECT_TRUE(scene.shortcuts.hotKey(107).registered());
}

TEST(SettingsWindowScenario, EscapeAndTheCloseButtonWriteNothing) {
    SettingsScene scene;
    scene.open();
    scene.key(0x26);
    scene.key(SettingsWindow::kVirtualKeyEscape);
    EXPECT_EQ(scene.file(), "");
    EXPECT_EQ(scene.settings.columns(), 6);

    scene.open();
    ASSERT_TRUE(scene.click("Xclose"));
    EXPECT_FALSE(scene.window->visible());
    EXPECT_EQ(scene.file(), "");
    EXPECT_EQ(scene.closedCount, 2);

    scene.window->close(); // already hidden: nothing to put back
    EXPECT_EQ(scene.closedCount, 2);
    EXPECT_EQ(scene.closings.size(), 2U);
}

TEST(SettingsWindowScenario, ResetAllAskedAndAnsweredNoThenYes) {
    SettingsScene scene("[Options]\r\nSEW=3\r\nSEH=4\r\nColorIDX=7\r\nA1=255\r\nHotKey5=Ctrl+Q\r\n");
    const std::string saved = std::string(kProgramDirectory) + "P03.IDX";
    const std::string other = std::string(kProgramDirectory) + "P05.IDX";
    scene.machine.files.setFile(saved, "saved");
    scene.open();
    const std::string before = scene.file();

    scene.machine.shell.queueMessageBoxAnswer(MessageBoxResult::No);
    ASSERT_TRUE(scene.click("XiReset"));
    ASSERT_EQ(scene.machine.shell.messageBoxes().size(), 1U);
    const sim::ShownMessageBox& question = scene.machine.shell.messageBoxes().back();
    EXPECT_EQ(question.text, "Are you sure you want to reset all configuration values ?");
    EXPECT_EQ(question.defaultButton, MessageBoxDefault::Second);
    EXPECT_EQ(question.icon, MessageBoxIcon::Warning);
    EXPECT_EQ(scene.file(), before);
    EXPECT_TRUE(scene.machine.files.exists(saved));

    ASSERT_TRUE(scene.click("XiReset"));
    EXPECT_FALSE(scene.machine.files.exists(saved));
    EXPECT_FALSE(scene.machine.files.exists(other));
    EXPECT_EQ(scene.window->schemes().index(), 20);
    EXPECT_EQ(scene.window->find("LSchemeName")->caption(), "Default Color scheme");
    EXPECT_EQ(scene.stored(config::kGridColumns), 6);
    EXPECT_EQ(scene.stored(config::kBackgroundColour), 2039583);
    EXPECT_EQ(scene.stored(config::kFullScreenGridTransparency), 174);
    EXPECT_EQ(scene.storedText("HotKey5"), "Ctrl+Q");
    EXPECT_EQ(scene.shortcuts.text(5), "Ctrl+Q");
    EXPECT_EQ(scene.settings.columns(), 6);
}

TEST(SettingsWindowScenario, TheWarningResetBeepsAndIsStoredByTheNextSave) {
    SettingsScene scene("[Options]\r\noptAutohideagain=1\r\n");
    scene.open();
    ASSERT_TRUE(scene.click("XiResetMessage"));
    ASSERT_EQ(scene.machine.shell.beeps().size(), 1U);
    EXPECT_EQ(scene.machine.shell.beeps().front(), MessageBoxIcon::Information);
    ASSERT_EQ(scene.machine.shell.messageBoxes().size(), 1U);
    EXPECT_EQ(scene.machine.shell.messageBoxes().front().text, "The warning message was reset.");
    EXPECT_NE(scene.file().find("optAutohideagain=1"), std::string::npos); // not written here

    ASSERT_TRUE(scene.settings.persist({Setting::SkipKillConfirmation}).ok);
    EXPECT_NE(scene.file().find("optAutohideagain=0"), std::string::npos);
}

TEST(SettingsWindowScenario, AShortcutHeldByAnotherProgramShowsItsMark) {
    SettingsScene scene("[Options]\r\nHotKey5=Ctrl+Q\r\nHotKey8=Ctrl+Q\r\n");
    scene.open();
    ASSERT_TRUE(scene.click("XiShortcuts"));
    // Shortcut 5 took Ctrl+Q first; shortcut 8 could not.
    EXPECT_FALSE(scene.showing("HotKey5Mark"));
    EXPECT_TRUE(scene.showing("HotKey8Mark"));
    EXPECT_TRUE(scene.showing("HotKey107") && !scene.showing("HotKey107Mark"));

    // Held by another program: the mark shows after OK and the stored text stays.
    scene.machine.hotKeys.holdByOtherProgram(
        hotKeyCombination(static_cast<ShortcutValue>(kShortcutCtrl | kShortcutShift | kKeyQ)));
    ASSERT_TRUE(scene.click("HotKey9"));
    scene.key(kKeyQ, KeyModifiers{true, true, false});
    EXPECT_FALSE(scene.showing("HotKey9Mark")); // not applied yet
    ASSERT_TRUE(scene.click("XiButton4"));
    EXPECT_EQ(scene.storedText("HotKey9"), "Shift+Ctrl+Q");
    scene.open();
    ASSERT_TRUE(scene.click("XiShortcuts"));
    EXPECT_TRUE(scene.showing("HotKey9Mark"));
    EXPECT_EQ(scene.window->find("HotKey9Mark")->hint(), ShortcutsPage::kNotRegisteredHint);
}

TEST(SettingsWindowScenario, OpeningFromAVisibleWorkingWindowReloadsTheFile) {
    SettingsScene scene("[Options]\r\nHotKey5=Ctrl+Q\r\n");
    scene.open();
    scene.key(SettingsWindow::kVirtualKeyEscape);
    scene.machine.files.setFile(SimMachine::kConfigPath, "[Options]\r\nHotKey5=Alt+Q\r\nAutoHide=1\r\n");

    scene.open(); // the working window was hidden: nothing is read again
    EXPECT_EQ(scene.window->shortcutsPage().editor(5).text(), "Ctrl+Q");
    scene.key(SettingsWindow::kVirtualKeyEscape);

    scene.session.dialogOpening(true, {});
    scene.window->open(true);
    scene.machine.host.syncActivation();
    EXPECT_FALSE(scene.window->reloadPending());
    EXPECT_EQ(scene.window->shortcutsPage().editor(5).text(), "Alt+Q");
    EXPECT_EQ(scene.shortcuts.text(5), "Alt+Q");
    EXPECT_EQ(scene.window->find("CBAutoHide")->caption(), "On");
    scene.key(SettingsWindow::kVirtualKeyEscape);
    EXPECT_EQ(scene.closings, (std::vector<bool>{false, false, true}));
}

TEST(SettingsWindowScenario, AClickOnAColourLabelChoosesTheColourAndMarksTheSchemeModified) {
    SettingsScene scene;
    scene.open();
    scene.machine.shell.queueColourAnswer(std::nullopt);
    ASSERT_TRUE(scene.click("PColorLeftGridLabel"));
    EXPECT_EQ(scene.window->find("LSchemeName")->caption(), "Default Color scheme");

    scene.machine.shell.queueColourAnswer(Colour{0x0000FF});
    ASSERT_TRUE(scene.click("PColorLeftGridLabel"));
    ASSERT_EQ(scene.machine.shell.colourChoosers().size(), 2U);
    EXPECT_EQ(scene.machine.shell.colourChoosers().back().colour, Colour{8421504}); // preset to the field
    EXPECT_EQ(scene.window->find("PColorLeftGrid")->colour(), Colour{0x0000FF});
    EXPECT_EQ(scene.window->find("LSchemeName")->caption(), "Modified Color scheme");
    EXPECT_EQ(scene.settings.colours().grid, Colour{8421504}); // applied only at OK

    ASSERT_TRUE(scene.click("XiButton4"));
    EXPECT_EQ(scene.settings.colours().grid, Colour{0x0000FF});
    EXPECT_EQ(scene.stored(config::kColourSchemeIndex), 0);
    EXPECT_TRUE(scene.machine.files.exists(std::string(kProgramDirectory) + "color.cld"));
}

TEST(SettingsWindowScenario, PresetButtonsAndTheAutoHideBoxReachOk) {
    SettingsScene scene;
    scene.open();
    ASSERT_TRUE(scene.click("Scheme7"));
    EXPECT_EQ(scene.window->find("LSchemeName")->caption(), "Color scheme name: Chengdu");
    EXPECT_EQ(scene.window->find("PMainFormcolor")->colour(), Colour{12756322});
    EXPECT_EQ(scene.window->find("Panel11")->colour(), Colour{12756322}); // the preview's surround

    ASSERT_TRUE(scene.click("CBAutoHide"));
    EXPECT_EQ(scene.window->find("CBAutoHide")->caption(), "On");
    ASSERT_TRUE(scene.click("XiButton4"));
    EXPECT_TRUE(scene.settings.autoHide());
    EXPECT_EQ(scene.settings.schemeIndex(), 7);
    EXPECT_EQ(scene.settings.colours().background, Colour{12756322});
    EXPECT_EQ(scene.stored(config::kColourSchemeIndex), 7);
    EXPECT_NE(scene.file().find("AutoHide=1"), std::string::npos);
}

TEST(SettingsWindowScenario, TabRunsThroughTheShortcutEditorsInPageOrder) {
    SettingsScene scene;
    scene.open();
    ASSERT_TRUE(scene.click("XiShortcuts"));
    ASSERT_TRUE(scene.click("HotKey5"));
    for (std::size_t slot = 1; slot < kShortcutTable.size(); ++slot) {
        scene.key(0x09);
        ASSERT_NE(scene.window->focused(), nullptr);
        EXPECT_EQ(scene.window->focused()->name(), "HotKey" + std::to_string(kShortcutTable.at(slot).number));
    }
}

TEST(SettingsWindowScenario, DraggingAPagePanelMovesTheWindow) {
    SettingsScene scene;
    scene.open();
    const Rect before = scene.window->bounds();
    const Point empty{800, 600}; // on the Grids page, clear of its controls
    ASSERT_EQ(scene.window->widgetAt(empty), scene.window->find("PGrids"));
    scene.machine.host.pointerDown(*scene.window, empty);
    scene.machine.host.pointerMove(*scene.window, Point{empty.x + 30, empty.y - 20});
    // The window followed the pointer: the release comes at the same client point as the press.
    scene.machine.host.pointerUp(*scene.window, empty);
    EXPECT_EQ(scene.window->bounds().left, before.left + 30);
    EXPECT_EQ(scene.window->bounds().top, before.top - 20);
}

TEST(SettingsWindowScenario, LayoutAtTwoScales) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        SettingsScene scene(std::nullopt, dpi);
        scene.open();
        const Scale scale{dpi};
        EXPECT_EQ(scene.window->bounds().width(), scale.physical(SettingsWindow::kClientSize.width));
        EXPECT_EQ(scene.window->bounds().height(), scale.physical(SettingsWindow::kClientSize.height));
        // Centred on the primary monitor.
        EXPECT_EQ(scene.window->bounds().left, (1920 - scene.window->bounds().width()) / 2);
        // The close button 3 pixels from the strip's right end; the OK button inside the window.
        const Rect close = scene.window->find("Xclose")->formBounds();
        EXPECT_EQ(close.right, SettingsWindow::kClientSize.width - 3);
        const Rect ok = scene.window->find("XiButton4")->formBounds();
        EXPECT_LE(ok.right, SettingsWindow::kClientSize.width);
        EXPECT_GE(ok.top, SettingsWindow::kClientSize.height - SettingsWindow::kBottomRowHeight);
        EXPECT_EQ(scene.window->widgetAt(Point{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}),
                  scene.window->find("XiButton4"));
        // Every shortcut editor lies inside its page.
        ASSERT_TRUE(scene.click("XiShortcuts"));
        const Rect page = scene.window->find("PShortcuts")->formBounds();
        for (const ShortcutEntry& entry : kShortcutTable) {
            const Rect editor = scene.window->find("HotKey" + std::to_string(entry.number))->formBounds();
            EXPECT_GE(editor.left, page.left) << entry.number;
            EXPECT_LE(editor.right, page.right) << entry.number;
            EXPECT_LE(editor.bottom, page.bottom) << entry.number;
        }
    }
}

} // namespace
} // namespace cellaro
