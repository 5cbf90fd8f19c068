// The raster picture: rounded cells that close against a fill, fills, lines, stretching, encodings.
#include "pixels/bitmap.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

constexpr Colour kBack = Colour::rgb(0x1F, 0x1F, 0x1F);
constexpr Colour kGrid = Colour::rgb(0x80, 0x80, 0x80);
constexpr Colour kSelect = Colour::rgb(0x83, 0x99, 0xBA);

int count(const Bitmap& bitmap, Colour colour) {
    int n = 0;
    for (const auto value : bitmap.pixels()) {
        n += value == colour.value ? 1 : 0;
    }
    return n;
}

TEST(Bitmap, ConstructionClipsAndOutOfRangeAccessIsHarmless) {
    Bitmap b(4, 3, kBack);
    EXPECT_EQ(b.pixels().size(), 12U);
    EXPECT_EQ(b.pixel(3, 2), kBack);
    b.setPixel(-1, 0, kGrid);
    b.setPixel(4, 0, kGrid);
    b.fill(Rect{-10, -10, 100, 1}, kGrid);
    EXPECT_EQ(count(b, kGrid), 4);
    // Wholly beside the picture, on either side.
    b.fill(Rect{-10, 1, -2, 3}, kGrid);
    b.fill(Rect{6, 1, 9, 3}, kGrid);
    EXPECT_EQ(count(b, kGrid), 4);
    EXPECT_EQ(b.pixel(99, 99), Colour{});
    EXPECT_TRUE(Bitmap(-5, 10).empty());
    // The unused top byte of a colour never reaches the pixels.
    b.setPixel(0, 2, Colour{0xFF123456});
    EXPECT_EQ(b.pixel(0, 2), Colour{0x123456});
}

TEST(Bitmap, RoundedCellOutlineClosesTheInsideAgainstTheFill) {
    // Two neighbouring 53 x 32 cells drawn as on the board; filling one must not leak.
    Bitmap b(120, 40, kBack);
    b.roundRect(Rect{0, 0, 53, 32}, 10, 10, kGrid, kBack);
    b.roundRect(Rect{53, 0, 106, 32}, 10, 10, kGrid, kBack);
    b.floodFill(6, 6, kSelect);
    EXPECT_EQ(b.pixel(26, 16), kSelect);
    EXPECT_EQ(b.pixel(53 + 26, 16), kBack);
    EXPECT_EQ(b.pixel(110, 35), kBack); // outside both cells
    // Corners are rounded: the corner pixel keeps the background, the edge midpoints are outline.
    EXPECT_EQ(b.pixel(0, 0), kBack);
    EXPECT_EQ(b.pixel(26, 0), kGrid);
    EXPECT_EQ(b.pixel(0, 16), kGrid);
    EXPECT_EQ(b.pixel(52, 16), kGrid);
    EXPECT_EQ(b.pixel(26, 31), kGrid);
    EXPECT_EQ(b.pixel(26, 32), kBack);
    // The fill covers the inside exactly: every selected pixel lies within the first cell.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (b.pixel(x, y) == kSelect) {
                ASSERT_LT(x, 53);
                ASSERT_LT(y, 32);
            }
        }
    }
}

TEST(Bitmap, FillSpreadsWhenTheOutlineHasTheInsideColour) {
    Bitmap b(120, 40, kBack);
    b.roundRect(Rect{0, 0, 53, 32}, 10, 10, kBack, kBack);
    b.floodFill(6, 6, kSelect);
    EXPECT_EQ(count(b, kSelect), 120 * 40);
}

TEST(Bitmap, FloodFillIsFourConnectedAndExact) {
    Bitmap b(5, 5, kBack);
    // A diagonal wall: 4-connected fill must not cross it.
    for (int i = 0; i < 5; ++i) {
        b.setPixel(i, 4 - i, kGrid);
    }
    b.floodFill(0, 0, kSelect);
    EXPECT_EQ(b.pixel(0, 0), kSelect);
    EXPECT_EQ(b.pixel(4, 4), kBack);
    b.setPixel(4, 4, Colour{kBack.value + 1});
    b.floodFill(3, 3, kSelect);
    EXPECT_EQ(b.pixel(4, 4), Colour{kBack.value + 1}); // a colour one step away is not the same colour
    b.floodFill(10, 10, kSelect);                      // outside: nothing
}

TEST(Bitmap, LargeFloodFillDoesNotRecurse) {
    Bitmap b(1920, 1080, kBack);
    b.floodFill(960, 540, kSelect);
    EXPECT_EQ(count(b, kSelect), 1920 * 1080);
}

