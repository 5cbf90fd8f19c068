// The working window's pictures at other display scales: drawn at the physical size, in their own
// colours only, with strokes of one whole width along their length, anchor marks in the right
// cell; and at 96 DPI the very pixels drawn before pictures could scale.
#include "logic/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {
namespace {

constexpr std::array<int, 4> kScaledDpis{120, 144, 168, 192};

std::set<std::uint32_t> coloursOf(const Bitmap& picture) {
    return {picture.pixels().begin(), picture.pixels().end()};
}

std::vector<bool> strokeMask(const Bitmap& picture) {
    std::vector<bool> mask;
    for (const auto value : picture.pixels()) {
        mask.push_back(value != kPictureTransparent.value);
    }
    return mask;
}

// The lengths of the drawn runs (pixels other than `transparent`) along one row or column.
std::vector<int> runLengths(const Bitmap& picture, bool alongRow, int line, Colour transparent) {
    std::vector<int> runs;
    const int length = alongRow ? picture.width() : picture.height();
    int run = 0;
    for (int i = 0; i <= length; ++i) {
        const bool drawn =
            i < length && (alongRow ? picture.pixel(i, line) : picture.pixel(line, i)) != transparent;
        if (drawn) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

std::string describe(const std::vector<int>& runs) {
    std::string text;
    for (const int run : runs) {
        text += std::to_string(run) + " ";
    }
    return text;
}

TEST(PicturesAtAScale, EveryPictureIsDrawnAtThePhysicalSizeInItsOwnColours) {
    std::vector<std::string> names(buttonPictureNames().begin(), buttonPictureNames().end());
    for (const char prefix : {'C', 'V'}) {
        for (int k = 1; k <= 9; ++k) {
            names.push_back(std::string(1, prefix) + std::to_string(k));
        }
    }
    for (const int dpi : kScaledDpis) {
        for (const std::string& name : names) {
            SCOPED_TRACE(name + " at " + std::to_string(dpi));
            const Bitmap base = buttonPicture(name);
            const Bitmap scaled = buttonPicture(name, dpi);
            ASSERT_EQ(scaled.width(), Scale{dpi}.physical(base.width()));
            ASSERT_EQ(scaled.height(), Scale{dpi}.physical(base.height()));
            // Nothing blended in, nothing lost.
            EXPECT_EQ(coloursOf(scaled), coloursOf(base));
        }
    }
}

TEST(PicturesAtAScale, BothSetsDrawOneShapeCentredLeftToRight) {
    for (const int dpi : kScaledDpis) {
        for (int index = 0; index <= static_cast<int>(Glyph::BringGroupToFront); ++index) {
            const auto glyph = static_cast<Glyph>(index);
            SCOPED_TRACE("glyph " + std::to_string(index) + " at " + std::to_string(dpi));
            const Bitmap picture = drawGlyph(glyph, PictureSet::LightBackground, dpi);
            EXPECT_EQ(strokeMask(drawGlyph(glyph, PictureSet::DarkBackground, dpi)), strokeMask(picture));
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
            // Centred within a 96-DPI pixel, which is a stroke's width at this scale.
            EXPECT_LE(std::abs(left - (picture.width() - 1 - right)), PictureLayout(1, dpi).strokeWidth(1));
        }
    }
}

// Strokes crossed by a scan line: every line the scan runs along, between `from` and `to` (96-DPI
// pixels, kept one physical pixel clear of both), crosses strokes of these 96-DPI widths, each
// exactly as wide as that width scaled and rounded. A stretched picture fails at 1.5 x, where
// one-pixel strokes become one or two pixels wide.
struct StrokeCase {
    std::string name;
    std::function<Bitmap(int)> draw;
    Colour transparent;
    bool alongRows; // scan along rows (vertical strokes) or along columns (horizontal strokes)
    int from;
    int to;
    std::vector<int> widths;
};

Bitmap glyphAt(Glyph glyph, int dpi) {
    return drawGlyph(glyph, PictureSet::LightBackground, dpi);
}

std::vector<StrokeCase> strokeCases() {
    const auto glyph = [](Glyph g) { return [g](int dpi) { return glyphAt(g, dpi); }; };
    const auto anchor = [](int dpi) { return anchorPicture(5, true, dpi); };
    return {
        // The grid's lines, between the lines across them.
        {"gridVerticalLines", glyph(Glyph::Grid), kPictureTransparent, true, 1, 5, {1, 1, 1, 1}},
        {"gridHorizontalLines", glyph(Glyph::Grid), kPictureTransparent, false, 11, 15, {1, 1, 1, 1}},
        {"minimiseBar", glyph(Glyph::Minimise), kPictureTransparent, false, 4, 16, {2}},
        // A window: two-pixel title bar and one-pixel outline.
        {"maximiseTitleAndFoot", glyph(Glyph::Maximise), kPictureTransparent, false, 4, 16, {2, 1}},
        {"maximiseSides", glyph(Glyph::Maximise), kPictureTransparent, true, 5, 16, {1, 1}},
        {"tileSides", glyph(Glyph::Tile), kPictureTransparent, true, 4, 8, {1, 1, 1, 1}},
        {"undoShaftAndFoot", glyph(Glyph::Undo), kPictureTransparent, false, 7, 9, {2, 2}},
        {"stayOnTopNeedle", glyph(Glyph::StayOnTop), kPictureTransparent, true, 12, 19, {2}},
        {"showGroupOnly", glyph(Glyph::ShowGroupOnly), kPictureTransparent, false, 5, 8, {2, 1, 2}},
        // The anchor pad: outer walls twice as thick as the inner ones.
        {"anchorPadRows", anchor, kPictureTransparent, true, 10, 16, {2, 1, 1, 2}},
        {"anchorPadColumns", anchor, kPictureTransparent, false, 24, 30, {2, 1, 1, 2}},
    };
}

TEST(PicturesAtAScale, StrokesHaveOneScaledWidthAlongTheirLength) {
    for (const StrokeCase& c : strokeCases()) {
        for (const int dpi : {96, 120, 144, 168, 192, 240}) {
            SCOPED_TRACE(c.name + " at " + std::to_string(dpi));
            const PictureLayout layout(1, dpi);
            std::vector<int> expected;
            for (const int width : c.widths) {
                expected.push_back(layout.strokeWidth(width));
            }
            const Bitmap picture = c.draw(dpi);
            const int first = layout.edge(c.from) + (dpi == kBaseDpi ? 0 : 1);
            const int last = layout.edge(c.to) - (dpi == kBaseDpi ? 0 : 1);
            for (int line = first; line < last; ++line) {
                const auto runs = runLengths(picture, c.alongRows, line, c.transparent);
                ASSERT_EQ(runs, expected) << "line " << line << ": " << describe(runs);
            }
        }
    }
}

TEST(PicturesAtAScale, StrokeLayoutKeepsWidthsWholeAndStrokesInside) {
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE(dpi);
        const PictureLayout layout(kStripPictureSize, dpi);
        const double factor = dpi / 96.0;
        for (const int width : {1, 2, 3}) {
            const int physical = layout.strokeWidth(width);
            EXPECT_GE(physical, 1);
            EXPECT_LE(std::abs(physical - width * factor), 0.5);
            for (int from = 0; from + width <= kStripPictureSize; ++from) {
                const int start = layout.strokeStart(from, width);
                EXPECT_GE(start, 0);
                EXPECT_LE(start + physical, layout.size());
                // Its middle stays within a pixel of the scaled middle.
                EXPECT_LE(std::abs(start + physical / 2.0 - (from + width / 2.0) * factor), 1.0) << from;
            }
        }
    }
}

// The area a fill at anchor point j covers in a fresh anchor picture drawn at a DPI.
std::vector<Point> markedCell(const Bitmap& fresh, int j, int dpi) {
    Bitmap copy = fresh;
    EXPECT_TRUE(recolourAnchor(copy, j, dpi));
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

TEST(PicturesAtAScale, AnchorMarkFillsTheOwnCellAtEveryScale) {
    for (const int dpi : {96, 110, 120, 144, 168, 192, 240}) {
        for (const bool darkGrid : {true, false}) {
            SCOPED_TRACE(std::string(darkGrid ? "C" : "V") + " at " + std::to_string(dpi));
            const double factor = dpi / 96.0;
            const int cellSide = static_cast<int>(6 * factor);
            std::set<std::pair<int, int>> covered;
            for (int k = 1; k <= 9; ++k) {
                SCOPED_TRACE(k);
                const Bitmap fresh = anchorPicture(k, darkGrid, dpi);
                const auto cell = markedCell(fresh, k, dpi);
                // One closed cell of the pad: about six pixels square, scaled, not the outside.
                ASSERT_GE(cell.size(), static_cast<std::size_t>((cellSide - 1) * (cellSide - 1)));
                ASSERT_LE(cell.size(), static_cast<std::size_t>((cellSide + 2) * (cellSide + 2)));
                double cx = 0;
                double cy = 0;
                for (const Point p : cell) {
                    EXPECT_TRUE(covered.insert({p.x, p.y}).second) << "marked cells overlap";
                    cx += p.x;
                    cy += p.y;
                }
                cx /= static_cast<double>(cell.size());
                cy /= static_cast<double>(cell.size());
                // Cell k is column (k - 1) % 3 and row (k - 1) / 3 of the pad, which spans 8..32.
                const double third = 8.0 * factor;
                EXPECT_EQ(static_cast<int>((cx - 8.0 * factor) / third), (k - 1) % 3);
                EXPECT_EQ(static_cast<int>((cy - 8.0 * factor) / third), (k - 1) / 3);
                // Recoloured once and again: the mark alone, and no more.
                Bitmap picture = fresh;
                ASSERT_TRUE(recolourAnchor(picture, k, dpi));
                const Bitmap once = picture;
                ASSERT_TRUE(recolourAnchor(picture, k, dpi));
                EXPECT_EQ(picture, once);
                EXPECT_EQ(std::count(picture.pixels().begin(), picture.pixels().end(), kAnchorMark.value),
                          static_cast<std::ptrdiff_t>(cell.size()));
            }
        }
    }
}

TEST(PicturesAtAScale, PinPicturesKeepAnOutlineOneStrokeWide) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const PictureLayout layout(kPinPictureSize, dpi);
        for (const bool pinned : {true, false}) {
            const Bitmap picture = pinPicture(pinned, dpi);
            ASSERT_EQ(picture.width(), layout.size());
            ASSERT_EQ(picture.height(), layout.size());
            EXPECT_EQ(coloursOf(picture), coloursOf(pinPicture(pinned)));
            const int last = layout.size() - 1;
            for (const Point corner : {Point{0, 0}, Point{last, 0}, Point{0, last}, Point{last, last}}) {
                EXPECT_EQ(picture.pixel(corner.x, corner.y), kPinTransparent);
            }
        }
        // Across the upright pin's body (7.5 to 12.5, rows 3.5 to 9): outline, body, outline.
        const Bitmap pinned = pinPicture(true, dpi);
        const auto colours = coloursOf(pinned);
        // The darker of the pin's two colours.
        std::vector<std::uint32_t> pin;
        std::copy_if(colours.begin(), colours.end(), std::back_inserter(pin),
                     [](std::uint32_t value) { return value != kPinTransparent.value; });
        ASSERT_EQ(pin.size(), 2U);
        const Colour outline{Colour{pin[0]}.red() < Colour{pin[1]}.red() ? pin[0] : pin[1]};
        for (int y = layout.edge(5); y < layout.edge(8); ++y) {
            std::vector<int> outlineRuns;
            int run = 0;
            for (int x = 0; x <= pinned.width(); ++x) {
                if (x < pinned.width() && pinned.pixel(x, y) == outline) {
                    ++run;
                } else if (run > 0) {
                    outlineRuns.push_back(run);
                    run = 0;
                }
            }
            EXPECT_EQ(outlineRuns, (std::vector<int>(2, layout.strokeWidth(1)))) << "row " << y;
        }
    }
}

TEST(PicturesAtAScale, StatusPictures) {
    const Colour background = Colour::rgb(12, 34, 56);
    for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        const PictureLayout layout(kStatusPictureSize, dpi);
        const Bitmap idle = idleStatusPicture(background, dpi);
        EXPECT_EQ(idle, Bitmap(layout.size(), layout.size(), background));

        const Bitmap desktop = desktopPicture(dpi);
        ASSERT_EQ(desktop.width(), layout.size());
        EXPECT_EQ(coloursOf(desktop), coloursOf(desktopPicture()));
        // The monitor's rim: one stroke of the rim colour, then the bezel, down the middle.
        const Colour rim = desktopPicture().pixel(16, 3);
        const Colour bezel = desktopPicture().pixel(16, 4);
        const int middle = layout.size() / 2;
        const int top = layout.edge(3);
        const int width = layout.strokeWidth(1);
        EXPECT_NE(desktop.pixel(middle, top - 1), rim);
        for (int y = top; y < top + width; ++y) {
            EXPECT_EQ(desktop.pixel(middle, y), rim) << y;
        }
        EXPECT_EQ(desktop.pixel(middle, top + width), bezel);
    }
}

