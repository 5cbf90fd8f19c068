// Scenario: the working window's frame as a user meets it: pages, dragging by its panels, Escape,
// undo, the theming pass, and the auto-hide fade driven by time and the pointer.
#include "app/tray_form.h"
#include "forms/settings/settings_window.h"
#include "forms/working/working_window.h"
#include "logic/pictures.h"
#include "support/sim_machine.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/gradient_button.h"
#include "widgets/label.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::SimMachine;

struct Shown {
    SimMachine machine;
    Program& program;
    WorkingWindow& working;

    // Starts the program over this configuration file (none: the first run) and shows the window.
    explicit Shown(const char* config = nullptr)
        : program(startWith(config)), working(program.workingWindow()) {
        machine.shell.clickTrayLeft();
    }
    Program& startWith(const char* config) {
        if (config != nullptr) {
            machine.files.setFile(SimMachine::kConfigPath, config);
        }
        return machine.start();
    }
    bool showing(const char* name) { return working.find(name) != nullptr && working.find(name)->showing(); }
    // Ticks of the 200 ms fade timer until the window closes, at most `limit`.
    int ticksUntilClosed(int limit) {
        for (int tick = 1; tick <= limit; ++tick) {
            machine.loop.advance(WorkingWindow::kAutoHideIntervalMs);
            if (!working.visible()) {
                return tick;
            }
        }
        return -1;
    }
};

TEST(WorkingWindowChrome, PageButtonsSwitchPagesAndTheStrips) {
    Shown s;
    ASSERT_TRUE(s.working.visible());
    EXPECT_EQ(s.working.page(), WorkingPage::Board);
    EXPECT_TRUE(s.showing("Tabla"));
    EXPECT_TRUE(s.showing("SBUNdo"));
    EXPECT_FALSE(s.showing("SbSelect"));
    EXPECT_FALSE(s.showing("XiFull")); // hidden at start

    struct Step {
        const char* button;
        WorkingPage page;
        bool statusStrip;
        bool manageGroups;
        bool undo;
    };
    for (const Step& step : {Step{"SbMonitor", WorkingPage::Commands, true, false, false},
                             Step{"SbGroup", WorkingPage::Groups, false, true, false},
                             Step{"sbHome", WorkingPage::Board, true, false, true}}) {
        ASSERT_TRUE(testing::click(s.machine.host, s.working, step.button)) << step.button;
        EXPECT_EQ(s.working.page(), step.page) << step.button;
        EXPECT_EQ(s.showing("Panel2"), step.statusStrip) << step.button;
        EXPECT_EQ(s.showing("SbSelect"), step.manageGroups) << step.button;
        EXPECT_EQ(s.showing("SBUNdo"), step.undo) << step.button;
    }
    EXPECT_TRUE(s.showing("XiFull"));
    // The compact window keeps its close button 12 pixels from the title strip's right edge.
    EXPECT_EQ(s.working.find("xClose2")->bounds().left, 335 - 30 - 12);
    // The hints the user sees on the strip.
    EXPECT_EQ(s.working.find("SBUNdo")->hint(), "Undo");
    EXPECT_EQ(s.working.find("xClose2")->hint(), "Close");
    EXPECT_EQ(s.working.find("X5")->hint(), "Middle center");
    EXPECT_EQ(s.working.find("GA3")->hint(), "No windows group was created");
}

TEST(WorkingWindowChrome, DraggingAnyPanelMovesTheWindowWithThePointer) {
    for (const char* panelName : {"Panel2", "Panel6"}) {
        Shown s;
        const Rect before = s.working.bounds();
        Widget* panel = s.working.find(panelName);
        ASSERT_NE(panel, nullptr);
        const Rect at = panel->formBounds();
        const Point press{at.left + 3, at.top + 3};
        s.machine.host.setCursorPosition(Point{before.left + press.x, before.top + press.y});
        s.machine.host.pointerDown(s.working, press);
        s.machine.host.setCursorPosition(Point{before.left + press.x + 30, before.top + press.y});
        s.machine.host.pointerMove(s.working, Point{press.x + 30, press.y});
        // The window moved under the pointer: the release comes at the press's client point again.
        s.machine.host.pointerUp(s.working, press);
        EXPECT_EQ(s.working.bounds(), before.offset(30, 0)) << panelName;
    }
}

