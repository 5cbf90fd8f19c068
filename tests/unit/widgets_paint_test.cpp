// Tests of painting: the gradient button's colour slots and state colours, the bitmap canvas's
// shapes and clipping, and a form painting its tree with each widget clipped to its parent.
#include "pixels/bitmap_canvas.h"
#include "pixels/recording_canvas.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "widgets/form.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

constexpr Colour kBlack = Colour::rgb(0, 0, 0);
constexpr Colour kWhite = Colour::rgb(255, 255, 255);
constexpr Colour kRed = Colour::rgb(255, 0, 0);
constexpr Colour kBlue = Colour::rgb(0, 0, 255);

NativeWindowStyle formStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(0, 0, 120, 80);
    return style;
}

class PaintTest : public ::testing::Test {
protected:
    PaintTest() {
        form.root().setColour(Colour::rgb(1, 2, 3));
        button.setBounds(Rect::fromBounds(10, 10, 40, 20));
    }

    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    Form form{host, "PaintForm", formStyle()};
    GradientButton& button = form.root().add<GradientButton>("Button");
};

TEST(GradientButtonSlots, IndexNamesStateAndColour) {
    GradientButton button("b");
    EXPECT_FALSE(button.customColours());
    // Every slot gets its own colour; each state-colour pair must read back the slot of its index.
    for (int index = 0; index < GradientButton::kSlotCount; ++index) {
        EXPECT_TRUE(button.setSlot(index, Colour{static_cast<std::uint32_t>(0x010101U * (index + 1))}));
    }
    EXPECT_TRUE(button.customColours());
    const ButtonState states[] = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed,
                                  ButtonState::Disabled};
    const ButtonColour colours[] = {ButtonColour::Face,  ButtonColour::Gradient, ButtonColour::Dark,
                                    ButtonColour::Light, ButtonColour::Border,   ButtonColour::Text};
    int expectedIndex = 0;
    for (const ButtonState state : states) {
        for (const ButtonColour colour : colours) {
            EXPECT_EQ(GradientButton::slotIndex(state, colour), expectedIndex);
            EXPECT_EQ(button.colourOf(state, colour).value, 0x010101U * (expectedIndex + 1));
            ++expectedIndex;
        }
    }
    EXPECT_EQ(button.slot(GradientButton::kFocusSlot).value, 0x010101U * 25);
    for (const int outside : {-1, 25, 1000}) {
        EXPECT_FALSE(button.setSlot(outside, kRed));
        EXPECT_EQ(button.slot(outside), kBlack);
    }
}

TEST_F(PaintTest, ButtonFaceShowsTheColoursOfItsState) {
    // Plain faces (face = gradient) in a distinct colour per state, a distinct border and text.
    const ButtonState states[] = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed,
                                  ButtonState::Disabled};
    for (const ButtonState state : states) {
        const auto shade = static_cast<std::uint8_t>(40 + 50 * static_cast<int>(state));
        button.setStateColour(state, ButtonColour::Face, Colour::rgb(shade, 0, 0));
        button.setStateColour(state, ButtonColour::Gradient, Colour::rgb(shade, 0, 0));
        button.setStateColour(state, ButtonColour::Border, Colour::rgb(0, shade, 0));
        button.setStateColour(state, ButtonColour::Text, Colour::rgb(0, 0, shade));
    }
    button.setCaption("Go");
    const Point centre{30, 20}; // the button's centre in the form
    const auto check = [&](ButtonState expected) {
        EXPECT_EQ(button.state(), expected);
        const auto shade = static_cast<std::uint8_t>(40 + 50 * static_cast<int>(expected));
        const Bitmap picture = host.paint(form);
        EXPECT_EQ(picture.pixel(30, 20), Colour::rgb(shade, 0, 0)); // face
        EXPECT_EQ(picture.pixel(30, 10), Colour::rgb(0, shade, 0)); // top border
        EXPECT_EQ(picture.pixel(49, 20), Colour::rgb(0, shade, 0)); // right border
        EXPECT_EQ(picture.pixel(9, 20), form.root().colour());      // outside the button
        const auto texts = host.paintTexts(form);
        ASSERT_EQ(texts.size(), 1U);
        EXPECT_EQ(texts[0].text, "Go");
        EXPECT_EQ(texts[0].style.colour, Colour::rgb(0, 0, shade));
    };
    check(ButtonState::Normal);
    host.pointerMove(form, centre);
    check(ButtonState::Hover);
    host.pointerDown(form, centre);
    check(ButtonState::Pressed);
    host.pointerMove(form, Point{100, 70}); // still held, pointer away
    check(ButtonState::Normal);
    host.pointerUp(form, Point{100, 70});
    button.setEnabled(false);
    check(ButtonState::Disabled);
}

TEST_F(PaintTest, ButtonFaceIsAVerticalGradient) {
    button.setBounds(Rect::fromBounds(0, 0, 40, 20));
    button.setSlot(0, kBlack);
    button.setSlot(1, Colour::rgb(170, 0, 0));
    const Bitmap picture = host.paint(form);
    // The gradient fills rows 1 to 18 (18 steps): row y holds 170 * (y - 1) / 17 of red.
    for (const int y : {2, 5, 10, 17}) {
        EXPECT_EQ(picture.pixel(20, y), Colour::rgb(static_cast<std::uint8_t>(170 * (y - 1) / 17), 0, 0))
            << "row " << y;
    }
    EXPECT_EQ(picture.pixel(20, 1), button.slot(3));  // light edge at the top
    EXPECT_EQ(picture.pixel(20, 18), button.slot(2)); // dark edge at the bottom
}