// Pictures at 96 DPI as they were drawn before pictures could scale ('#' drawn, '.' transparent).
struct Known {
    std::string_view name;
    std::vector<std::string_view> rows;
};

const std::vector<Known> kKnownPictures{
    {"D2",
     {"................", ".....#..........", "....##..........", "..####..........", ".###########....",
      ".############...", "..####.....###..", "....##......##..", ".....#......###.", "............##..",
      "...........###..", "....#########...", "....########....", "................", "................",
      "................"}},
    {"D4",
     {"................", "................", "................", "...##......##...", "...###....###...",
      "....###..###....", ".....######.....", "......####......", "......####......", ".....######.....",
      "....###..###....", "...###....###...", "...##......##...", "................", "................",
      "................"}},
    {"w4", {"....................", "....................", "....................", "...##############...",
            "...##############...", "...#######.#.#.##...", "...########.#.###...", "...#######.#.#.##...",
            "...########.#.###...", "...#######.#.#.##...", "...########.#.###...", "...#######.#.#.##...",
            "...########.#.###...", "...#######.#.#.##...", "...########.#.###...", "...##############...",
            "...##############...", "....................", "....................", "...................."}},
};

TEST(PicturesAtAScale, NinetySixDpiDrawsThePixelsItAlwaysDrew) {
    for (const auto& [name, rows] : kKnownPictures) {
        SCOPED_TRACE(std::string(name));
        const Bitmap picture = buttonPicture(name, kBaseDpi);
        ASSERT_EQ(picture.height(), static_cast<int>(rows.size()));
        for (int y = 0; y < picture.height(); ++y) {
            std::string row;
            for (int x = 0; x < picture.width(); ++x) {
                row += picture.pixel(x, y) == kPictureTransparent ? '.' : '#';
            }
            EXPECT_EQ(row, rows[static_cast<std::size_t>(y)]) << "row " << y;
        }
    }
}

} // namespace
} // namespace cellaro
