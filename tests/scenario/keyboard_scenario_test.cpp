// Scenario: the program by keyboard on the simulated desktop: placing the target from the grid board
// and from the full-screen grid by the cell cursor, the focus and its cue in the working window,
// the settings window's Enter and Escape and its shortcut editors (with the global shortcuts paused
// while one has the keyboard), the window manager list's rows, and what a screen reader is told.
#include "app/program.h"
#include "app/tray_form.h"
#include "config/config_file.h"
#include "config/config_keys.h"
#include "config/settings.h"
#include "forms/preview_rectangle.h"
#include "forms/settings/settings_window.h"
#include "forms/settings/shortcuts_page.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/working_window.h"
#include "logic/session.h"
#include "logic/shortcuts/shortcut_set.h"
#include "logic/undo_journal.h"
#include "platform/virtual_keys.h"
#include "support/sim_machine.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/check_box.h"
#include "widgets/gradient_button.h"
#include "widgets/panel.h"
#include "widgets/shortcut_edit.h"
#include "widgets/spin_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;
using testing::TargetShown;
using testing::TargetShownOptions;

constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr int kKeyQ = 0x51;

// 6 x 6 on the first monitor: 1920 / 6 and (1080 - 40) / 6.
Rect cells(int left, int top, int columns, int rows) {
    return Rect::fromBounds(left * 320, top * 173, columns * 320, rows * 173);
}

void keys(TargetShown& s, std::initializer_list<std::pair<int, KeyModifiers>> presses) {
    for (const auto& [key, modifiers] : presses) {
        s.machine.host.pressKey(s.working, key, modifiers);
    }
    s.machine.loop.processPendingMessages();
}

