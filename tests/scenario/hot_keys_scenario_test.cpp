// Scenario: the global shortcuts read from CRO.cfg at start-up, pressed anywhere on the simulated
// desktop, re-applied as the settings' OK applies them, and shown in the tray menu.
#include "app/program.h"
#include "app/tray_form.h"
#include "forms/navmenu/navigation_menu.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/working_window.h"
#include "logic/shortcuts/shortcut_set.h"
#include "logic/tray_menu.h"
#include "support/target_shown.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::TargetShown;
using testing::TargetShownOptions;

constexpr HotKeyCombination kAltW{kHotKeyAlt, 'W'};
constexpr HotKeyCombination kCtrlM{kHotKeyControl, 'M'};

TargetShownOptions options(int monitors, std::optional<std::string> config) {
    TargetShownOptions result = TargetShownOptions::onMonitors(monitors);
    result.config = std::move(config);
    return result;
}

struct Desk : TargetShown {
    explicit Desk(const TargetShownOptions& options = {}) : TargetShown(options) {}
    ShortcutSet& shortcuts() { return program.shortcuts(); }
    // The user presses the combination somewhere on the desktop; the program's thread handles it
    // and the target's thread carries out what it was sent.
    bool press(HotKeyCombination combination) {
        const bool ran = machine.hotKeys.press(combination);
        machine.loop.processPendingMessages();
        return ran;
    }
    // The settings' OK with these values, every other shortcut as it is.
    void applyChanging(const std::map<int, ShortcutValue>& changes) {
        shortcuts().applyInApplyOrder([&](int number) {
            const auto found = changes.find(number);
            return found != changes.end() ? found->second : shortcuts().hotKey(number).key();
        });
    }
    [[nodiscard]] std::string caption(const std::string& name) const {
        for (const MenuItem& item : program.trayForm().menuItems()) {
            if (item.name == name) {
                return item.caption;
            }
        }
        return "(no item)";
    }
};

TEST(HotKeys, AFirstRunHoldsOnlyAltWWhichOpensTheFullScreenGridOnTheFirstMonitor) {
    Desk d(options(2, std::nullopt));
    d.working.close();
    EXPECT_EQ(d.machine.hotKeys.held(), std::vector<HotKeyCombination>{kAltW});
    EXPECT_TRUE(d.shortcuts().hotKey(107).registered());

    ASSERT_TRUE(d.press(kAltW));
    EXPECT_TRUE(d.program.mode().fullScreen());
    EXPECT_TRUE(d.working.visible());
    EXPECT_EQ(d.working.bounds(), Rect::fromBounds(0, 0, 1920, 1040));
    // Pressed again, it takes the layer away, as the tray item does.
    d.press(kAltW);
    EXPECT_FALSE(d.program.mode().fullScreen());
}

TEST(HotKeys, TheConfigurationsTextsAreRegisteredWithTheirModifiers) {
    struct Case {
        const char* text;
        std::optional<HotKeyCombination> held; // nothing: binds nothing
    };
    const std::vector<Case> cases{
        {"alt+shift+q", HotKeyCombination{kHotKeyShift | kHotKeyAlt, 'Q'}},
        {"Ctrl+F5", HotKeyCombination{kHotKeyControl, 0x74}},
        {"Shift+Ctrl+Alt+Home", HotKeyCombination{kHotKeyShift | kHotKeyControl | kHotKeyAlt, 0x24}},
        {"^Left", HotKeyCombination{kHotKeyControl, 0x25}},
        {"", std::nullopt},
        {"None", std::nullopt},
        {"Alt+", std::nullopt},
        {"Alt+NoSuchKey", std::nullopt},
    };
    for (const Case& c : cases) {
        Desk d(options(1, std::string("[Options]\r\nHotKey107=\r\nHotKey5=") + c.text + "\r\n"));
        const std::vector<HotKeyCombination> held = d.machine.hotKeys.held();
        if (c.held) {
            EXPECT_EQ(held, std::vector<HotKeyCombination>{*c.held}) << c.text;
            EXPECT_TRUE(d.shortcuts().hotKey(5).registered()) << c.text;
        } else {
            EXPECT_TRUE(held.empty()) << c.text;
            EXPECT_FALSE(d.shortcuts().hotKey(5).registered()) << c.text;
            EXPECT_EQ(d.machine.hotKeys.refusals(), 0) << c.text;
        }
    }
}

