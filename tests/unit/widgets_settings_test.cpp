// Tests of keyboard focus and of the editors a settings window is built from: the track bar, the
// spin editor, the shortcut editor, the colour field and the translucent panel, driven through the
// simulated form host as the user would, at 96 and 144 DPI.
#include "pixels/recording_canvas.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "widgets/colour_field.h"
#include "widgets/form.h"
#include "widgets/panel.h"
#include "widgets/shortcut_edit.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"
#include "widgets/translucent_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace cellaro {
namespace {

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};
constexpr KeyModifiers kCtrlAlt{false, true, true};
constexpr int kKeyA = 0x41;

NativeWindowStyle formStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(100, 100, 400, 300);
    return style;
}

// A form that logs the keys its own key handling gets.
class KeyLoggingForm : public Form {
public:
    using Form::Form;
    std::vector<int> keys;

protected:
    void keyDown(int virtualKey, KeyModifiers /*modifiers*/) override { keys.push_back(virtualKey); }
};

// Inside a panel, in tree order: the track bar (0..255, page 26), the Rows spin editor (1..10),
// the shortcut editor, the colour field, then a hidden and a disabled spin editor and a plain
// widget that takes no focus. Every change by the user is logged.
class SettingsWidgetsTest : public ::testing::Test {
protected:
    explicit SettingsWidgetsTest(int dpi = kBaseDpi) : desktop(withMonitor(ownDesktop, dpi)) {
        page.setBounds(Rect::fromBounds(0, 0, 400, 300));
        // A channel of 255 pixels: one pixel a position.
        track.setBounds(Rect::fromBounds(20, 10, 255 + 2 * (TrackBar::kEdge + TrackBar::kThumbWidth / 2) + 1,
                                         TrackBar::kPreferredHeight));
        track.setPageSize(26);
        track.setEventLoop(loop);
        rows.setEventLoop(loop);
        track.onChange = [this] { changes.push_back("track=" + std::to_string(track.position())); };
        page.add<SpinEdit>("Hidden").setVisible(false);
        page.add<SpinEdit>("Disabled").setEnabled(false);
        rows.setBounds(Rect::fromBounds(20, 60, 60, SpinEdit::kPreferredHeight));
        rows.setRange(1, 10);
        rows.setValue(6);
        rows.onChange = [this] { changes.push_back("rows=" + std::to_string(rows.value())); };
        shortcut.setBounds(Rect::fromBounds(20, 100, 120, ShortcutEdit::kPreferredHeight));
        shortcut.onChange = [this] { changes.push_back("key=" + shortcut.text()); };
        page.add<Widget>("Plain").setBounds(Rect::fromBounds(200, 100, 50, 20));
        field.setBounds(Rect::fromBounds(20, 140, 20, 20));
        field.onClick = [this] { changes.emplace_back("field"); };
    }

    static sim::SimDesktop& withMonitor(sim::SimDesktop& desktop, int dpi) {
        Monitor monitor = sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true);
        monitor.dpi = dpi;
        desktop.addMonitor(monitor);
        return desktop;
    }

    // A point of a widget (its own coordinates, DIPs) as a physical client point of the form.
    [[nodiscard]] Point at(const Widget& widget, int x, int y) const {
        const Rect area = widget.formBounds();
        return form.scale().physical(Point{area.left + x, area.top + y});
    }
    bool press(int key, KeyModifiers modifiers = kNone) { return host.pressKey(form, key, modifiers); }
    [[nodiscard]] std::string focusedName() const {
        return form.focused() != nullptr ? form.focused()->name() : "-";
    }

    sim::SimDesktop ownDesktop;
    sim::SimDesktop& desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    KeyLoggingForm form{host, "Settings", formStyle()};
    Panel& page = form.root().add<Panel>("Page");
    TrackBar& track = page.add<TrackBar>("Track");
    SpinEdit& rows = page.add<SpinEdit>("Rows");
    ShortcutEdit& shortcut = page.add<ShortcutEdit>("Key");
    ColourField& field = page.add<ColourField>("Field");
    std::vector<std::string> changes;
};

