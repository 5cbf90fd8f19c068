// Scenario: the groups navigation menu on the simulated desktop: its layout at two scales, the step
// buttons and the hints that name what they bring up, keeping the bar in front and the windows that
// keep it back, the pause while a screen saver runs, the clamp on activation, its menu, and dragging
// the bar by its background.
#include "forms/navmenu/navigation_menu.h"
#include "logic/winlist/group_commands.h"
#include "logic/winlist/window_list.h"
#include "support/sim_machine.h"
#include "support/ui.h"
#include "widgets/gradient_button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

constexpr Point kStartAt{1600, 45};
constexpr Colour kSilver = NavigationMenu::kSeparatorColour;
constexpr Colour kWhite = Colour::rgb(255, 255, 255);

// The bar over a simulated machine of one monitor (a second one, at 96 DPI, when asked), with the
// group commands over a window list and the program's answers as plain fields.
struct Bar {
    explicit Bar(int dpi = kBaseDpi, Point position = kStartAt, int monitors = 1) : machine(monitors, dpi) {
        menu = std::make_unique<NavigationMenu>(NavigationMenuServices{
            machine.host, machine.desktop, machine.loop, machine.shell, machine.systemState, groups, position,
            [this] { ++manageGroupsCalls; }, [this] { ++expandCalls; }, [this] { return trayMenuForeground; },
            [this](WindowId foreground) {
                return settingsVisible || (settingsWindow && foreground == settingsWindow);
            }});
    }

    WindowId addWindow(const std::string& title) {
        sim::WindowOptions options;
        options.title = title;
        return machine.desktop.createWindow(options);
    }
    // The window list built now, with each window put in its group (0 for A ... 3 for D), and the
    // member texts published as the window manager list publishes them when it closes.
    void buildGroups(const std::vector<std::pair<WindowId, int>>& members) {
        list.build();
        for (const auto& [window, group] : members) {
            for (int row = 0; row < list.count(); ++row) {
                if (list.entry(row).window() == window) {
                    list.entry(row).marks.groups.at(static_cast<std::size_t>(group)) = true;
                }
            }
        }
        groups.setMemberTexts(list.memberTexts());
        groups.refreshHints();
    }
    void activate(WindowId window) {
        machine.desktop.activate(window);
        machine.host.syncActivation();
    }
    // How often the bar was put on top of the window order (its topmost requests not counted).
    [[nodiscard]] std::size_t raises() const {
        const auto& calls = machine.desktop.calls();
        return static_cast<std::size_t>(
            std::count_if(calls.begin(), calls.end(), [this](const sim::Call& call) {
                return call.kind == sim::CallKind::SetZOrder && call.window == menu->id() &&
                       call.zOrder == ZOrder::Top;
            }));
    }
    // The hint the user sees with the pointer on the control.
    std::string hintOf(std::string_view control) {
        machine.host.pointerMove(*menu, *testing::centreOf(*menu, control));
        return machine.host.currentHint();
    }

    SimMachine machine;
    WindowList list{machine.desktop};
    GroupCommands groups{machine.desktop, machine.loop, list};
    int manageGroupsCalls = 0;
    int expandCalls = 0;
    WindowId trayMenuForeground;
    WindowId settingsWindow;
    bool settingsVisible = false;
    std::unique_ptr<NavigationMenu> menu;
};

struct ControlPlace {
    std::string_view name;
    Rect bounds; // in the bar's client area, 96-DPI pixels
    std::string_view hint;
};

constexpr std::string_view kNoGroup = kNoGroupText;
const std::vector<ControlPlace> kControls{
    {"XNazaj", Rect::fromBounds(8, 6, 50, 29), kNoGroup},
    {"xNaprej", Rect::fromBounds(62, 6, 50, 29), kNoGroup},
    {"Panel1", Rect::fromBounds(114, 5, 1, 30), ""},
    {"xNazaj2", Rect::fromBounds(117, 6, 50, 29), kNoGroup},
    {"xNaprej2", Rect::fromBounds(171, 6, 50, 29), kNoGroup},
    {"xHamburger", Rect::fromBounds(226, 7, 50, 27), ""},
};