TEST(HotKeys, AValueOfZeroOrModifiersAloneBindsNothing) {
    Desk d;
    for (const ShortcutValue value :
         {ShortcutValue{0}, kShortcutAlt, ShortcutValue(kShortcutCtrl | kShortcutShift)}) {
        d.applyChanging({{107, value}});
        EXPECT_TRUE(d.machine.hotKeys.held().empty()) << value;
        EXPECT_FALSE(d.shortcuts().hotKey(107).registered()) << value;
    }
}

TEST(HotKeys, ACombinationHeldByAnotherProgramStaysDeadUntilItsValueChanges) {
    Desk d(options(1, "[Options]\r\nHotKey5=Ctrl+M\r\n"));
    // Ctrl+M was free at start-up; now another program holds Alt+Q, and Alt+W before we started is
    // covered by the next case.
    d.machine.hotKeys.holdByOtherProgram(HotKeyCombination{kHotKeyAlt, 'Q'});
    d.applyChanging({{2, ShortcutValue(kShortcutAlt | 'Q')}});
    EXPECT_FALSE(d.shortcuts().hotKey(2).registered());
    EXPECT_EQ(d.shortcuts().text(2), "Alt+Q"); // the value is kept all the same
    const bool topmostBefore = d.machine.desktop.isTopmost(d.target);
    EXPECT_FALSE(d.press(HotKeyCombination{kHotKeyAlt, 'Q'}));
    EXPECT_EQ(d.machine.desktop.isTopmost(d.target), topmostBefore);

    // An OK without changes tries nothing again: no registration, no refusal.
    d.machine.hotKeys.resetCounts();
    d.applyChanging({});
    EXPECT_EQ(d.machine.hotKeys.registrations(), 0);
    EXPECT_EQ(d.machine.hotKeys.refusals(), 0);
    EXPECT_FALSE(d.shortcuts().hotKey(2).registered());
    EXPECT_TRUE(d.shortcuts().hotKey(5).registered());
    EXPECT_TRUE(d.shortcuts().hotKey(107).registered());
}

TEST(HotKeys, AltWHeldByAnotherProgramBeforeStartUpLeavesTheFirstRunWithoutShortcuts) {
    testing::SimMachine machine(2);
    machine.hotKeys.holdByOtherProgram(kAltW);
    Program& program = machine.start();
    EXPECT_FALSE(program.shortcuts().hotKey(107).registered());
    EXPECT_TRUE(machine.hotKeys.held().empty());
    machine.hotKeys.press(kAltW);
    machine.loop.processPendingMessages();
    EXPECT_FALSE(program.mode().fullScreen());
}

// The OK order applies 8 before 9: a combination moves from 8 to 9, but not from 9 to 8, where 9
// still holds it when 8 tries.
TEST(HotKeys, MovingACombinationBetweenMinimizeAndRestoreInOneApply) {
    struct Case {
        int from;
        int to;
        bool toRegistered;
    };
    for (const Case& c : {Case{8, 9, true}, Case{9, 8, false}}) {
        Desk d(options(1, "[Options]\r\nHotKey" + std::to_string(c.from) + "=Ctrl+M\r\n"));
        ASSERT_TRUE(d.shortcuts().hotKey(c.from).registered());
        d.applyChanging({{c.from, 0}, {c.to, ShortcutValue(kShortcutCtrl | 'M')}});
        EXPECT_FALSE(d.shortcuts().hotKey(c.from).registered()) << c.from << " to " << c.to;
        EXPECT_EQ(d.shortcuts().hotKey(c.to).registered(), c.toRegistered) << c.from << " to " << c.to;
        EXPECT_EQ(d.machine.hotKeys.isHeld(kCtrlM), c.toRegistered) << c.from << " to " << c.to;
        // The loser stays without effect until its value changes again.
        d.applyChanging({});
        EXPECT_EQ(d.shortcuts().hotKey(c.to).registered(), c.toRegistered) << c.from << " to " << c.to;
    }
}

// At load the order is 2, 3, ..., 107, 8, ..., 102, 108: of two shortcuts with the same combination the
// earlier one in that order holds it.
TEST(HotKeys, TwoShortcutsWithOneCombinationGoToTheFirstInTheLoadOrder) {
    struct Case {
        int first;
        int second;
    };
    for (const Case& c : {Case{107, 8}, Case{102, 108}, Case{2, 3}}) {
        Desk d(options(1, "[Options]\r\nHotKey" + std::to_string(c.second) + "=Ctrl+M\r\nHotKey" +
                              std::to_string(c.first) + "=Ctrl+M\r\n"));
        EXPECT_TRUE(d.shortcuts().hotKey(c.first).registered()) << c.first;
        EXPECT_FALSE(d.shortcuts().hotKey(c.second).registered()) << c.second;
    }
}

