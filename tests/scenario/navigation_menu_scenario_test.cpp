// Scenario: the groups navigation menu on the simulated desktop: layout, steps and hints, keeping in
// front and what holds it back, the screen saver pause, the clamp on activation, Pop1, dragging.
#include "core/product.h"
#include "forms/navmenu/navigation_menu.h"
#include "logic/pictures.h"
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

// The bar over a simulated machine (a second 96-DPI monitor when asked), the program's answers as
// plain fields.
struct Bar {
    explicit Bar(int dpi = kBaseDpi, Point position = kStartAt, int monitors = 1) : machine(monitors, dpi) {
        menu = std::make_unique<NavigationMenu>(NavigationMenuServices{
            machine.host, machine.desktop, machine.loop, machine.shell, machine.systemState, groups, position,
            [this](const CommandCall& call) { run(call); }, [this] { return trayMenuForeground; },
            [this](WindowId foreground) {
                return settingsVisible || (settingsWindow && foreground == settingsWindow);
            }});
    }

    // The program's router, for what the bar asks: the group steps run on the groups.
    void run(const CommandCall& call) {
        EXPECT_EQ(call.source, CommandSource::NavigationMenu);
        switch (call.command) {
        case Command::ManageGroups:
            ++manageGroupsCalls;
            break;
        case Command::ExpandNavigation:
            ++expandCalls;
            break;
        case Command::PreviousShowOnly:
            groups.previousShowOnly();
            break;
        case Command::NextShowOnly:
            groups.nextShowOnly();
            break;
        case Command::PreviousToFront:
            groups.previousToFront();
            break;
        case Command::NextToFront:
            groups.nextToFront();
            break;
        default:
            ADD_FAILURE() << "the bar ran another command";
        }
    }

    WindowId addWindow(const std::string& title) {
        sim::WindowOptions options;
        options.title = title;
        return machine.desktop.createWindow(options);
    }
    // The list built, each window put in its group (0 for A), the member texts published.
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
    // How often the bar was put on top of the window order (not counting topmost requests).
    [[nodiscard]] std::size_t raises() const {
        const auto& calls = machine.desktop.calls();
        return static_cast<std::size_t>(
            std::count_if(calls.begin(), calls.end(), [this](const sim::Call& call) {
                return call.kind == sim::CallKind::SetZOrder && call.window == menu->id() &&
                       call.zOrder == ZOrder::Top;
            }));
    }
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

// Whether any pixel of the area has (or, with `is` false, lacks) the colour.
bool anyPixel(const Bitmap& picture, const Rect& area, Colour colour, bool is) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if ((picture.pixel(x, y) == colour) == is) {
                return true;
            }
        }
    }
    return false;
}

TEST(NavigationMenu, LayoutAtTwoScalesAndPicturesRedrawnOnAnother) {
    for (const int dpi : {kBaseDpi, 2 * kBaseDpi}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        Bar bar(dpi, kStartAt, 2);
        NavigationMenu& menu = *bar.menu;
        const Scale scale{dpi};
        EXPECT_EQ(menu.bounds(),
                  Rect::fromBounds(kStartAt.x, kStartAt.y, scale.physical(284), scale.physical(41)));
        EXPECT_EQ(bar.machine.host.roundedCorners(menu.id()), (Size{13, 13}));
        // The program's windows share one title, by which the window list and the tracking skip them.
        EXPECT_EQ(bar.machine.desktop.title(menu.id()), kProductName);
        EXPECT_EQ(bar.machine.desktop.extendedStyles(menu.id()) & (exstyle::kToolWindow | exstyle::kTopmost),
                  exstyle::kToolWindow | exstyle::kTopmost);
        menu.toggle();
        const Bitmap painted = bar.machine.host.paint(menu);
        for (const ControlPlace& control : kControls) {
            SCOPED_TRACE(std::string(control.name));
            const Widget* widget = menu.find(control.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->formBounds(), control.bounds);
            EXPECT_EQ(bar.hintOf(control.name), control.hint);
            EXPECT_EQ(menu.widgetAt(scale.dip(*testing::centreOf(menu, control.name))), widget);
            EXPECT_TRUE(anyPixel(painted, scale.physical(control.bounds), NavigationMenu::kColour, false));
        }
        EXPECT_FALSE(
            anyPixel(painted, scale.physical(kControls[2].bounds), NavigationMenu::kSeparatorColour, false));

        // Dragged onto the 96-DPI monitor to the right, the pictures are drawn again for it.
        menu.setBounds(Rect::fromBounds(2200, 45, menu.bounds().width(), menu.bounds().height()));
        for (const std::string_view button : {"XNazaj", "xHamburger"}) {
            EXPECT_EQ(menu.root().findAs<GradientButton>(button)->glyph().width(), kCommandPictureSize);
        }
    }
}