// The last move may come with the release itself, before the system's cursor position has caught
// up: the window still ends where the release happened.
TEST(WorkingWindowChrome, ADragsLastMoveThatComesWithTheReleaseCounts) {
    Shown s;
    const Rect before = s.working.bounds();
    const Rect at = s.working.find("Panel2")->formBounds();
    const Point press{at.left + 3, at.top + 3};
    s.machine.host.setCursorPosition(Point{before.left + press.x, before.top + press.y});
    s.machine.host.pointerDown(s.working, press);
    // The cursor position still says where the press was.
    s.working.onMouseUp(Point{press.x + 40, press.y + 10}, MouseButton::Left);
    EXPECT_EQ(s.working.bounds(), before.offset(40, 10));
}

TEST(WorkingWindowChrome, EscapeAndTheCloseButtonHideIt) {
    Shown s;
    s.machine.host.pressKey(s.working, 0x1B);
    EXPECT_FALSE(s.working.visible());
    s.machine.shell.clickTrayLeft();
    ASSERT_TRUE(s.working.visible());
    testing::click(s.machine.host, s.working, "xClose2");
    EXPECT_FALSE(s.working.visible());
    EXPECT_TRUE(s.working.closing());
    s.machine.shell.clickTrayLeft();
    EXPECT_FALSE(s.working.closing());
}

TEST(WorkingWindowChrome, UndoButtonTakesThePlacementBack) {
    Shown s;
    sim::WindowOptions options;
    options.title = "Editor";
    options.bounds = Rect::fromBounds(100, 100, 800, 600);
    const WindowId editor = s.machine.desktop.createWindow(options);
    s.program.undoJournal().save(s.machine.desktop, editor);
    s.machine.desktop.move(editor, Rect::fromBounds(0, 0, 960, 1040), true);
    testing::click(s.machine.host, s.working, "SBUNdo");
    EXPECT_EQ(s.machine.desktop.windowRect(editor), Rect::fromBounds(100, 100, 800, 600));
    EXPECT_TRUE(s.program.undoJournal().empty());
}

TEST(WorkingWindowTheme, DefaultsAreDarkAndLightColoursTurnTheTextBlack) {
    Shown dark;
    EXPECT_EQ(dark.working.find("TopPanel")->colour(), Colour{2039583});
    EXPECT_EQ(dark.working.find("Label1")->fontColour(), Colour::rgb(255, 255, 255));
    EXPECT_EQ(dark.working.find("Panel8")->colour(), Colour::rgb(128, 128, 128));
    EXPECT_TRUE(dark.working.find("Panel5")->visible()); // background equals grid background
    const auto* anchor = dark.working.root().findAs<GradientButton>("X5");
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(anchor->colourOf(ButtonState::Hover, ButtonColour::Face), Colour{12228995});
    EXPECT_EQ(anchor->colourOf(ButtonState::Hover, ButtonColour::Border), Colour{8421504});
    const auto* strip = dark.working.root().findAs<GradientButton>("sbHome");
    EXPECT_EQ(strip->colourOf(ButtonState::Hover, ButtonColour::Face), Colour::rgb(128, 128, 128));
    EXPECT_EQ(strip->colourOf(ButtonState::Pressed, ButtonColour::Face), Colour::rgb(170, 170, 170));

    Shown light("[Options]\r\nA1=16777215\r\nA2=0x1F1F1F\r\nSEW=0\r\nSEH=50\r\n");
    EXPECT_EQ(light.working.find("Panel1")->colour(), Colour::rgb(255, 255, 255));
    EXPECT_EQ(light.working.find("Label1")->fontColour(), Colour::rgb(0, 0, 0));
    EXPECT_EQ(light.working.find("Panel7")->colour(), Colour::rgb(0, 0, 0));
    EXPECT_FALSE(light.working.find("Panel5")->visible());
    const auto* lightStrip = light.working.root().findAs<GradientButton>("sbHome");
    EXPECT_EQ(lightStrip->colourOf(ButtonState::Hover, ButtonColour::Face), Colour::rgb(170, 170, 170));
    EXPECT_EQ(lightStrip->colourOf(ButtonState::Pressed, ButtonColour::Face), Colour::rgb(128, 128, 128));
    // Counts a hand edit put out of range stay within the grid's limits.
    EXPECT_EQ(light.working.boardPage().activeColumns(), 1);
    EXPECT_EQ(light.working.boardPage().activeRows(), 10);
}