// ----- Focus -----

TEST_F(SettingsWidgetsTest, TabWalksTheFocusableShowingEnabledWidgetsInTreeOrderAndWraps) {
    std::vector<std::string> forward;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(press(vk::kTab));
        forward.push_back(focusedName());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"Track", "Rows", "Key", "Field", "Track"}));
    std::vector<std::string> backward;
    for (int i = 0; i < 5; ++i) {
        press(vk::kTab, kShift);
        backward.push_back(focusedName());
    }
    EXPECT_EQ(backward, (std::vector<std::string>{"Field", "Key", "Rows", "Track", "Field"}));
    EXPECT_TRUE(form.keys.empty());
}

TEST_F(SettingsWidgetsTest, ClickFocusesAndKeysReachTheFocusedWidgetBeforeTheForm) {
    host.click(form, at(rows, 5, 5));
    EXPECT_EQ(focusedName(), "Rows");
    EXPECT_TRUE(rows.focused());
    press(vk::kUp);
    EXPECT_EQ(rows.value(), 7);
    // Keys the widget leaves reach the form's own handling: Escape closes as before.
    press(vk::kEscape);
    press(vk::kLeft);
    EXPECT_EQ(form.keys, (std::vector<int>{vk::kEscape, vk::kLeft}));
    // A key pressed with Alt that nothing uses is the system's (Alt+F4).
    EXPECT_FALSE(press(vk::kF4, kAlt));
    EXPECT_EQ(form.keys.size(), 2U);
    // A click on a widget that takes no focus leaves the focus where it was.
    host.click(form, at(*form.find("Plain"), 5, 5));
    EXPECT_EQ(focusedName(), "Rows");
}

TEST_F(SettingsWidgetsTest, FocusIsLostWithTheWidgetAndNotKeptByHiddenOnes) {
    ASSERT_TRUE(shortcut.focus());
    EXPECT_FALSE(form.setFocus(form.find("Disabled")));
    EXPECT_FALSE(form.find("Plain")->focus());
    EXPECT_EQ(focusedName(), "Key");
    shortcut.setVisible(false);
    press(kKeyA);
    EXPECT_EQ(focusedName(), "-");
    EXPECT_EQ(form.keys, std::vector<int>{kKeyA});
    ASSERT_TRUE(rows.focus());
    page.removeChild(rows);
    EXPECT_EQ(form.focused(), nullptr);
    press(vk::kTab);
    EXPECT_EQ(focusedName(), "Track");
}

// ----- Track bar -----

TEST_F(SettingsWidgetsTest, TrackBarKeysStepPageAndStopAtTheEnds) {
    struct Case {
        int from;
        int key;
        int expected;
    };
    const Case cases[] = {
        {100, vk::kRight, 101},    {100, vk::kDown, 101},     {100, vk::kLeft, 99}, {100, vk::kUp, 99},
        {100, vk::kPageDown, 126}, {100, vk::kPageUp, 74},    {100, vk::kHome, 0},  {100, vk::kEnd, 255},
        {0, vk::kLeft, 0},         {250, vk::kPageDown, 255}, {10, vk::kPageUp, 0}, {255, vk::kRight, 255},
    };
    ASSERT_TRUE(track.focus());
    for (const Case& c : cases) {
        track.setPosition(c.from);
        changes.clear();
        EXPECT_TRUE(press(c.key));
        EXPECT_EQ(track.position(), c.expected) << c.from << " key " << c.key;
        EXPECT_EQ(changes.size(), c.from == c.expected ? 0U : 1U) << c.from << " key " << c.key;
    }
    EXPECT_TRUE(form.keys.empty());
    // The default page is a fifth of the range.
    track.setPageSize(0);
    EXPECT_EQ(track.pageSize(), 51);
}