TEST(KeyboardPlacement, ArrowsShiftAndEnterPlaceTheTargetOnTheKeyedCellsWithAnUndoStep) {
    TargetShown s;
    const Rect start = s.targetRect();
    keys(s, {{vk::kRight, {}}, {vk::kRight, {}}, {vk::kDown, kShift}});
    // The range shows with its preview; the target waits for Enter.
    EXPECT_EQ(s.working.drag().range(), (CellRange{{2, 0}, {2, 1}}));
    EXPECT_TRUE(s.program.previewRectangle().visible());
    EXPECT_EQ(s.program.previewRectangle().bounds(), cells(2, 0, 1, 2));
    EXPECT_EQ(s.targetRect(), start);

    keys(s, {{vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), cells(2, 0, 1, 2));
    EXPECT_EQ(s.program.undoJournal().size(), 1U);
    EXPECT_EQ(s.program.previewRectangle().bounds().width(), 1);
    EXPECT_TRUE(s.working.visible()); // not a one-shot: the window stays
    s.undo();
    EXPECT_EQ(s.targetRect(), start);
}

TEST(KeyboardPlacement, TheCursorStaysOnTheBoardAndTheEndKeysReachItsEdges) {
    TargetShown s;
    // Up and Left at the top-left cell move nothing; End and Page Down go to the far corner, and a
    // Shift range from there back to the row's start covers the whole bottom row.
    keys(s, {{vk::kUp, {}}, {vk::kLeft, {}}});
    EXPECT_EQ(s.working.drag().range(), (CellRange{{0, 0}, {0, 0}}));
    keys(s, {{vk::kEnd, {}}, {vk::kPageDown, {}}, {vk::kRight, {}}, {vk::kDown, {}}});
    EXPECT_EQ(s.working.drag().range(), (CellRange{{5, 5}, {5, 5}}));
    keys(s, {{vk::kHome, kShift}});
    EXPECT_EQ(s.working.drag().range(), (CellRange{{5, 5}, {0, 5}}));
    // Shift let go: the next arrow starts a new one-cell range from the cursor.
    keys(s, {{vk::kPageUp, {}}});
    EXPECT_EQ(s.working.drag().range(), (CellRange{{0, 0}, {0, 0}}));
    keys(s, {{vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), cells(0, 0, 1, 1));
}

TEST(KeyboardPlacement, EnterBeforeAnyArrowPlacesNothingAndEachShowingStartsAtTheTopLeft) {
    TargetShown s;
    const Rect start = s.targetRect();
    keys(s, {{vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), start);
    EXPECT_EQ(s.program.undoJournal().size(), 0U);

    keys(s, {{vk::kDown, {}}, {vk::kDown, {}}, {vk::kEscape, {}}});
    ASSERT_FALSE(s.working.visible());
    EXPECT_EQ(s.targetRect(), start); // Escape leaves the target where it was
    s.machine.shell.clickTrayLeft();
    s.machine.host.syncActivation();
    ASSERT_TRUE(s.working.visible());
    keys(s, {{vk::kRight, {}}, {vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), cells(1, 0, 1, 1));
}

TEST(KeyboardPlacement, ArrowsTakeTheFocusOffAButtonSoThatEnterPlaces) {
    TargetShown s;
    keys(s, {{vk::kTab, {}}});
    const Widget* focused = s.working.focused();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->showsFocusCue());
    keys(s, {{vk::kRight, {}}});
    EXPECT_EQ(s.working.focused(), nullptr);
    keys(s, {{vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), cells(1, 0, 1, 1));
}

TEST(KeyboardPlacement, APointerPressTakesOverFromTheKeysAndAClickLeavesNoFocusCue) {
    TargetShown s;
    keys(s, {{vk::kRight, {}}, {vk::kRight, {}}});
    s.drag({4, 4}, {5, 5});
    EXPECT_EQ(s.targetRect(), cells(4, 4, 2, 2));
    // The keyed range went with the press: Enter places nothing more.
    keys(s, {{vk::kEnter, {}}});
    EXPECT_EQ(s.targetRect(), cells(4, 4, 2, 2));

    s.machine.shell.clickTrayLeft(); // hidden
    s.machine.shell.clickTrayLeft(); // shown afresh: no key pressed yet
    s.machine.host.syncActivation();
    ASSERT_TRUE(s.working.visible());
    auto* button = s.working.root().findAs<GradientButton>("SBUNdo");
    ASSERT_NE(button, nullptr);
    s.working.setFocus(button);
    EXPECT_FALSE(button->showsFocusCue());
}

TEST(KeyboardPlacement, OnTheFullScreenGridTheKeysWalkItsTenByTenCellsAndEnterLeavesTheLayer) {
    TargetShown s(TargetShownOptions::onMonitors(2));
    s.working.close();
    s.program.trayForm().runCommand(CommandCall::onMonitor(Command::FullScreenGrid, 1));
    ASSERT_TRUE(s.program.mode().fullScreen());
    keys(s, {{vk::kRight, {}}, {vk::kRight, {}}, {vk::kDown, kShift}, {vk::kEnter, {}}});
    // 1280 / 10 and 1024 / 10 on the second monitor.
    EXPECT_EQ(s.targetRect(), Rect::fromBounds(1920 + 2 * 128, 0, 128, 2 * 102));
    EXPECT_FALSE(s.program.mode().fullScreen());
    EXPECT_FALSE(s.working.visible());
    EXPECT_EQ(s.program.undoJournal().size(), 1U);
}

// The settings window over the simulated ports, with shortcut 8 on Ctrl+Q.
struct SettingsKeys {
    SimMachine machine;
    SettingsModel settings{machine.files, SimMachine::kConfigPath};
    Session session;
    std::vector<int> ran;
    ShortcutSet shortcuts{machine.hotKeys, machine.keyNames,
                          [this](const CommandCall& call) { ran.push_back(static_cast<int>(call.command)); }};
    std::unique_ptr<SettingsWindow> window;

    SettingsKeys() {
        machine.files.setFile(SimMachine::kConfigPath, "[Options]\r\nHotKey8=Ctrl+Q\r\n");
        settings.load();
        shortcuts.load(settings);
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
            [](int, int) {},
            [] {},
            [](Colour) {},
            [] {},
            [] {},
            [] {}};
        window = std::make_unique<SettingsWindow>(services);
        open();
    }
    // Opened on the shortcuts page (or on the Grids page, where each opening starts).
    void open(bool shortcutsPage = true) {
        session.dialogOpening(false, {});
        window->open(false);
        machine.host.syncActivation();
        if (shortcutsPage) {
            testing::click(machine.host, *window, "XiShortcuts");
        }
    }
    void key(int virtualKey, KeyModifiers modifiers = {}) {
        machine.host.pressKey(*window, virtualKey, modifiers);
    }
    [[nodiscard]] std::string stored(const char* key) {
        const ConfigFile config(machine.files, SimMachine::kConfigPath);
        return config.readText("Options", key, "");
    }
    [[nodiscard]] bool ctrlQHeld() const {
        const std::vector<HotKeyCombination> held = machine.hotKeys.held();
        return std::find(held.begin(), held.end(), HotKeyCombination{kHotKeyControl, kKeyQ}) != held.end();
    }
    ShortcutEdit& editor(int number) { return window->shortcutsPage().editor(number); }
};

TEST(SettingsByKeyboard, UpInTheFocusedRowsEditorThenEnterSavesTheCountAndCloses) {
    SettingsKeys k;
    k.key(vk::kEscape);
    k.open(false);
    auto* rows = k.window->root().findAs<SpinEdit>("SEWXXX");
    ASSERT_NE(rows, nullptr);
    ASSERT_TRUE(k.window->setFocus(rows));
    k.key(vk::kUp);
    k.key(vk::kEnter);
    EXPECT_FALSE(k.window->visible());
    EXPECT_EQ(k.stored("SEW"), "7");
}

TEST(SettingsByKeyboard, EscapeCancelsAndAFocusedButtonTakesEnterItself) {
    SettingsKeys k;
    k.key(vk::kEscape);
    k.open(false);
    auto* rows = k.window->root().findAs<SpinEdit>("SEWXXX");
    ASSERT_TRUE(k.window->setFocus(rows));
    k.key(vk::kUp);
    k.key(vk::kEscape);
    EXPECT_FALSE(k.window->visible());
    EXPECT_EQ(k.stored("SEW"), "");

    k.open(false);
    // Cancel focused: Enter presses it, nothing is saved.
    ASSERT_TRUE(k.window->setFocus(k.window->root().find("XICancel")));
    ASSERT_TRUE(k.window->setFocus(rows));
    k.key(vk::kUp);
    ASSERT_TRUE(k.window->setFocus(k.window->root().find("XICancel")));
    k.key(vk::kEnter);
    EXPECT_FALSE(k.window->visible());
    EXPECT_EQ(k.stored("SEW"), "");
}

TEST(SettingsByKeyboard, ACombinationAnotherShortcutHoldsCanBeTypedAndMovedInOneOk) {
    SettingsKeys k;
    ASSERT_TRUE(k.ctrlQHeld());
    // Shortcut 8 to None, then its combination typed into shortcut 9's editor: the global
    // shortcuts are paused while an editor has the keyboard, so nothing runs.
    ASSERT_TRUE(k.window->setFocus(&k.editor(8)));
    EXPECT_FALSE(k.ctrlQHeld());
    k.key(vk::kDelete);
    k.key(vk::kTab);
    ASSERT_EQ(k.window->focused(), &k.editor(9));
    EXPECT_FALSE(k.machine.hotKeys.press(HotKeyCombination{kHotKeyControl, kKeyQ}));
    k.key(kKeyQ, kCtrl);
    EXPECT_EQ(k.editor(9).text(), "Ctrl+Q");
    EXPECT_TRUE(k.ran.empty());

    // Enter alone in an editor is the window's OK.
    k.key(vk::kEnter);
    EXPECT_FALSE(k.window->visible());
    EXPECT_EQ(k.stored("HotKey8"), "None");
    EXPECT_EQ(k.stored("HotKey9"), "Ctrl+Q");
    EXPECT_EQ(k.shortcuts.text(9), "Ctrl+Q");
    EXPECT_FALSE(k.shortcuts.suspended());
    EXPECT_TRUE(k.ctrlQHeld());
    EXPECT_TRUE(k.machine.hotKeys.press(HotKeyCombination{kHotKeyControl, kKeyQ}));
    EXPECT_EQ(k.ran.size(), 1U);
}

TEST(SettingsByKeyboard, TheShortcutsComeBackWhenTheEditorLosesTheKeyboardOrTheWindowCloses) {
    SettingsKeys k;
    ASSERT_TRUE(k.window->setFocus(&k.editor(9)));
    EXPECT_FALSE(k.ctrlQHeld());
    // Another window becomes active: the shortcuts work meanwhile.
    const WindowId other = k.machine.desktop.createWindow(sim::WindowOptions{});
    k.machine.host.activateByUser(other);
    EXPECT_TRUE(k.ctrlQHeld());
    // Back in the window: each activation shows the Grids page, so the editor is out of sight and
    // the shortcuts stay.
    k.machine.host.activateByUser(k.window->id());
    k.machine.host.syncActivation();
    EXPECT_TRUE(k.ctrlQHeld());
    testing::click(k.machine.host, *k.window, "XiShortcuts");
    ASSERT_TRUE(k.window->setFocus(&k.editor(9)));
    EXPECT_FALSE(k.ctrlQHeld());
    // Focus on a button: back.
    ASSERT_TRUE(k.window->setFocus(k.window->root().find("XICancel")));
    EXPECT_TRUE(k.ctrlQHeld());
    ASSERT_TRUE(k.window->setFocus(&k.editor(9)));
    EXPECT_FALSE(k.ctrlQHeld());
    k.key(vk::kEscape);
    EXPECT_FALSE(k.window->visible());
    EXPECT_TRUE(k.ctrlQHeld());
    // Ctrl+Enter is a combination for the editor, not OK.
    k.open();
    ASSERT_TRUE(k.window->setFocus(&k.editor(9)));
    k.key(vk::kEnter, kCtrl);
    EXPECT_TRUE(k.window->visible());
    EXPECT_EQ(k.editor(9).combination(), (KeyCombination{kCtrl, static_cast<std::uint8_t>(vk::kEnter)}));
}

TEST(AccessibleItems, TheWorkingWindowNamesItsGridAndButtonsAndTellsWhereTheFocusGoes) {
    TargetShown s;
    const std::vector<AccessibleItem> items = s.working.accessibleItems();
    const auto grid = std::find_if(items.begin(), items.end(), [](const AccessibleItem& item) {
        return item.role == AccessibleRole::CellGrid;
    });
    ASSERT_NE(grid, items.end());
    EXPECT_EQ(grid->name, "Grid");
    EXPECT_FALSE(grid->bounds.empty());
    const auto buttons = std::count_if(items.begin(), items.end(), [](const AccessibleItem& item) {
        return item.role == AccessibleRole::PushButton && !item.name.empty();
    });
    EXPECT_GE(buttons, 4); // the page buttons of the title strip, undo and close at least

    keys(s, {{vk::kTab, {}}});
    const std::vector<AccessibleItem> after = s.working.accessibleItems();
    const auto focused =
        std::find_if(after.begin(), after.end(), [](const AccessibleItem& item) { return item.focused; });
    ASSERT_NE(focused, after.end());
    const std::vector<int> events = s.machine.host.focusEvents(s.working.id());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), static_cast<int>(focused - after.begin()));
}

// The window manager list with three windows listed.
struct ListKeys {
    SimMachine machine;
    SettingsModel settings{machine.files, SimMachine::kConfigPath};
    Session session;
    WindowList list{machine.desktop};
    std::unique_ptr<WindowManagerList> dialog;

    ListKeys() {
        settings.load();
        for (const char* title : {"One", "Two", "Three"}) {
            sim::WindowOptions options;
            options.title = title;
            options.bounds = Rect::fromBounds(100, 120, 800, 500);
            machine.desktop.createWindow(options);
        }
        const WindowManagerListServices services{machine.host,
                                                 machine.desktop,
                                                 machine.loop,
                                                 machine.shell,
                                                 settings,
                                                 session,
                                                 list,
                                                 [] { return true; },
                                                 [] {},
                                                 [] {},
                                                 [](const std::array<std::string, kGroupCount>&) {}};
        dialog = std::make_unique<WindowManagerList>(services);
        dialog->show(true);
        machine.host.syncActivation();
    }
    void key(int virtualKey) { machine.host.pressKey(*dialog, virtualKey); }
};

TEST(WindowListByKeyboard, ArrowsWalkTheRowsSpaceSelectsAndTheDigitsTickTheGroups) {
    ListKeys l;
    EXPECT_EQ(l.dialog->keyboardRow(), -1);
    l.key(vk::kUp); // nothing above the list
    EXPECT_EQ(l.dialog->keyboardRow(), -1);
    l.key(vk::kDown);
    const int first = l.dialog->keyboardRow();
    l.key(vk::kDown);
    const int row = l.dialog->keyboardRow();
    ASSERT_GE(first, 0);
    ASSERT_GT(row, first);
    EXPECT_TRUE(l.dialog->row(row)->clientPanel().borderColour().has_value());
    EXPECT_FALSE(l.dialog->row(first)->clientPanel().borderColour().has_value());

    l.key(vk::kSpace);
    EXPECT_TRUE(l.list.entry(row).marks.selected);
    l.key(vk::kSpace);
    EXPECT_FALSE(l.list.entry(row).marks.selected);
    l.key(vk::kDigit0 + 2);
    l.key(vk::kDigit0 + 4);
    EXPECT_TRUE(l.dialog->row(row)->groupBox(1).checked());
    EXPECT_TRUE(l.dialog->row(row)->groupBox(3).checked());
    EXPECT_TRUE(l.list.entry(row).marks.groups.at(1));
    l.key(vk::kDigit0 + 2);
    EXPECT_FALSE(l.list.entry(row).marks.groups.at(1));
    // Only the row's own marks changed.
    EXPECT_FALSE(l.list.entry(first).marks.groups.at(3));

    // Down past the last row stays on it, Up goes back.
    for (int press = 0; press < l.dialog->rowCount() + 2; ++press) {
        l.key(vk::kDown);
    }
    const int last = l.dialog->keyboardRow();
    EXPECT_GE(last, row);
    l.key(vk::kUp);
    EXPECT_LT(l.dialog->keyboardRow(), last);
}

} // namespace
} // namespace cellaro