TEST(WorkingWindowTheme, PicturesFollowTheBackgroundAndTheGridBackground) {
    const auto glyphOf = [](Shown& shown, const char* name) {
        const auto* button = shown.working.root().findAs<GradientButton>(name);
        return button != nullptr ? button->glyph() : Bitmap{};
    };
    const auto markedAnchor = [](int k, bool darkGrid) {
        Bitmap picture = anchorPicture(k, darkGrid);
        recolourAnchor(picture, k);
        return picture;
    };
    Shown dark;
    EXPECT_EQ(glyphOf(dark, "xClose2"), buttonPicture("T4"));
    EXPECT_EQ(glyphOf(dark, "SbSelect"), buttonPicture("d22"));
    EXPECT_EQ(glyphOf(dark, "GC3"), buttonPicture("d40"));
    EXPECT_EQ(glyphOf(dark, "x1"), markedAnchor(1, true));
    EXPECT_EQ(glyphOf(dark, "X9"), markedAnchor(9, true));

    // A white background with a light grid background: the other sets.
    Shown light("[Options]\r\nA1=16777215\r\nA2=16777215\r\n");
    EXPECT_EQ(glyphOf(light, "xClose2"), buttonPicture("D4"));
    EXPECT_EQ(glyphOf(light, "SbSelect"), buttonPicture("t22"));
    EXPECT_EQ(glyphOf(light, "GC3"), buttonPicture("t40"));
    EXPECT_EQ(glyphOf(light, "X5"), markedAnchor(5, false));
    EXPECT_NE(markedAnchor(5, false), anchorPicture(5, false));
}

TEST(AutoHideFade, ClosesAfter105TicksWithThePointerAwayAndRecoversWhenItReturns) {
    Shown s("[Options]\r\nAutoHide=1\r\n");
    s.machine.host.setCursorPosition(Point{5, 5});
    // 90 ticks away, then the pointer comes back over the window: alpha 220 again.
    for (int tick = 0; tick < 90; ++tick) {
        s.machine.loop.advance(WorkingWindow::kAutoHideIntervalMs);
    }
    ASSERT_TRUE(s.working.visible());
    EXPECT_LT(*s.working.alpha(), 150);
    const Rect window = s.working.bounds();
    s.machine.host.setCursorPosition(Point{window.left + 100, window.top + 100});
    s.machine.loop.advance(WorkingWindow::kAutoHideIntervalMs);
    EXPECT_EQ(s.working.alpha(), std::optional<std::uint8_t>(220));
    EXPECT_EQ(s.working.fadeCounter(), 218);
    // Away again: closes 103 ticks later (from 218).
    s.machine.host.setCursorPosition(Point{5, 5});
    EXPECT_EQ(s.ticksUntilClosed(200), 103);

    Shown fresh("[Options]\r\nAutoHide=1\r\n");
    fresh.machine.host.setCursorPosition(Point{5, 5});
    EXPECT_EQ(fresh.ticksUntilClosed(200), 105);
}

TEST(AutoHideFade, NeverFadesWhenOffOrWhileSettingsAreOpen) {
    Shown off;
    off.machine.host.setCursorPosition(Point{5, 5});
    EXPECT_EQ(off.ticksUntilClosed(300), -1);
    EXPECT_EQ(off.working.alpha(), std::optional<std::uint8_t>(WorkingWindow::kActiveAlpha));

    Shown settings("[Options]\r\nAutoHide=1\r\n");
    settings.machine.host.setCursorPosition(Point{5, 5});
    settings.program.settingsWindow().show(false);
    EXPECT_EQ(settings.ticksUntilClosed(300), -1);
}

} // namespace
} // namespace cellaro

namespace cellaro {
namespace {

// The tray form takes the foreground while its menu is open. It is never a target: the working
// window neither comes to the front for it nor closes, even while the screen saver runs (which
// closes the working window when a real new target appears).
TEST(TrayForm, AsTheForegroundWindowNeverRaisesOrClosesTheWorkingWindow) {
    testing::TargetShown s;
    ASSERT_TRUE(s.working.visible());
    s.machine.systemState.setScreenSaverRunning(true);
    s.machine.desktop.clearCalls();
    s.machine.desktop.activate(s.program.trayForm().id());
    s.machine.loop.advance(Program::kTrackingIntervalMs * 4);
    EXPECT_TRUE(s.working.visible());
    EXPECT_EQ(s.machine.desktop.callCount(sim::CallKind::SetZOrder, s.working.id()), 0U);
    EXPECT_EQ(s.program.tracker().target(), s.target);
}

} // namespace
} // namespace cellaro