TEST_F(SettingsWidgetsTest, TrackBarChannelPressPagesTowardsThePointerAndTheThumbDrags) {
    track.setPosition(100);
    const int thumbY = TrackBar::kEdge + TrackBar::kThumbHeight / 2;
    // A press far right pages by one page; a press just right of the thumb stops under the pointer.
    host.click(form, at(track, track.positionX(240), thumbY));
    EXPECT_EQ(track.position(), 126);
    host.click(form, at(track, track.positionX(140), thumbY));
    EXPECT_EQ(track.position(), 140);
    host.click(form, at(track, track.positionX(0), thumbY));
    EXPECT_EQ(track.position(), 114);
    EXPECT_EQ(focusedName(), "Track");

    // Dragging by a grip off the thumb's centre keeps that grip; beyond the channel it clamps.
    changes.clear();
    const int grip = track.positionX(114) + 2;
    host.pointerDown(form, at(track, grip, thumbY));
    EXPECT_TRUE(track.dragging());
    host.pointerMove(form, at(track, track.positionX(200) + 2, thumbY));
    EXPECT_EQ(track.position(), 200);
    host.pointerMove(form, at(track, 1000, thumbY));
    EXPECT_EQ(track.position(), 255);
    host.pointerMove(form, at(track, -50, thumbY));
    EXPECT_EQ(track.position(), 0);
    host.pointerUp(form, at(track, -50, thumbY));
    EXPECT_FALSE(track.dragging());
    EXPECT_EQ(changes, (std::vector<std::string>{"track=200", "track=255", "track=0"}));
    // From the program: no event.
    track.setPosition(300);
    EXPECT_EQ(track.position(), 255);
    EXPECT_EQ(changes.size(), 3U);
}

TEST_F(SettingsWidgetsTest, HoldingTheChannelOrAnArrowRepeatsAfterADelayUntilTheTargetOrTheEnd) {
    const int thumbY = TrackBar::kEdge + TrackBar::kThumbHeight / 2;
    host.pointerDown(form, at(track, track.positionX(200), thumbY));
    EXPECT_EQ(track.position(), 26);
    loop.advance(PressRepeat::kDelayMs - 1);
    EXPECT_EQ(track.position(), 26);
    loop.advance(1);
    EXPECT_EQ(track.position(), 52);
    loop.advance(PressRepeat::kIntervalMs * 10);
    EXPECT_EQ(track.position(), 200); // the thumb stops under the pointer
    host.pointerUp(form, at(track, track.positionX(200), thumbY));
    EXPECT_EQ(changes.size(), 8U);

    host.pointerDown(form, at(rows, rows.bounds().width() - 3, 3));
    EXPECT_EQ(rows.value(), 7);
    loop.advance(PressRepeat::kDelayMs + PressRepeat::kIntervalMs * 10);
    EXPECT_EQ(rows.value(), 10);
    host.pointerUp(form, at(rows, rows.bounds().width() - 3, 3));
    host.pointerDown(form, at(rows, rows.bounds().width() - 3, SpinEdit::kPreferredHeight - 3));
    loop.advance(PressRepeat::kDelayMs);
    host.pointerUp(form, at(rows, rows.bounds().width() - 3, SpinEdit::kPreferredHeight - 3));
    loop.advance(PressRepeat::kDelayMs);
    EXPECT_EQ(rows.value(), 8); // released: no more steps
}

