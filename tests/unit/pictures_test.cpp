// The working window's pictures: the name table of both sets, visibility on the backgrounds they
// are meant for, the anchor pad cells against the recolouring fill, the pin and status pictures.
#include "logic/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {
namespace {

// The picture table of the theming pass: per button, the light-background and dark-background
// picture, and the picture size that fits the button.
struct ExpectedPair {
    std::string_view light;
    std::string_view dark;
    int size;
};

const std::vector<ExpectedPair> kExpectedPairs{
    {"D4", "T4", 16},     {"D1", "T1", 16},   {"D11", "T11", 16}, {"D12", "T12", 16}, {"t22", "d22", 16},
    {"d104", "t104", 16}, {"D2", "T2", 16},   {"D3", "T3", 16},   {"v31", "b31", 20}, {"w3", "B3", 20},
    {"w4", "B4", 20},     {"w5", "B5", 20},   {"W6", "B6", 20},   {"W7", "B7", 20},   {"W8", "B8", 20},
    {"W9", "B9", 20},     {"T20", "D20", 20}, {"T21", "D21", 20}, {"t40", "d40", 20}, {"T41", "d41", 20},
    {"d15", "t15", 20},   {"d16", "t16", 20},
};

constexpr Colour kLightFace = Colour::rgb(0xF0, 0xF0, 0xF0);
constexpr Colour kDarkFace = Colour::rgb(0x1F, 0x1F, 0x1F);

// The contrast rule's brightness.
double brightness(Colour c) {
    return std::sqrt(0.241 * c.red() * c.red() + 0.691 * c.green() * c.green() + 0.068 * c.blue() * c.blue());
}

int countOf(const Bitmap& picture, Colour colour) {
    return static_cast<int>(std::count(picture.pixels().begin(), picture.pixels().end(), colour.value));
}

// Which pixels are drawn (not transparent).
std::vector<bool> strokeMask(const Bitmap& picture) {
    std::vector<bool> mask;
    for (const auto value : picture.pixels()) {
        mask.push_back(value != kPictureTransparent.value);
    }
    return mask;
}

TEST(Pictures, NameTableHoldsExactlyTheThemingPassNames) {
    std::set<std::string_view> expected;
    for (const auto& pair : kExpectedPairs) {
        expected.insert(pair.light);
        expected.insert(pair.dark);
    }
    const auto names = buttonPictureNames();
    const std::set<std::string_view> actual(names.begin(), names.end());
    EXPECT_EQ(actual.size(), names.size()) << "a name is listed twice";
    EXPECT_EQ(actual, expected);
}

TEST(Pictures, EachPairIsOneGlyphInTwoInksOfTheButtonSize) {
    for (const auto& [light, dark, size] : kExpectedPairs) {
        SCOPED_TRACE(std::string(light) + "/" + std::string(dark));
        EXPECT_EQ(pictureSetOf(light), PictureSet::LightBackground);
        EXPECT_EQ(pictureSetOf(dark), PictureSet::DarkBackground);
        const Bitmap onLight = buttonPicture(light);
        const Bitmap onDark = buttonPicture(dark);
        ASSERT_EQ(onLight.width(), size);
        ASSERT_EQ(onLight.height(), size);
        ASSERT_EQ(onDark.width(), size);
        ASSERT_EQ(onDark.height(), size);
        EXPECT_NE(onLight, onDark);
        EXPECT_EQ(strokeMask(onLight), strokeMask(onDark)) << "the two sets draw different shapes";
    }
}

TEST(Pictures, StrokesStandOutOnTheBackgroundTheirSetIsFor) {
    for (const std::string_view name : buttonPictureNames()) {
        SCOPED_TRACE(std::string(name));
        const Bitmap picture = buttonPicture(name);
        const Colour face = pictureSetOf(name) == PictureSet::LightBackground ? kLightFace : kDarkFace;
        const int area = picture.width() * picture.height();
        const int transparent = countOf(picture, kPictureTransparent);
        // Something is drawn, and the button face shows around it.
        EXPECT_GT(area - transparent, area / 20);
        EXPECT_GT(transparent, area / 4);
        for (const auto value : picture.pixels()) {
            if (value != kPictureTransparent.value) {
                ASSERT_GE(std::abs(brightness(Colour{value}) - brightness(face)), 80.0);
            }
        }
    }
}

TEST(Pictures, GlyphsAreCentredLeftToRight) {
    // The drawn area is centred within a pixel, so a button that centres the picture shows the
    // glyph in the middle of its face. (Vertically the minimise bar sits low on purpose.)
    for (const std::string_view name : buttonPictureNames()) {
        SCOPED_TRACE(std::string(name));
        const Bitmap picture = buttonPicture(name);
        int left = picture.width();
        int right = -1;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != kPictureTransparent) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_LE(std::abs(left - (picture.width() - 1 - right)), 1);
    }
}