TEST(HotKeys, EachShortcutRunsTheCommandOfItsButtonOnTheTarget) {
    const std::string config =
        "[Options]\r\nHotKey2=Ctrl+Alt+T\r\nHotKey3=Ctrl+Alt+R\r\nHotKey12=Ctrl+Alt+N\r\n"
        "HotKey10=Ctrl+Alt+X\r\nHotKey8=Ctrl+Alt+Z\r\nHotKey9=Ctrl+Alt+V\r\n";
    constexpr unsigned kCtrlAlt = kHotKeyControl | kHotKeyAlt;
    struct Case {
        const char* what;
        HotKeyCombination combination;
        std::function<bool(Desk&)> done;
    };
    const std::vector<Case> cases{
        {"stay on top", {kCtrlAlt, 'T'}, [](Desk& d) { return d.machine.desktop.isTopmost(d.target); }},
        {"transparent",
         {kCtrlAlt, 'R'},
         [](Desk& d) {
             return d.machine.desktop.opacity(d.target) == std::optional<std::uint8_t>(255 - 160);
         }},
        {"next monitor", {kCtrlAlt, 'N'}, [](Desk& d) { return d.targetRect().left >= 1920; }},
        {"maximise", {kCtrlAlt, 'X'}, [](Desk& d) { return d.targetState() == ShowState::Maximized; }},
        {"minimise", {kCtrlAlt, 'Z'}, [](Desk& d) { return d.targetState() == ShowState::Minimized; }},
    };
    for (const Case& c : cases) {
        Desk d(options(2, config));
        ASSERT_FALSE(c.done(d)) << c.what;
        ASSERT_TRUE(d.press(c.combination)) << c.what;
        EXPECT_TRUE(c.done(d)) << c.what;
    }
    // Restore brings back the minimised target.
    Desk d(options(2, config));
    d.press({kCtrlAlt, 'Z'});
    d.press({kCtrlAlt, 'V'});
    EXPECT_EQ(d.targetState(), ShowState::Normal);
}

TEST(HotKeys, ShowCellaroHidesAndShowsTheWorkingWindow) {
    Desk d(options(1, "[Options]\r\nHotKey5=Ctrl+F5\r\n"));
    const HotKeyCombination ctrlF5{kHotKeyControl, 0x74};
    ASSERT_TRUE(d.working.visible());
    d.press(ctrlF5);
    EXPECT_FALSE(d.working.visible());
    d.press(ctrlF5);
    EXPECT_TRUE(d.working.visible());
}

TEST(HotKeys, KillAsksFirstAndClosesTheTargetOnYes) {
    Desk d(options(1, "[Options]\r\nHotKey101=Ctrl+K\r\n"));
    const HotKeyCombination ctrlK{kHotKeyControl, 'K'};
    d.machine.shell.queueKillAnswer(KillAnswer::Yes, false);
    EXPECT_TRUE(d.press(ctrlK));
    EXPECT_EQ(d.machine.shell.killConfirmations().size(), 1U);
    EXPECT_FALSE(d.machine.desktop.exists(d.target));
}