TEST_F(SettingsWidgetsTest, TrackBarTicksEveryTwentySixAndAtTheEnd) {
    std::vector<int> expected;
    for (int position = 0; position < 255; position += 26) {
        expected.push_back(position);
    }
    expected.push_back(255);
    EXPECT_EQ(track.tickPositions(), expected);

    RecordingCanvas canvas;
    form.onPaint(canvas);
    const Rect area = track.formBounds();
    const int tickTop = area.top + TrackBar::kEdge + TrackBar::kThumbHeight + TrackBar::kTickGap;
    std::vector<int> drawn;
    for (const CanvasOp& op : canvas.ops()) {
        if (op.kind == CanvasOpKind::FillRect && op.area.top == tickTop &&
            op.area.height() == TrackBar::kTickLength && op.area.width() == 1) {
            drawn.push_back(op.area.left - area.left);
        }
    }
    std::vector<int> expectedX;
    expectedX.reserve(expected.size());
    for (const int position : expected) {
        expectedX.push_back(track.positionX(position));
    }
    EXPECT_EQ(drawn, expectedX);
    // 0..255 over a 255-pixel channel: one pixel a position.
    EXPECT_EQ(track.positionX(26) - track.positionX(0), 26);
}

// ----- Spin editor -----

TEST_F(SettingsWidgetsTest, SpinEditStepsByKeysAndArrowButtonsWithinItsRange) {
    host.click(form, at(rows, rows.bounds().width() - 3, 3)); // the up arrow
    EXPECT_EQ(focusedName(), "Rows");
    EXPECT_EQ(rows.value(), 7);
    host.click(form, at(rows, rows.bounds().width() - 3, SpinEdit::kPreferredHeight - 3));
    EXPECT_EQ(rows.value(), 6);
    for (int i = 0; i < 6; ++i) {
        press(vk::kUp);
    }
    EXPECT_EQ(rows.value(), 10);
    EXPECT_EQ(rows.text(), "10");
    for (int i = 0; i < 12; ++i) {
        press(vk::kDown);
    }
    EXPECT_EQ(rows.value(), 1);
    EXPECT_EQ(changes.size(), 2U + 4U + 9U); // only real changes are reported
    EXPECT_EQ(changes.back(), "rows=1");
}

TEST_F(SettingsWidgetsTest, SpinEditTypingReplacesTheSelectionAndIsClampedOnLeaving) {
    ASSERT_TRUE(rows.focus());
    EXPECT_TRUE(rows.textSelected());
    press(vk::kNumpad0 + 7);
    EXPECT_EQ(rows.text(), "7");
    EXPECT_EQ(rows.value(), 7); // in range: counts at once
    press(vk::kDigit0 + 5);
    EXPECT_EQ(rows.text(), "75");
    EXPECT_EQ(rows.value(), 7); // out of range: waits
    press(vk::kTab);
    EXPECT_EQ(focusedName(), "Key");
    EXPECT_EQ(rows.value(), 10);
    EXPECT_EQ(rows.text(), "10");

    ASSERT_TRUE(rows.focus());
    press(vk::kBackspace); // clears the selected text
    EXPECT_EQ(rows.text(), "");
    press(vk::kDigit0);
    EXPECT_EQ(rows.value(), 10);
    EXPECT_FALSE(press(vk::kEnter, kAlt)); // with Alt: the system's
    press(vk::kEnter);                     // settles at the minimum, and the form still sees Enter
    EXPECT_EQ(rows.value(), 1);
    EXPECT_EQ(form.keys, std::vector<int>{vk::kEnter});
    press(vk::kBackspace);
    press(vk::kDigit0 + 4);
    press(vk::kDigit0 + 2);
    press(vk::kBackspace);
    EXPECT_EQ(rows.text(), "4");
    EXPECT_EQ(rows.value(), 4);
    // An emptied text gives back the last value.
    press(vk::kBackspace);
    press(vk::kUp);
    EXPECT_EQ(rows.value(), 5);
    EXPECT_EQ(changes, (std::vector<std::string>{"rows=7", "rows=10", "rows=1", "rows=4", "rows=5"}));
}

// ----- Shortcut editor -----