bool anyPixel(const Bitmap& picture, const Rect& area, const std::function<bool(Colour)>& test) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (test(picture.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

TEST(NavigationMenu, LayoutAtTwoScales) {
    for (const int dpi : {kBaseDpi, 2 * kBaseDpi}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        Bar bar(dpi);
        NavigationMenu& menu = *bar.menu;
        const Scale scale{dpi};
        EXPECT_EQ(menu.name(), "fFloat");
        EXPECT_FALSE(menu.visible());
        EXPECT_EQ(menu.bounds(),
                  Rect::fromBounds(kStartAt.x, kStartAt.y, scale.physical(284), scale.physical(41)));
        EXPECT_EQ(bar.machine.host.roundedCorners(menu.id()), (Size{13, 13}));
        const std::uint32_t styles = bar.machine.desktop.extendedStyles(menu.id());
        EXPECT_NE(styles & exstyle::kToolWindow, 0U);
        EXPECT_NE(styles & exstyle::kTopmost, 0U);
        EXPECT_EQ(bar.machine.desktop.findWindowByTitle(std::string(NavigationMenu::kProgramTitle)),
                  kNoWindow);

        menu.toggle();
        const Bitmap painted = bar.machine.host.paint(menu);
        ASSERT_EQ(painted.width(), scale.physical(284));
        for (const ControlPlace& control : kControls) {
            SCOPED_TRACE(std::string(control.name));
            const Widget* widget = menu.find(control.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->formBounds(), control.bounds);
            EXPECT_EQ(widget->hint(), control.hint);
            // The point in the middle of the control, on the screen, is the control's.
            const Point centre = *testing::centreOf(menu, control.name);
            EXPECT_EQ(menu.widgetAt(scale.dip(centre)), widget);
        }
        // The separator's silver line, the window's colour either side, pictures on the buttons
        // and the three white lines of the menu button.
        const Rect separator = scale.physical(kControls[2].bounds);
        EXPECT_EQ(painted.pixel(separator.left, separator.top + separator.height() / 2), kSilver);
        EXPECT_EQ(painted.pixel(separator.left - 1, separator.top + separator.height() / 2),
                  NavigationMenu::kColour);
        EXPECT_EQ(painted.pixel(separator.right, separator.top + separator.height() / 2),
                  NavigationMenu::kColour);
        for (const std::size_t button : {0U, 1U, 3U, 4U}) {
            EXPECT_TRUE(anyPixel(painted, scale.physical(kControls[button].bounds),
                                 [](Colour colour) { return colour != NavigationMenu::kColour; }))
                << kControls[button].name << " shows no picture";
        }
        EXPECT_TRUE(anyPixel(painted, scale.physical(kControls[5].bounds),
                             [](Colour colour) { return colour == kWhite; }));
    }
}

TEST(NavigationMenu, PicturesFollowTheScaleOfTheMonitor) {
    // Made on a 192-DPI monitor, then dragged onto the 96-DPI one to its right.
    Bar bar(2 * kBaseDpi, Point{100, 45}, 2);
    auto* hamburger = bar.menu->root().findAs<GradientButton>("xHamburger");
    auto* step = bar.menu->root().findAs<GradientButton>("XNazaj");
    ASSERT_NE(hamburger, nullptr);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(hamburger->glyph().width(), 40);
    EXPECT_EQ(step->glyph().width(), 40);
    bar.menu->setBounds(Rect::fromBounds(2200, 45, 568, 82));
    EXPECT_EQ(bar.menu->scale().dpi, kBaseDpi);
    EXPECT_EQ(hamburger->glyph().width(), 20);
    EXPECT_EQ(step->glyph().width(), 20);
}

// Groups B and C have members, both current groups are A: backwards reaches C, forwards B.
struct StepCase {
    std::string_view button;
    bool showOnly;
    bool forwards;
};

TEST(NavigationMenu, StepButtonsRunTheirGroupStepThenRaiseTheBar) {
    const std::vector<StepCase> cases{{"XNazaj", false, false},
                                      {"xNaprej", false, true},
                                      {"xNazaj2", true, false},
                                      {"xNaprej2", true, true}};
    for (const int dpi : {kBaseDpi, 2 * kBaseDpi}) {
        for (const StepCase& test : cases) {
            SCOPED_TRACE(std::string(test.button) + " at dpi " + std::to_string(dpi));
            Bar bar(dpi);
            const WindowId loose = bar.addWindow("Loose");
            const WindowId inB = bar.addWindow("Bravo");
            const WindowId inC = bar.addWindow("Charlie");
            bar.buildGroups({{inB, 1}, {inC, 2}});
            bar.menu->toggle();
            bar.activate(loose);

            ASSERT_TRUE(testing::click(bar.machine.host, *bar.menu, test.button));
            bar.machine.loop.advance(0);

            const int reached = test.forwards ? 1 : 2;
            const WindowId target = test.forwards ? inB : inC;
            const WindowId other = test.forwards ? inC : inB;
            EXPECT_EQ(bar.groups.currentShowOnlyGroup(), test.showOnly ? reached : 0);
            EXPECT_EQ(bar.groups.currentToFrontGroup(), test.showOnly ? 0 : reached);
            if (test.showOnly) {
                EXPECT_FALSE(bar.machine.desktop.isMinimized(target));
                EXPECT_TRUE(bar.machine.desktop.isMinimized(other));
                EXPECT_TRUE(bar.machine.desktop.isMinimized(loose));
            } else {
                EXPECT_EQ(bar.machine.desktop.foregroundWindow(), target);
                EXPECT_FALSE(bar.machine.desktop.isMinimized(loose));
            }
            // The bar went back on top after the step, without taking the focus.
            const sim::Call& last = bar.machine.desktop.calls().back();
            EXPECT_EQ(last.kind, sim::CallKind::SetZOrder);
            EXPECT_EQ(last.window, bar.menu->id());
            EXPECT_EQ(last.zOrder, ZOrder::Top);
            EXPECT_EQ(bar.machine.desktop.topLevelWindows().front(), bar.menu->id());
        }
    }
}

TEST(NavigationMenu, StepsWithoutGroupsMoveNoWindow) {
    Bar bar;
    const WindowId window = bar.addWindow("Loose");
    bar.buildGroups({});
    bar.menu->toggle();
    bar.activate(window);
    for (const ControlPlace& control : kControls) {
        if (control.hint == kNoGroup) {
            ASSERT_TRUE(testing::click(bar.machine.host, *bar.menu, control.name));
            EXPECT_EQ(bar.hintOf(control.name), kNoGroup);
        }
    }
    EXPECT_EQ(bar.machine.desktop.callCount(sim::CallKind::Show, window), 0U);
    EXPECT_EQ(bar.machine.desktop.callCount(sim::CallKind::SetForeground, window), 0U);
    EXPECT_EQ(bar.groups.currentShowOnlyGroup(), 0);
    EXPECT_EQ(bar.groups.currentToFrontGroup(), 0);
}

TEST(NavigationMenu, HintsNameTheWindowsEachButtonBringsUp) {
    Bar bar;
    const WindowId alpha = bar.addWindow("Alpha");
    const WindowId bravo = bar.addWindow("Bravo");
    const WindowId charlie = bar.addWindow("Charlie");
    bar.buildGroups({{alpha, 0}, {bravo, 1}, {charlie, 2}});
    bar.menu->toggle();
    // From group A: backwards reaches C, forwards B, in both flavours.
    EXPECT_EQ(bar.hintOf("XNazaj"), "Charlie");
    EXPECT_EQ(bar.hintOf("xNaprej"), "Bravo");
    EXPECT_EQ(bar.hintOf("xNazaj2"), "Charlie");
    EXPECT_EQ(bar.hintOf("xNaprej2"), "Bravo");
    EXPECT_EQ(bar.hintOf("xHamburger"), "");

    // Showing B alone moves only the show-only flavour on: its hints now count from B.
    ASSERT_TRUE(testing::click(bar.machine.host, *bar.menu, "xNaprej2"));
    EXPECT_EQ(bar.hintOf("xNazaj2"), "Alpha");
    EXPECT_EQ(bar.hintOf("xNaprej2"), "Charlie");
    EXPECT_EQ(bar.hintOf("XNazaj"), "Charlie");
    EXPECT_EQ(bar.hintOf("xNaprej"), "Bravo");
}

// Which window is in the foreground when the keep-in-front timer looks, and whether the bar then
// goes on top.
struct KeepCase {
    std::string_view name;
    std::function<void(Bar&, WindowId other)> arrange;
    bool raised;
};

TEST(NavigationMenu, KeepsInFrontUnlessTheUserWorksWithTheProgram) {
    const std::vector<KeepCase> cases{
        {"another program's window", [](Bar&, WindowId) {}, true},
        {"the program's window titled Cellaro",
         [](Bar& bar, WindowId) { bar.activate(bar.addWindow(std::string(NavigationMenu::kProgramTitle))); },
         false},
        {"the window the tray menu opened over",
         [](Bar& bar, WindowId other) { bar.trayMenuForeground = other; }, false},
        {"the window the bar's menu opened over", [](Bar& bar, WindowId) { bar.menu->openMenu(); }, false},
        {"the settings window", [](Bar& bar, WindowId other) { bar.settingsWindow = other; }, false},
        {"any window while the settings window shows", [](Bar& bar, WindowId) { bar.settingsVisible = true; },
         false},
        {"the bar hidden", [](Bar& bar, WindowId) { bar.menu->toggle(); }, false},
    };
    for (const KeepCase& test : cases) {
        SCOPED_TRACE(std::string(test.name));
        Bar bar;
        bar.menu->toggle();
        const WindowId other = bar.addWindow("Editor");
        bar.activate(other);
        test.arrange(bar, other);
        const WindowId foreground = bar.machine.desktop.foregroundWindow();
        const std::size_t before = bar.raises();
        bar.machine.loop.advance(NavigationMenu::kKeepInFrontIntervalMs);
        EXPECT_EQ(bar.raises() > before, test.raised);
        EXPECT_EQ(bar.machine.desktop.foregroundWindow(), foreground);
        if (test.raised) {
            EXPECT_EQ(bar.machine.desktop.topLevelWindows().front(), bar.menu->id());
        }
    }
}

TEST(NavigationMenu, MessagesSwitchKeepingInFrontOnExceptWhileAScreenSaverRuns) {
    Bar bar;
    bar.menu->toggle();
    bar.activate(bar.addWindow("Editor"));
    constexpr std::int64_t kInterval = NavigationMenu::kKeepInFrontIntervalMs;

    // Switched off (the pointer is over the working window), it stays off while nothing happens...
    bar.menu->setKeepInFront(false);
    std::size_t before = bar.raises();
    bar.machine.loop.advance(3 * kInterval);
    EXPECT_EQ(bar.raises(), before);
    // ...and the next message the program takes switches it on again.
    const TimerId messages = bar.machine.loop.startTimer(50, [] {});
    bar.machine.loop.advance(3 * kInterval);
    EXPECT_TRUE(bar.menu->keepingInFront());
    EXPECT_GT(bar.raises(), before);

    // A screen saver starts: the next message switches it off, and the bar stays where it is.
    bar.machine.systemState.setScreenSaverRunning(true);
    bar.machine.loop.advance(50);
    EXPECT_FALSE(bar.menu->keepingInFront());
    before = bar.raises();
    bar.machine.loop.advance(5 * kInterval);
    EXPECT_EQ(bar.raises(), before);
    EXPECT_FALSE(bar.menu->keepingInFront());

    // Even its own tick, without any other message, runs into the hook first.
    bar.machine.loop.stopTimer(messages);
    bar.machine.systemState.setScreenSaverRunning(false);
    bar.menu->setKeepInFront(true);
    bar.machine.systemState.setScreenSaverRunning(true);
    bar.machine.loop.advance(3 * kInterval);
    EXPECT_EQ(bar.raises(), before);
    EXPECT_FALSE(bar.menu->keepingInFront());

    // The bar gone, its hook goes too.
    bar.menu.reset();
    EXPECT_FALSE(bar.machine.loop.hasMessageHook());
}

struct ClampCase {
    Point position;
    Point expected;
};

TEST(NavigationMenu, ActivationKeepsTheBarOnThePrimaryScreenAndTopmost) {
    // The primary screen is 1920 x 1080 (the second monitor, to its right, does not count).
    const std::vector<ClampCase> cases{
        {{1600, 45}, {1600, 45}},     {{1820, 45}, {1820, 45}},   {{1821, 45}, {1470, 45}},
        {{2500, 45}, {1470, 45}},     {{100, 1039}, {100, 1039}}, {{100, 1040}, {100, 1039}},
        {{1900, 1070}, {1470, 1039}},
    };
    for (const ClampCase& test : cases) {
        SCOPED_TRACE(std::to_string(test.position.x) + "," + std::to_string(test.position.y));
        Bar bar(kBaseDpi, test.position, 2);
        bar.machine.desktop.restyle(bar.menu->id(), exstyle::kToolWindow, std::nullopt);
        ASSERT_FALSE(bar.machine.desktop.isTopmost(bar.menu->id()));
        bar.menu->toggle();
        EXPECT_EQ(bar.menu->bounds(), Rect::fromBounds(test.expected.x, test.expected.y, 284, 41));
        EXPECT_TRUE(bar.machine.desktop.isTopmost(bar.menu->id()));
        bar.menu->toggle();
        EXPECT_FALSE(bar.menu->visible());
    }
}

struct MenuCase {
    std::optional<std::string> choice; // nothing: the menu is dismissed
    int manageGroups;
    int expand;
    bool stillShown;
};

TEST(NavigationMenu, HamburgerMenu) {
    const std::vector<MenuCase> cases{
        {"Managegroups1", 1, 0, true},
        {"Groupsoptions1", 0, 1, true},
        {"Close1", 0, 0, false},
        {std::nullopt, 0, 0, true},
    };
    for (const MenuCase& test : cases) {
        SCOPED_TRACE(test.choice.value_or("dismissed"));
        Bar bar;
        bar.menu->toggle();
        std::optional<WindowId> rememberedWhileOpen;
        bar.machine.shell.setMenuAnswerer([&](const std::vector<MenuItem>& items) -> std::optional<int> {
            rememberedWhileOpen = bar.menu->menuForeground();
            EXPECT_EQ(*rememberedWhileOpen, bar.machine.desktop.foregroundWindow());
            return test.choice ? sim::SimShell::itemId(items, *test.choice) : std::nullopt;
        });
        ASSERT_TRUE(testing::click(bar.machine.host, *bar.menu, "xHamburger"));

        ASSERT_EQ(bar.machine.shell.menus().size(), 1U);
        const sim::ShownMenu& shown = bar.machine.shell.menus().front();
        std::vector<std::string> captions;
        for (const MenuItem& item : shown.items) {
            captions.push_back(item.separator ? "-" : item.caption);
        }
        EXPECT_EQ(captions, (std::vector<std::string>{"Manage groups", "Expand navigation", "-", "Close"}));
        // At the menu button's left edge, its height below the bar's top.
        EXPECT_EQ(shown.at, (Point{kStartAt.x + 226, kStartAt.y + 27}));
        EXPECT_TRUE(rememberedWhileOpen.has_value());
        EXPECT_EQ(bar.manageGroupsCalls, test.manageGroups);
        EXPECT_EQ(bar.expandCalls, test.expand);
        EXPECT_EQ(bar.menu->visible(), test.stillShown);
    }
}

TEST(NavigationMenu, DraggingTheBackgroundMovesTheBar) {
    struct DragCase {
        std::string_view where;
        Point press; // client point, 96-DPI bar
        bool moves;
    };
    const std::vector<DragCase> cases{
        {"the gap between the buttons", {60, 20}, true},
        {"below the buttons", {140, 38}, true},
        {"a step button", {30, 20}, false},
    };
    for (const DragCase& test : cases) {
        SCOPED_TRACE(std::string(test.where));
        Bar bar;
        bar.menu->toggle();
        const Point screen{kStartAt.x + test.press.x, kStartAt.y + test.press.y};
        bar.machine.host.pointerDown(*bar.menu, test.press);
        bar.machine.host.moveCursor(Point{screen.x + 60, screen.y + 30});
        bar.machine.host.moveCursor(Point{screen.x + 100, screen.y + 50});
        const Rect moved = bar.menu->bounds();
        bar.machine.host.pointerUp(*bar.menu, Point{screen.x + 100 - moved.left, screen.y + 50 - moved.top});
        const Point expected = test.moves ? Point{kStartAt.x + 100, kStartAt.y + 50} : kStartAt;
        EXPECT_EQ(bar.menu->bounds(), Rect::fromBounds(expected.x, expected.y, 284, 41));
    }
}

} // namespace
} // namespace cellaro