TEST(Pictures, NamesAreCaseSensitiveAndUnknownNamesGiveNoPicture) {
    EXPECT_EQ(pictureSetOf("t22"), PictureSet::LightBackground);
    EXPECT_EQ(pictureSetOf("T22"), std::nullopt);
    EXPECT_EQ(pictureSetOf("d41"), PictureSet::DarkBackground);
    EXPECT_EQ(pictureSetOf("D41"), std::nullopt);
    EXPECT_TRUE(buttonPicture("W3").empty());
    EXPECT_TRUE(buttonPicture("").empty());
    EXPECT_TRUE(buttonPicture("C0").empty());
    EXPECT_TRUE(buttonPicture("C10").empty());
    EXPECT_TRUE(buttonPicture("c1").empty());
    // "T2" is the dark undo arrow, "T20" the light previous-group picture: different glyphs.
    EXPECT_NE(buttonPicture("T2").width(), buttonPicture("T20").width());
}

TEST(Pictures, EveryThemedButtonMapsToAPictureOfTheRequestedSet) {
    std::vector<std::string> buttons{"xClose2", "sbHome", "SbMonitor", "SbGroup", "SbSelect",
                                     "XiFull",  "SBUNdo", "SBTools",   "xi1"};
    for (int i = 3; i <= 9; ++i) {
        buttons.push_back("XI" + std::to_string(i));
    }
    for (const char group : std::string("ABCD")) {
        for (int i = 1; i <= 5; ++i) {
            buttons.push_back(std::string("G") + group + std::to_string(i));
        }
    }
    for (const auto& button : buttons) {
        SCOPED_TRACE(button);
        for (const PictureSet set : {PictureSet::LightBackground, PictureSet::DarkBackground}) {
            const std::string_view name = pictureNameForButton(button, set);
            EXPECT_EQ(pictureSetOf(name), set) << name;
        }
    }
    // Group minimise and restore share the window commands' pictures; the four group columns
    // share theirs; the navigation buttons each have their own.
    EXPECT_EQ(pictureNameForButton("GC1", PictureSet::LightBackground), "W6");
    EXPECT_EQ(pictureNameForButton("GD2", PictureSet::DarkBackground), "B7");
    EXPECT_EQ(pictureNameForButton("GB5", PictureSet::DarkBackground), "t16");
    std::set<std::string_view> navigation;
    for (const char* button : {"GA3", "GB3", "GC3", "GD3"}) {
        navigation.insert(pictureNameForButton(button, PictureSet::DarkBackground));
    }
    EXPECT_EQ(navigation.size(), 4U);
    EXPECT_NE(buttonPicture("D20"), buttonPicture("D21"));
    EXPECT_NE(buttonPicture("D20"), buttonPicture("d40"));
    EXPECT_TRUE(pictureNameForButton("x1", PictureSet::LightBackground).empty());
    EXPECT_TRUE(pictureNameForButton("Panel8", PictureSet::DarkBackground).empty());
}

// The cell that a fill at anchor point j covers in a fresh anchor picture.
std::vector<Point> cellOf(const Bitmap& fresh, int j) {
    Bitmap copy = fresh;
    EXPECT_TRUE(recolourAnchor(copy, j));
    std::vector<Point> cell;
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) {
            if (copy.pixel(x, y) != fresh.pixel(x, y)) {
                cell.push_back(Point{x, y});
            }
        }
    }
    return cell;
}

TEST(Pictures, AnchorPadHasNineClosedCellsInReadingOrder) {
    for (const bool darkGrid : {true, false}) {
        SCOPED_TRACE(darkGrid ? "C" : "V");
        const Bitmap fresh = anchorPicture(1, darkGrid);
        ASSERT_EQ(fresh.width(), kAnchorPictureSize);
        ASSERT_EQ(fresh.height(), kAnchorPictureSize);
        std::set<std::pair<int, int>> covered;
        std::vector<std::pair<double, double>> centres;
        for (int j = 1; j <= 9; ++j) {
            const auto cell = cellOf(fresh, j);
            // A small closed cell, not the surroundings or the strokes.
            ASSERT_GE(cell.size(), 16U) << "cell " << j;
            ASSERT_LE(cell.size(), 64U) << "cell " << j;
            double cx = 0;
            double cy = 0;
            for (const Point p : cell) {
                EXPECT_TRUE(covered.insert({p.x, p.y}).second) << "cells " << j << " overlap";
                EXPECT_EQ(fresh.pixel(p.x, p.y), kPictureTransparent);
                cx += p.x;
                cy += p.y;
            }
            centres.emplace_back(cx / static_cast<double>(cell.size()),
                                 cy / static_cast<double>(cell.size()));
        }
        // Cell j is at column (j - 1) % 3, row (j - 1) / 3 of the pad.
        for (int j = 0; j < 9; ++j) {
            for (int i = 0; i < 9; ++i) {
                const auto [xj, yj] = centres[static_cast<std::size_t>(j)];
                const auto [xi, yi] = centres[static_cast<std::size_t>(i)];
                if (j % 3 < i % 3) {
                    EXPECT_LT(xj, xi) << j + 1 << " left of " << i + 1;
                }
                if (j / 3 < i / 3) {
                    EXPECT_LT(yj, yi) << j + 1 << " above " << i + 1;
                }
            }
        }
    }
}