TEST_F(SettingsWidgetsTest, ShortcutEditTakesAnyKeyWithItsModifiers) {
    struct Case {
        int key;
        KeyModifiers modifiers;
        bool used;
        KeyCombination expected; // after the press, from Ctrl+A
    };
    const KeyCombination start{kCtrl, kKeyA};
    const Case cases[] = {
        {0x51, kNone, true, {kNone, 0x51}},                 // a plain key
        {0x51, kAlt, true, {kAlt, 0x51}},                   // Alt+Q
        {vk::kF4, kAlt, true, {kAlt, vk::kF4}},             // Alt+F4 is taken, not closing
        {0x57, kCtrlAlt, true, {kCtrlAlt, 0x57}},           // several modifiers
        {vk::kTab, kCtrl, true, {kCtrl, vk::kTab}},         // Ctrl+Tab
        {vk::kEscape, kShift, true, {kShift, vk::kEscape}}, // Shift+Esc
        {vk::kBackspace, kCtrl, true, {kCtrl, vk::kBackspace}},
        {vk::kControl, kCtrl, true, start}, // modifier keys alone wait
        {vk::kAlt, kAlt, true, start},
        {vk::kLeftShift, kShift, true, start},
        {vk::kLeftWindows, kNone, true, start}, // left to the window
        {vk::kBackspace, kNone, true, {}},      // clears
        {vk::kDelete, kNone, true, {}},
        {vk::kEnter, kNone, true, start}, // the window's: used by its handling
        {vk::kEscape, kNone, true, start},
    };
    ASSERT_TRUE(shortcut.focus());
    for (const Case& c : cases) {
        shortcut.setCombination(start);
        EXPECT_EQ(press(c.key, c.modifiers), c.used) << c.key;
        EXPECT_EQ(shortcut.combination(), c.expected) << c.key;
    }
    EXPECT_EQ(form.keys, (std::vector<int>{vk::kLeftWindows, vk::kEnter, vk::kEscape}));
    // Tab still moves on.
    press(vk::kTab);
    EXPECT_EQ(focusedName(), "Field");
}

TEST_F(SettingsWidgetsTest, ShortcutEditShowsTheOwnersTextAndNoneForNoCombination) {
    EXPECT_EQ(shortcut.text(), "None");
    shortcut.setCombination({kShift, kKeyA});
    EXPECT_EQ(shortcut.text(), "Shift+VK_41");
    shortcut.textOf = [](const KeyCombination& combination) {
        return std::string(combination.modifiers.alt ? "Alt+" : "") + static_cast<char>(combination.key);
    };
    ASSERT_TRUE(shortcut.focus());
    press(0x57, kAlt);
    EXPECT_EQ(changes, std::vector<std::string>{"key=Alt+W"});
    const auto texts = host.paintTexts(form);
    EXPECT_NE(
        std::find_if(texts.begin(), texts.end(), [](const DrawnText& text) { return text.text == "Alt+W"; }),
        texts.end());
    press(vk::kBackspace);
    EXPECT_EQ(changes.back(), "key=None");
}

// ----- Colour field -----

TEST_F(SettingsWidgetsTest, ColourFieldRaisesItsClickByMouseSpaceAndEnter) {
    field.setColour(Colour::rgb(0x83, 0x99, 0xBA));
    host.click(form, at(field, 10, 10));
    EXPECT_EQ(focusedName(), "Field");
    press(vk::kSpace);
    press(vk::kEnter);
    press(vk::kSpace, kCtrl); // not a press of the field
    EXPECT_EQ(changes, (std::vector<std::string>{"field", "field", "field"}));
    const Bitmap picture = host.paint(form);
    const Rect swatch = field.swatchRect().offset(field.formBounds().left, field.formBounds().top);
    EXPECT_EQ(picture.pixel(swatch.left, swatch.top), field.colour());
    EXPECT_EQ(picture.pixel(swatch.right - 1, swatch.bottom - 1), field.colour());
    EXPECT_NE(picture.pixel(field.formBounds().left, field.formBounds().top), field.colour());
}

// ----- At 144 DPI -----

