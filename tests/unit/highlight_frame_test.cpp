// The active window highlight's frame: the rectangle it goes round, its pen at each scale, and the
// outline's pixels on the picture.
#include "logic/highlight_frame.h"

#include "pixels/bitmap.h"

#include <gtest/gtest.h>

#include <climits>

namespace cellaro {
namespace {

constexpr Colour kGrey = Colour::rgb(64, 64, 64);

TEST(HighlightFrame, FramesTheWindowWhereItIsInsideTheVirtualScreen) {
    // Two side by side at the origin; and a monitor left of the primary, at negative coordinates.
    const Rect sideBySide{0, 0, 3200, 1080};
    const Rect withLeft{-1280, 0, 1920, 1080};
    const struct {
        Rect screen;
        Rect window;
        Rect framed;
    } cases[] = {
        {sideBySide, Rect{-8, -8, 1928, 1048}, Rect{1, 1, 1928, 1048}}, // maximised on the first monitor
        {sideBySide, Rect{1, 1, 500, 400}, Rect{1, 1, 500, 400}},
        {sideBySide, Rect{0, 0, 500, 400}, Rect{1, 1, 500, 400}},
        {sideBySide, Rect{-8, 200, 500, 400}, Rect{1, 200, 500, 400}},
        {sideBySide, Rect{1912, -8, 3208, 1032}, Rect{1912, 1, 3199, 1032}}, // maximised on the right one
        {sideBySide, Rect{2, 2, 500, 400}, Rect{2, 2, 500, 400}},
        // Maximised on the left monitor: framed there, not squeezed to the primary's corner.
        {withLeft, Rect{-1288, -8, 8, 1032}, Rect{-1279, 1, 8, 1032}},
        {withLeft, Rect{-900, 100, -300, 500}, Rect{-900, 100, -300, 500}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(highlightRectangle(c.window, c.screen), c.framed) << c.window.left << "," << c.window.top;
    }
}

TEST(HighlightFrame, PenIsFourPixelsAtOneHundredPercentAndGrowsWithTheScale) {
    EXPECT_EQ(highlightPenWidth(96), 4);
    EXPECT_EQ(highlightPenWidth(120), 5);
    EXPECT_EQ(highlightPenWidth(144), 6);
    EXPECT_EQ(highlightPenWidth(192), 8);
    EXPECT_EQ(highlightPenWidth(0), 4); // an unknown scale counts as 100 %
}

// Every pixel of the picture is red exactly on the four pen-wide bands round the rectangle.
void expectOutline(const Bitmap& picture, const Rect& area, int pen) {
    const int before = (pen - 1) / 2;
    const auto band = [&](int at, int value) { return value >= at - before && value < at - before + pen; };
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool withinX = x >= area.left - before && x < area.right - before + pen;
            const bool withinY = y >= area.top - before && y < area.bottom - before + pen;
            const bool onFrame = (withinX && (band(area.top, y) || band(area.bottom, y))) ||
                                 (withinY && (band(area.left, x) || band(area.right, x)));
            ASSERT_EQ(picture.pixel(x, y) == kHighlightColour, onFrame) << "at " << x << "," << y;
        }
    }
}

TEST(HighlightFrame, ClosedPureRedOutlineOfThePenWidth) {
    for (const int dpi : {96, 144}) {
        Bitmap picture(60, 50, kGrey);
        const Rect area{10, 8, 45, 40};
        drawHighlightFrame(picture, area, dpi);
        expectOutline(picture, area, highlightPenWidth(dpi));
    }
}

TEST(HighlightFrame, SidesOffThePictureAreClippedAndFarOffCornersCostNothing) {
    Bitmap picture(40, 30, kGrey);
    drawHighlightFrame(picture, Rect{-32000, -32000, 20, 15});
    expectOutline(picture, Rect{-32000, -32000, 20, 15}, 4);

    Bitmap huge(40, 30, kGrey);
    drawHighlightFrame(huge, Rect{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2});
    EXPECT_EQ(huge, Bitmap(40, 30, kGrey)); // every side is off the picture
}

} // namespace
} // namespace cellaro