// Groups A, B and C have members and both current groups are A: backwards reaches C, forwards B.
// The hints (XNazaj, xNaprej, xNazaj2, xNaprej2) name what each button would bring up next.
TEST(NavigationMenu, StepButtonsRunTheirStepRaiseTheBarAndRefreshTheHints) {
    using Hints = std::vector<std::string>;
    struct StepCase {
        std::string_view button;
        bool showOnly;
        bool forwards;
        Hints after;
    };
    const std::vector<StepCase> cases{
        {"XNazaj", false, false, {"Bravo", "Alpha", "Charlie", "Bravo"}},
        {"xNaprej", false, true, {"Alpha", "Charlie", "Charlie", "Bravo"}},
        {"xNazaj2", true, false, {"Charlie", "Bravo", "Bravo", "Alpha"}},
        {"xNaprej2", true, true, {"Charlie", "Bravo", "Alpha", "Charlie"}},
    };
    for (const StepCase& test : cases) {
        SCOPED_TRACE(std::string(test.button));
        Bar bar;
        const WindowId loose = bar.addWindow("Loose");
        const WindowId inB = bar.addWindow("Bravo");
        const WindowId inC = bar.addWindow("Charlie");
        bar.buildGroups({{bar.addWindow("Alpha"), 0}, {inB, 1}, {inC, 2}});
        bar.menu->toggle();
        bar.activate(loose);
        const auto hints = [&bar] {
            return Hints{bar.hintOf("XNazaj"), bar.hintOf("xNaprej"), bar.hintOf("xNazaj2"),
                         bar.hintOf("xNaprej2")};
        };
        EXPECT_EQ(hints(), (Hints{"Charlie", "Bravo", "Charlie", "Bravo"}));
        ASSERT_TRUE(testing::click(bar.machine.host, *bar.menu, test.button));

        const int reached = test.forwards ? 1 : 2;
        const WindowId target = test.forwards ? inB : inC;
        EXPECT_EQ(bar.groups.currentShowOnlyGroup(), test.showOnly ? reached : 0);
        EXPECT_EQ(bar.groups.currentToFrontGroup(), test.showOnly ? 0 : reached);
        EXPECT_EQ(bar.machine.desktop.isMinimized(loose), test.showOnly);
        EXPECT_FALSE(bar.machine.desktop.isMinimized(target));
        EXPECT_TRUE(test.showOnly || bar.machine.desktop.foregroundWindow() == target);
        // Then the bar went back on top, without taking the focus.
        const sim::Call& last = bar.machine.desktop.calls().back();
        EXPECT_TRUE(last.kind == sim::CallKind::SetZOrder && last.window == bar.menu->id() &&
                    last.zOrder == ZOrder::Top);
        EXPECT_EQ(hints(), test.after);
    }
}

TEST(NavigationMenu, KeepsInFrontUnlessTheUserWorksWithTheProgram) {
    struct KeepCase {
        std::string_view name;
        std::function<void(Bar&, WindowId other)> arrange;
        bool raised;
    };
    const std::vector<KeepCase> cases{
        {"another program's window", [](Bar&, WindowId) {}, true},
        {"the window titled Cellaro",
         [](Bar& bar, WindowId) {
             // The working window: topmost, so the first window of that title.
             sim::WindowOptions working;
             working.title = std::string(kProductName);
             working.extendedStyles = exstyle::kTopmost;
             bar.activate(bar.machine.desktop.createWindow(working));
         },
         false},
        {"the window the tray menu opened over",
         [](Bar& bar, WindowId other) { bar.trayMenuForeground = other; }, false},
        {"the window the bar's menu opened over", [](Bar& bar, WindowId) { bar.menu->openMenu(); }, false},
        {"the settings window", [](Bar& bar, WindowId other) { bar.settingsWindow = other; }, false},
        {"the settings window showing", [](Bar& bar, WindowId) { bar.settingsVisible = true; }, false},
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
        bar.machine.loop.advance(NavigationMenu::kKeepInFrontIntervalMs);
        EXPECT_EQ(bar.raises() > 0, test.raised);
        EXPECT_EQ(bar.machine.desktop.foregroundWindow(), foreground);
    }
}