class SettingsWidgetsAt144Test : public SettingsWidgetsTest {
protected:
    SettingsWidgetsAt144Test() : SettingsWidgetsTest(144) {}
};

TEST_F(SettingsWidgetsAt144Test, PhysicalPointsMapToPositionsAndTheBlendFillsThePhysicalArea) {
    ASSERT_EQ(form.scale().dpi, 144);
    const int thumbY = TrackBar::kEdge + TrackBar::kThumbHeight / 2;
    host.pointerDown(form, at(track, track.positionX(0), thumbY));
    host.pointerMove(form, at(track, track.positionX(128), thumbY));
    host.pointerUp(form, at(track, track.positionX(128), thumbY));
    EXPECT_EQ(track.position(), 128);
    host.click(form, at(rows, rows.bounds().width() - 3, 3));
    EXPECT_EQ(rows.value(), 7);

    auto& veil = form.root().add<TranslucentPanel>("Veil");
    veil.setBounds(Rect::fromBounds(200, 150, 40, 20));
    veil.setPicture(Bitmap(4, 2, Colour::rgb(200, 100, 0)));
    veil.setColour(Colour::rgb(0, 0, 100));
    veil.setPercent(50);
    const Bitmap picture = host.paint(form);
    const Colour half = Colour::rgb(100, 50, 50);
    // 40 x 20 DIPs cover 60 x 30 pixels from (300, 225).
    EXPECT_EQ(picture.pixel(300, 225), half);
    EXPECT_EQ(picture.pixel(359, 254), half);
    EXPECT_NE(picture.pixel(360, 254), half);
    EXPECT_NE(picture.pixel(359, 255), half);
}

TEST(TranslucentPanel, ShowsTheColourAtItsPercentOverThePicture) {
    TranslucentPanel panel("Veil");
    panel.setBounds(Rect::fromBounds(0, 0, 4, 2));
    Bitmap picture(2, 1, Colour::rgb(255, 255, 255));
    picture.setPixel(1, 0, Colour::rgb(0, 0, 0));
    panel.setPicture(picture);
    panel.setColour(Colour::rgb(0, 0, 255));
    struct Case {
        int percent;
        Colour overWhite;
        Colour overBlack;
    };
    const Case cases[] = {
        {0, Colour::rgb(0, 0, 255), Colour::rgb(0, 0, 255)},
        {50, Colour::rgb(128, 128, 255), Colour::rgb(0, 0, 128)},
        {100, Colour::rgb(255, 255, 255), Colour::rgb(0, 0, 0)},
        {150, Colour::rgb(255, 255, 255), Colour::rgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        panel.setPercent(c.percent);
        const Bitmap& shown = panel.shown(Scale{});
        ASSERT_EQ(shown.width(), 4);
        EXPECT_EQ(shown.pixel(1, 1), c.overWhite) << c.percent;
        EXPECT_EQ(shown.pixel(2, 0), c.overBlack) << c.percent;
    }
    EXPECT_EQ(panel.percent(), 100);

    // A strip inside, without a picture of its own, veils what the outer panel shows.
    panel.setPercent(50);
    auto& strip = panel.add<TranslucentPanel>("Strip");
    strip.setBounds(Rect::fromBounds(1, 1, 2, 1));
    strip.setColour(Colour::rgb(0, 0, 0));
    strip.setPercent(50);
    const Bitmap& veiled = strip.shown(Scale{});
    ASSERT_EQ(veiled.width(), 2);
    EXPECT_EQ(veiled.pixel(0, 0), Colour::rgb(64, 64, 128));
    EXPECT_EQ(veiled.pixel(1, 0), Colour::rgb(0, 0, 64));
    // The strip follows a change of the outer panel.
    panel.setColour(Colour::rgb(255, 0, 0));
    EXPECT_EQ(strip.shown(Scale{}).pixel(1, 0), Colour::rgb(64, 0, 0));
}

} // namespace
} // namespace cellaro