// The group shortcuts run the group commands; the labelled "Next group" shortcuts (25, 31) step
// back and the "Previous group" ones (26, 32) forward, as the step buttons they repeat.
TEST(HotKeys, TheGroupShortcutsRunTheGroupCommands) {
    std::string config = "[Options]\r\nHotKey107=\r\n";
    const std::vector<int> numbers{14, 17, 18, 31, 32, 25, 26, 15, 30};
    for (std::size_t index = 0; index < numbers.size(); ++index) {
        config += "HotKey" + std::to_string(numbers[index]) + "=Ctrl+F" + std::to_string(index + 1) + "\r\n";
    }
    Desk d(options(1, config));
    EXPECT_EQ(d.machine.hotKeys.held().size(), numbers.size());
    const auto press = [&d, &numbers](int number) {
        const auto at = std::find(numbers.begin(), numbers.end(), number);
        return d.press({kHotKeyControl, static_cast<std::uint8_t>(0x70 + (at - numbers.begin()))});
    };
    sim::WindowOptions options;
    options.title = "Second";
    options.bounds = Rect::fromBounds(300, 300, 700, 600);
    const WindowId second = d.machine.desktop.createWindow(options);
    options.title = "Third";
    const WindowId third = d.machine.desktop.createWindow(options);
    WindowList& list = d.program.windowEntries();
    list.build();
    // The working window is visible too; its row is taken out.
    ASSERT_EQ(std::ranges::count(list.entries(), true, &WindowEntry::listed), 3);
    // Rows sort by title: the target ("Editor"), "Second", "Third".
    const auto row = [&list](WindowId window) {
        for (int index = 0; index < list.count(); ++index) {
            if (list.entry(index).window() == window) {
                return index;
            }
        }
        return -1;
    };
    list.entry(row(d.target)).marks.groups[0] = true; // A
    list.entry(row(third)).marks.groups[2] = true;    // C
    const auto minimised = [&d](WindowId window) {
        return d.machine.desktop.placement(window)->state == ShowState::Minimized;
    };

    // 31, "Next group" of the show-only steps: back from A to C.
    ASSERT_TRUE(press(31));
    EXPECT_EQ(d.program.groups().currentShowOnlyGroup(), 2);
    EXPECT_TRUE(minimised(d.target));
    EXPECT_TRUE(minimised(second));
    EXPECT_FALSE(minimised(third));
    // 32, "Previous group": forward from C to A.
    ASSERT_TRUE(press(32));
    EXPECT_EQ(d.program.groups().currentShowOnlyGroup(), 0);
    EXPECT_FALSE(minimised(d.target));
    EXPECT_TRUE(minimised(third));
    // 25 steps the bring-to-front group back (A to C), 26 forward (C to A).
    ASSERT_TRUE(press(25));
    EXPECT_EQ(d.program.groups().currentToFrontGroup(), 2);
    EXPECT_EQ(d.machine.desktop.foregroundWindow(), third);
    ASSERT_TRUE(press(26));
    EXPECT_EQ(d.program.groups().currentToFrontGroup(), 0);
    EXPECT_EQ(d.machine.desktop.foregroundWindow(), d.target);
    // 17 minimises group A, 18 restores it, 14 shows only it.
    ASSERT_TRUE(press(17));
    EXPECT_TRUE(minimised(d.target));
    ASSERT_TRUE(press(18));
    EXPECT_FALSE(minimised(d.target));
    d.machine.desktop.activate(third);
    ASSERT_TRUE(press(14));
    EXPECT_FALSE(minimised(d.target));
    EXPECT_TRUE(minimised(third));

    // 30 shows the navigation menu and hides it again; 15 opens the window manager list.
    ASSERT_TRUE(press(30));
    EXPECT_TRUE(d.program.navigationMenu().visible());
    ASSERT_TRUE(press(30));
    EXPECT_FALSE(d.program.navigationMenu().visible());
    ASSERT_TRUE(press(15));
    EXPECT_TRUE(d.program.windowList().visible());
}

TEST(HotKeys, TheTrayMenuShowsEachItemsShortcutAfterItsTab) {
    Desk d(options(2, "[Options]\r\nHotKey5=Ctrl+F5\r\nHotKey108=shift+alt+g\r\nHotKey12=Ctrl+Right\r\n"
                      "HotKey102=Alt+F\r\nHotKey15=Ctrl+G\r\nHotKey30=Ctrl+Alt+N\r\n"));
    struct Case {
        const char* item;
        const char* caption;
    };
    for (const Case& c :
         {Case{"SSM", "Show Cellaro \tCtrl+F5"}, Case{"fsGrid", "Fullscreen grid - monitor 1\tAlt+W"},
          Case{"fsgrid2", "Fullscreen grid - monitor 2\tShift+Alt+G"}, Case{"ddd1", "Manage groups \tCtrl+G"},
          Case{"FloatMernu1", "Groups navigation menu \tCtrl+Alt+N"},
          Case{"MovetoNextMonitor1", "Move to next monitor\tCtrl+Right"},
          Case{"SwapWindows1", "Focus active window \tAlt+F"}}) {
        EXPECT_EQ(d.caption(c.item), c.caption) << c.item;
    }
    // A new value shows at the next opening; a cleared one leaves the tab alone.
    d.applyChanging({{107, ShortcutValue(kShortcutCtrl | 'Q')}, {5, 0}});
    EXPECT_EQ(d.caption("fsGrid"), "Fullscreen grid - monitor 1\tCtrl+Q");
    EXPECT_EQ(d.caption("SSM"), "Show Cellaro \t");
}

} // namespace
} // namespace cellaro