TEST(Pictures, RecolouringMarksExactlyTheOwnCellOfEachAnchorPicture) {
    for (const bool darkGrid : {true, false}) {
        for (int k = 1; k <= 9; ++k) {
            SCOPED_TRACE(std::string(darkGrid ? "C" : "V") + std::to_string(k));
            const Bitmap fresh = anchorPicture(k, darkGrid);
            EXPECT_EQ(buttonPicture(std::string(darkGrid ? "C" : "V") + std::to_string(k)), fresh);
            const auto expectedCell = cellOf(fresh, k);
            Bitmap picture = fresh;
            ASSERT_TRUE(recolourAnchor(picture, k));
            EXPECT_EQ(countOf(picture, kAnchorMark), static_cast<int>(expectedCell.size()));
            for (const Point p : expectedCell) {
                EXPECT_EQ(picture.pixel(p.x, p.y), kAnchorMark);
            }
            EXPECT_EQ(picture.pixel(0, 0), kPictureTransparent) << "the fill leaked out of the pad";
            // The theming pass runs at every activation: a second pass changes nothing.
            const Bitmap once = picture;
            ASSERT_TRUE(recolourAnchor(picture, k));
            EXPECT_EQ(picture, once);
        }
    }
}

TEST(Pictures, AnchorSetsDifferAndBadIndicesAreRefused) {
    for (int k = 1; k <= 9; ++k) {
        EXPECT_NE(anchorPicture(k, true), anchorPicture(k, false));
        EXPECT_EQ(strokeMask(anchorPicture(k, true)), strokeMask(anchorPicture(k, false)));
    }
    for (const int k : {0, -1, 10}) {
        EXPECT_TRUE(anchorPicture(k, true).empty());
        EXPECT_FALSE(anchorMarkPoint(k).has_value());
        Bitmap picture = anchorPicture(5, true);
        const Bitmap before = picture;
        EXPECT_FALSE(recolourAnchor(picture, k));
        EXPECT_EQ(picture, before);
    }
    // A picture too small for the point is left alone rather than filled somewhere else.
    Bitmap tiny(10, 10, kPictureTransparent);
    EXPECT_FALSE(recolourAnchor(tiny, 9));
    EXPECT_EQ(countOf(tiny, kPictureTransparent), 100);
}

TEST(Pictures, PinPicturesAreAGlyphOnPureBlue) {
    const Bitmap pinned = pinPicture(true);
    const Bitmap unpinned = pinPicture(false);
    EXPECT_NE(pinned, unpinned);
    for (const Bitmap* picture : {&pinned, &unpinned}) {
        ASSERT_EQ(picture->width(), kPinPictureSize);
        ASSERT_EQ(picture->height(), kPinPictureSize);
        EXPECT_EQ(kPinTransparent, Colour::rgb(0, 0, 255));
        for (const Point corner : {Point{0, 0}, Point{19, 0}, Point{0, 19}, Point{19, 19}}) {
            EXPECT_EQ(picture->pixel(corner.x, corner.y), kPinTransparent);
        }
        const int blue = countOf(*picture, kPinTransparent);
        EXPECT_GT(kPinPictureSize * kPinPictureSize - blue, 50);
        EXPECT_GT(blue, 200);
        // The glyph keeps a dark outline so it shows on any window it is painted over.
        int dark = 0;
        for (const auto value : picture->pixels()) {
            dark += value != kPinTransparent.value && brightness(Colour{value}) < 90 ? 1 : 0;
        }
        EXPECT_GT(dark, 20);
    }
}

TEST(Pictures, StatusPictures) {
    const Colour background = Colour::rgb(12, 34, 56);
    const Bitmap idle = idleStatusPicture(background);
    EXPECT_EQ(idle.width(), kStatusPictureSize);
    EXPECT_EQ(idle.height(), kStatusPictureSize);
    EXPECT_EQ(countOf(idle, background), kStatusPictureSize * kStatusPictureSize);

    const Bitmap desktop = desktopPicture();
    EXPECT_EQ(desktop.width(), kStatusPictureSize);
    EXPECT_EQ(desktop.height(), kStatusPictureSize);
    const int transparent = countOf(desktop, kPictureTransparent);
    EXPECT_GT(transparent, 0);
    EXPECT_GT(kStatusPictureSize * kStatusPictureSize - transparent, 500);
}

} // namespace
} // namespace cellaro