TEST(NavigationMenu, MessagesSwitchKeepingInFrontOnExceptWhileAScreenSaverRuns) {
    Bar bar;
    bar.menu->toggle();
    bar.activate(bar.addWindow("Editor"));
    constexpr std::int64_t kInterval = NavigationMenu::kKeepInFrontIntervalMs;
    // Switched off, it stays off while nothing happens; the next message switches it on again.
    bar.menu->setKeepInFront(false);
    bar.machine.loop.advance(3 * kInterval);
    EXPECT_EQ(bar.raises(), 0U);
    bar.machine.loop.startTimer(50, [] {});
    bar.machine.loop.advance(3 * kInterval);
    EXPECT_GT(bar.raises(), 0U);
    // While a screen saver runs, messages switch it off, and so does its own tick.
    bar.machine.systemState.setScreenSaverRunning(true);
    bar.machine.loop.advance(50);
    const std::size_t before = bar.raises();
    bar.menu->setKeepInFront(true);
    bar.machine.loop.advance(5 * kInterval);
    EXPECT_EQ(bar.raises(), before);
    EXPECT_FALSE(bar.menu->keepingInFront());
    // The bar gone, its hook goes too.
    bar.menu.reset();
    EXPECT_FALSE(bar.machine.loop.hasMessageHook());
}

TEST(NavigationMenu, ActivationKeepsTheBarOnThePrimaryScreenAndTopmost) {
    // The primary screen is 1920 x 1080; the second monitor, to its right, does not count.
    const std::vector<std::pair<Point, Point>> cases{
        {{1820, 45}, {1820, 45}},   {{1821, 45}, {1470, 45}},   {{2500, 45}, {1470, 45}},
        {{100, 1039}, {100, 1039}}, {{100, 1040}, {100, 1039}}, {{1900, 1070}, {1470, 1039}},
    };
    for (const auto& [position, expected] : cases) {
        SCOPED_TRACE(std::to_string(position.x) + "," + std::to_string(position.y));
        Bar bar(kBaseDpi, position, 2);
        bar.machine.desktop.restyle(bar.menu->id(), exstyle::kToolWindow, std::nullopt);
        bar.menu->toggle();
        EXPECT_EQ(bar.menu->bounds(), Rect::fromBounds(expected.x, expected.y, 284, 41));
        EXPECT_TRUE(bar.machine.desktop.isTopmost(bar.menu->id()));
        bar.menu->toggle();
        EXPECT_FALSE(bar.menu->visible());
    }
}

TEST(NavigationMenu, HamburgerMenu) {
    struct MenuCase {
        std::optional<std::string> choice; // nothing: dismissed
        int manageGroups;
        int expand;
        bool stillShown;
    };
    const std::vector<MenuCase> cases{{"Managegroups1", 1, 0, true},
                                      {"Groupsoptions1", 0, 1, true},
                                      {"Close1", 0, 0, false},
                                      {{}, 0, 0, true}};
    for (const MenuCase& test : cases) {
        SCOPED_TRACE(test.choice.value_or("dismissed"));
        Bar bar;
        bar.menu->toggle();
        bool foregroundRemembered = false; // when the menu opened
        bar.machine.shell.setMenuAnswerer([&](const std::vector<MenuItem>& items) -> std::optional<int> {
            foregroundRemembered = bar.menu->menuForeground() == bar.machine.desktop.foregroundWindow();
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
        EXPECT_TRUE(foregroundRemembered);
        EXPECT_EQ(bar.manageGroupsCalls, test.manageGroups);
        EXPECT_EQ(bar.expandCalls, test.expand);
        EXPECT_EQ(bar.menu->visible(), test.stillShown);
    }
}

TEST(NavigationMenu, DraggingTheBackgroundMovesTheBar) {
    // Pressed at a client point, moved 100 right and 50 down, released: does the bar follow?
    const std::vector<std::pair<Point, bool>> cases{
        {{60, 20}, true},  // between the buttons
        {{140, 38}, true}, // below them
        {{30, 20}, false}, // on a step button
    };
    for (const auto& [press, moves] : cases) {
        SCOPED_TRACE(std::to_string(press.x) + "," + std::to_string(press.y));
        Bar bar;
        bar.menu->toggle();
        const Point released{kStartAt.x + press.x + 100, kStartAt.y + press.y + 50};
        bar.machine.host.pointerDown(*bar.menu, press);
        bar.machine.host.moveCursor(Point{released.x - 40, released.y - 20});
        bar.machine.host.moveCursor(released);
        const Rect now = bar.menu->bounds();
        bar.machine.host.pointerUp(*bar.menu, Point{released.x - now.left, released.y - now.top});
        const Point expected = moves ? Point{kStartAt.x + 100, kStartAt.y + 50} : kStartAt;
        EXPECT_EQ(bar.menu->bounds(), Rect::fromBounds(expected.x, expected.y, 284, 41));
    }
}

} // namespace
} // namespace cellaro