TEST(Bitmap, LinesIncludeBothEndsAndHonourThePenWidth) {
    Bitmap b(20, 20, kBack);
    b.line(Point{2, 2}, Point{17, 2}, 1, kGrid);
    EXPECT_EQ(count(b, kGrid), 16);
    Bitmap thick(20, 20, kBack);
    thick.line(Point{10, 2}, Point{10, 17}, 3, kGrid);
    EXPECT_EQ(count(thick, kGrid), 18 * 3); // the square pen also reaches one pixel past each end
    EXPECT_EQ(thick.pixel(9, 10), kGrid);
    EXPECT_EQ(thick.pixel(11, 10), kGrid);
    Bitmap diagonal(10, 10, kBack);
    diagonal.line(Point{9, 9}, Point{0, 0}, 1, kGrid);
    EXPECT_EQ(count(diagonal, kGrid), 10);
}

TEST(Bitmap, StretchKeepsContentAndRefusesEmptySizes) {
    Bitmap b(2, 2, kBack);
    b.setPixel(1, 1, kGrid);
    ASSERT_TRUE(b.stretch(32, 32));
    EXPECT_EQ(b.width(), 32);
    EXPECT_EQ(b.pixel(31, 31), kGrid);
    EXPECT_EQ(b.pixel(15, 15), kBack);
    EXPECT_EQ(count(b, kGrid), 16 * 16);
    const Bitmap before = b;
    EXPECT_FALSE(b.stretch(0, 10));
    EXPECT_EQ(b, before);
}

TEST(Bitmap, AssignGivesANewPictureInTheStorageItHas) {
    Bitmap b(40, 30, kBack);
    b.fill(Rect{5, 5, 20, 20}, kGrid);
    // Smaller, narrower and wider, larger, empty: each time the picture a new one would be, with
    // nothing of the old one left.
    for (const Size size :
         {Size{25, 12}, Size{10, 60}, Size{64, 48}, Size{0, 7}, Size{-3, 5}, Size{30, 30}}) {
        b.assign(size.width, size.height, kSelect);
        EXPECT_EQ(b, Bitmap(size.width, size.height, kSelect)) << size.width << "x" << size.height;
    }
    Bitmap kept(40, 30, kBack);
    const std::uint32_t* storage = kept.pixels().data();
    kept.assign(30, 39, kGrid);
    EXPECT_EQ(kept.pixels().data(), storage); // 1170 of the 1200 pixels it had: nothing allocated
    EXPECT_EQ(count(kept, kGrid), 30 * 39);
}

TEST(Bitmap, EncodingsHaveTheirHeadersAndSizes) {
    Bitmap b(3, 2, kSelect);
    const std::string bmp = encodeBmp(b);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.size(), 54U + 2 * 12U);                 // rows padded to 4 bytes
    EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 0xBA); // blue first
    const std::string png = encodePng(b);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_NE(png.find("IHDR"), std::string::npos);
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
    // A picture larger than one stored deflate block still encodes.
    EXPECT_GT(encodePng(Bitmap(300, 300, kBack)).size(), 300U * 300U * 3U);
}

TEST(Bitmap, VeilMixesTheColourByThePercentThatShowsThroughWithinTheClippedArea) {
    struct Case {
        int through;
        Colour expected; // of (200, 100, 0) under (0, 0, 100)
    };
    const Case cases[] = {
        {0, Colour::rgb(0, 0, 100)},     {25, Colour::rgb(50, 25, 75)},   {50, Colour::rgb(100, 50, 50)},
        {99, Colour::rgb(198, 99, 1)},   {100, Colour::rgb(200, 100, 0)}, {-5, Colour::rgb(0, 0, 100)},
        {120, Colour::rgb(200, 100, 0)},
    };
    for (const Case& c : cases) {
        Bitmap b(3, 2, Colour::rgb(200, 100, 0));
        b.veil(Rect{1, -5, 10, 1}, Colour::rgb(0, 0, 100), c.through);
        EXPECT_EQ(b.pixel(1, 0), c.expected) << c.through;
        EXPECT_EQ(b.pixel(2, 0), c.expected) << c.through;
        EXPECT_EQ(b.pixel(0, 0), Colour::rgb(200, 100, 0)) << c.through;
        EXPECT_EQ(b.pixel(1, 1), Colour::rgb(200, 100, 0)) << c.through;
    }
}

} // namespace
} // namespace cellaro