TEST_F(PaintTest, GlyphIsCentredAndItsTransparentColourLeftOut) {
    button.setSlot(0, kWhite);
    button.setSlot(1, kWhite);
    Bitmap glyph(4, 4, kBlue);
    const Colour magenta = Colour::rgb(255, 0, 255);
    glyph.setPixel(0, 0, magenta);
    button.setGlyph(glyph, magenta);
    const Bitmap picture = host.paint(form);
    // 40 x 20 button at (10, 10): the glyph's top-left corner lands at (10 + 18, 10 + 8).
    EXPECT_EQ(picture.pixel(28, 18), kWhite);
    EXPECT_EQ(picture.pixel(29, 18), kBlue);
    EXPECT_EQ(picture.pixel(31, 21), kBlue);
    EXPECT_EQ(picture.pixel(32, 22), kWhite);
}

TEST_F(PaintTest, ADisabledButtonsGlyphIsGreyedTowardsItsFace) {
    button.setStateColour(ButtonState::Disabled, ButtonColour::Face, kWhite);
    button.setStateColour(ButtonState::Disabled, ButtonColour::Gradient, kWhite);
    const Colour magenta = Colour::rgb(255, 0, 255);
    Bitmap glyph(4, 4, kBlack);
    glyph.setPixel(0, 0, magenta);
    button.setGlyph(glyph, magenta);
    button.setEnabled(false);
    const Bitmap picture = host.paint(form);
    EXPECT_EQ(picture.pixel(29, 18), Colour::rgb(127, 127, 127)); // halfway from black to white
    EXPECT_EQ(picture.pixel(28, 18), kWhite);                     // still left out
    EXPECT_EQ(button.glyph(), glyph);                             // the picture itself is kept
}

TEST_F(PaintTest, ChildrenAreClippedToTheirParents) {
    Panel& outer = form.root().add<Panel>("outer");
    outer.setBounds(Rect::fromBounds(60, 40, 20, 20));
    outer.setColour(kBlue);
    Panel& inner = outer.add<Panel>("inner");
    inner.setBounds(Rect::fromBounds(10, 10, 50, 50)); // reaches far beyond its parent
    inner.setColour(kRed);
    inner.setBorderColour(kWhite);
    const Bitmap picture = host.paint(form);
    EXPECT_EQ(picture.pixel(65, 45), kBlue);
    EXPECT_EQ(picture.pixel(70, 50), kWhite); // the inner panel's border, at its own top-left
    EXPECT_EQ(picture.pixel(75, 55), kRed);
    EXPECT_EQ(picture.pixel(80, 55), form.root().colour()); // outside the outer panel
    EXPECT_EQ(picture.pixel(75, 60), form.root().colour());
    inner.setVisible(false);
    EXPECT_EQ(host.paint(form).pixel(75, 55), kBlue);
}

TEST(BitmapCanvas, OutlineOnlyRoundRectLeavesTheInsideAndTheClipAlone) {
    Bitmap picture(20, 20, kBlue);
    BitmapCanvas canvas(picture);
    canvas.setOrigin(Point{2, 2});
    canvas.pushClip(Rect{0, 0, 8, 20}); // device x 2..9
    canvas.roundRect(Rect{0, 0, 12, 12}, 0, 0, kRed, std::nullopt);
    EXPECT_EQ(picture.pixel(2, 2), kRed);   // outline corner
    EXPECT_EQ(picture.pixel(5, 13), kRed);  // bottom edge
    EXPECT_EQ(picture.pixel(5, 5), kBlue);  // inside untouched
    EXPECT_EQ(picture.pixel(13, 2), kBlue); // right edge clipped away
    canvas.popClip();
    canvas.line(Point{0, 14}, Point{15, 14}, 3, kWhite); // device row 16, pen rows 15 to 17
    EXPECT_EQ(picture.pixel(8, 15), kWhite);
    EXPECT_EQ(picture.pixel(8, 17), kWhite);
    EXPECT_EQ(picture.pixel(8, 18), kBlue);
}

TEST(BitmapCanvas, HorizontalGradientAndTextList) {
    Bitmap picture(11, 4);
    BitmapCanvas canvas(picture);
    canvas.gradient(Rect{0, 0, 11, 4}, kBlack, Colour::rgb(0, 100, 0), false);
    EXPECT_EQ(picture.pixel(0, 2), kBlack);
    EXPECT_EQ(picture.pixel(5, 2), Colour::rgb(0, 50, 0));
    EXPECT_EQ(picture.pixel(10, 2), Colour::rgb(0, 100, 0));
    TextStyle style;
    canvas.text(Rect{0, 0, 11, 4}, "hi", style);
    canvas.text(Rect{50, 50, 60, 60}, "clipped away", style);
    EXPECT_EQ(canvas.allText(), "hi");
    Font font;
    font.height = 10;
    EXPECT_EQ(canvas.measureText("h\xC3\xA9llo", font), (Size{30, 10})); // five characters
}

TEST_F(PaintTest, RecordingCanvasSeesWidgetsInFormCoordinates) {
    auto& strip = form.root().add<GradientPanel>("TopPanel");
    strip.setBounds(Rect::fromBounds(0, 0, 120, 26));
    strip.setColour(kBlack);
    strip.setGradientColour(kBlue);
    strip.setCaption("Cellaro");
    auto& label = strip.add<Label>("Label1");
    label.setBounds(Rect::fromBounds(50, 5, 30, 12));
    label.setText("status");
    RecordingCanvas canvas;
    form.onPaint(canvas);
    const CanvasOp* status = canvas.findText("status");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->area, Rect::fromBounds(50, 5, 30, 12));
    EXPECT_EQ(status->clip, Rect::fromBounds(50, 5, 30, 12));
    EXPECT_EQ(canvas.count(CanvasOpKind::Gradient), 2U); // the strip and the button face
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"Cellaro", "status"}));
}

} // namespace
} // namespace cellaro
