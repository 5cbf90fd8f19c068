// Grid geometry: monitor indices, cell lookup and the mapping of ranges onto monitors.
#include "logic/grid_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace cellaro {
namespace {

Monitor monitorAt(int left, int top, int width, int height, int taskBar = 0) {
    const Rect bounds = Rect::fromBounds(left, top, width, height);
    return Monitor{bounds, Rect{bounds.left, bounds.top, bounds.right, bounds.bottom - taskBar},
                   left == 0 && top == 0};
}

TEST(MonitorIndex, ThePointsMonitorOnEveryLayoutElseTheNearest) {
    // Primary 1920 wide at the origin, one to its left at negative coordinates, one to its right,
    // and one below the primary (a laptop under an external screen).
    const std::vector<Monitor> monitors{monitorAt(0, 0, 1920, 1080), monitorAt(-1280, 0, 1280, 1024),
                                        monitorAt(1920, 0, 1280, 1024), monitorAt(0, 1080, 1366, 768)};
    struct Case {
        Point point;
        int expected;
    };
    for (const Case c : {Case{{960, 500}, 0}, Case{{0, 0}, 0}, Case{{-1, 0}, 1}, Case{{-1280, 1023}, 1},
                         Case{{1919, 1079}, 0}, Case{{1920, 0}, 2}, Case{{3199, 1023}, 2},
                         // Below the primary, by the vertical position alone.
                         Case{{500, 1080}, 3}, Case{{500, 1847}, 3}, Case{{500, 1079}, 0},
                         // Off every monitor: the nearest one.
                         Case{{-5000, 10}, 1}, Case{{3300, 500}, 2}, Case{{1600, 1500}, 3},
                         Case{{500, -3000}, 0}, Case{{2500, 1050}, 2}}) {
        EXPECT_EQ(monitorIndexAt(c.point, monitors), c.expected) << "at " << c.point.x << "," << c.point.y;
    }
}

TEST(MonitorIndex, SingleMonitorAlwaysZeroAndEmptyListIsZero) {
    const std::vector<Monitor> one{monitorAt(0, 0, 1920, 1080)};
    for (const int x : {-100000, -1, 0, 1, 960, 1919, 1920, 100000}) {
        EXPECT_EQ(monitorIndexAt(Point{x, x}, one), 0);
    }
    EXPECT_EQ(monitorIndexAt(Point{10, 10}, {}), 0);
}

TEST(MonitorIndex, LastContainingMonitorWinsWhenMonitorsOverlap) {
    // Mirrored displays report the same rectangle twice: the later one in enumeration order wins.
    const std::vector<Monitor> mirrored{monitorAt(0, 0, 1920, 1080), monitorAt(0, 0, 1920, 1080)};
    EXPECT_EQ(monitorIndexAt(Point{500, 500}, mirrored), 1);
}

TEST(MonitorIndex, WindowCentresUseTheirOwnHalvingRules) {
    const std::vector<Monitor> monitors{monitorAt(0, 0, 1920, 1080), monitorAt(1920, 0, 1280, 1024)};
    EXPECT_EQ(monitorIndexOfWindow(Rect{1820, 0, 2018, 100}, monitors), 0);
    EXPECT_EQ(monitorIndexOfWindow(Rect{1820, 0, 2020, 100}, monitors), 1); // centre on the second's edge
    // (left + right) div 2 and left + width div 2 truncate differently for negative sums.
    const std::vector<Monitor> left{monitorAt(-2, 0, 2, 10), monitorAt(-10, 0, 8, 10)};
    EXPECT_EQ(monitorIndexOfWindow(Rect{-5, 0, 0, 10}, left), 0);       // (-5) / 2 = -2 -> first
    EXPECT_EQ(monitorIndexOfLeftAndWidth(Rect{-5, 0, 0, 10}, left), 1); // -5 + 2 = -3 -> second
    // A window parked far above the screens belongs to the monitor under it.
    const std::vector<Monitor> stacked{monitorAt(0, 0, 1920, 1080), monitorAt(0, 1080, 1920, 1080)};
    EXPECT_EQ(monitorIndexOfLeftAndWidth(Rect::fromBounds(800, -1000, 335, 267), stacked), 0);
    EXPECT_EQ(monitorIndexOfLeftAndWidth(Rect::fromBounds(800, 1500, 335, 267), stacked), 1);
}

TEST(CellTable, SizesAndCountsForEveryGridFrom1x1To10x10) {
    for (int columns = 1; columns <= 10; ++columns) {
        for (int rows = 1; rows <= 10; ++rows) {
            const CellTable table = CellTable::build(Size{320, 195}, columns, rows);
            ASSERT_EQ(table.cells().size(), static_cast<std::size_t>(columns * rows));
            ASSERT_EQ(table.rowTops().size(), static_cast<std::size_t>(rows));
            const int bw = 320 / columns;
            const int bh = 195 / rows;
            for (std::size_t k = 0; k < table.cells().size(); ++k) {
                const Cell& cell = table.cells()[k];
                const int c = static_cast<int>(k) % columns;
                const int r = static_cast<int>(k) / columns;
                ASSERT_EQ(cell, (Cell{c, r, Rect{c * bw, r * bh, c * bw + bw, r * bh + bh}}));
            }
            // Every board pixel maps to a cell inside the grid.
            for (int x = -3; x < 325; ++x) {
                const int column = table.columnAt(x);
                ASSERT_GE(column, 0);
                ASSERT_LT(column, columns);
            }
            for (int y = -3; y < 200; ++y) {
                const int row = table.rowAt(y);
                ASSERT_GE(row, 0);
                ASSERT_LT(row, rows);
            }
        }
    }
    const CellTable single = CellTable::build(Size{320, 195}, 1, 1);
    EXPECT_EQ(single.cells().front().board, (Rect{0, 0, 320, 195}));
}

TEST(CellTable, LookupInsideCellsOnGridLinesAndInTheTruncationStrip) {
    const CellTable table = CellTable::build(Size{320, 195}, 6, 6);
    ASSERT_EQ(table.cellWidth(), 53);
    ASSERT_EQ(table.cellHeight(), 32);
    struct Case {
        int x;
        int column;
    };
    // Inside cells; on the grid line 53 (nearest: the cell it starts); the outer edge 0; the strip
    // 318..319 beyond 6 x 53 and positions off the board snap to the nearest cell.
    for (const Case c : {Case{1, 0}, Case{52, 0}, Case{53, 1}, Case{54, 1}, Case{0, 0}, Case{106, 2},
                         Case{317, 5}, Case{318, 5}, Case{319, 5}, Case{400, 5}, Case{-20, 0}}) {
        EXPECT_EQ(table.columnAt(c.x), c.column) << "x = " << c.x;
    }
    EXPECT_EQ(table.rowAt(31), 0);
    EXPECT_EQ(table.rowAt(32), 1);
    EXPECT_EQ(table.rowAt(192), 5);
    EXPECT_EQ(table.rowAt(194), 5);
}

TEST(CellTable, ABoardNarrowerThanItsColumnsStillAnswers) {
    const CellTable table = CellTable::build(Size{5, 5}, 10, 10);
    EXPECT_EQ(table.cellWidth(), 0);
    EXPECT_EQ(table.columnAt(3), 0);
    EXPECT_EQ(table.rowAt(3), 0);
}

TEST(CellRange, NormalisationAndMembership) {
    const CellRange forward{{1, 0}, {4, 3}};
    const CellRange backward{{4, 3}, {1, 0}};
    for (const CellRange& r : {forward, backward}) {
        EXPECT_EQ(r.minColumn(), 1);
        EXPECT_EQ(r.maxColumn(), 4);
        EXPECT_EQ(r.minRow(), 0);
        EXPECT_EQ(r.maxRow(), 3);
        EXPECT_TRUE(r.contains(1, 0));
        EXPECT_TRUE(r.contains(4, 3));
        EXPECT_FALSE(r.contains(0, 0));
        EXPECT_FALSE(r.contains(5, 3));
        EXPECT_FALSE(r.contains(2, 4));
    }
    const CellRange cleared = CellRange::cleared();
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 10; ++r) {
            EXPECT_FALSE(cleared.contains(c, r));
        }
    }
}

TEST(Rounding, HalvesGoToEven) {
    struct Case {
        int numerator;
        int denominator;
        int expected;
    };
    for (const Case c :
         {Case{1920, 6, 320}, Case{5, 2, 2}, Case{7, 2, 4}, Case{1280, 3, 427}, Case{1366, 4, 342},
          Case{1362, 4, 340}, Case{1, 2, 0}, Case{3, 2, 2}, Case{-5, 2, -2}, Case{-7, 2, -4}}) {
        EXPECT_EQ(divideRoundHalfEven(c.numerator, c.denominator), c.expected)
            << c.numerator << " / " << c.denominator;
    }
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(RangeMapping, CompactModeOnA1920x1080MonitorWithATaskBar) {
    const GridMapping mapping{monitorAt(0, 0, 1920, 1080, 40), 6, 6, true};
    EXPECT_EQ(mapping.cellWidth(), 320);
    EXPECT_EQ(mapping.cellHeight(), 173);
    EXPECT_EQ(compactRangeRect(CellRange{{2, 1}, {3, 1}}, mapping), Rect::fromBounds(640, 173, 640, 173));
    EXPECT_EQ(compactRangeRect(CellRange{{3, 1}, {2, 1}}, mapping), Rect::fromBounds(640, 173, 640, 173));
    EXPECT_EQ(compactRangeRect(CellRange{{0, 0}, {5, 5}}, mapping), Rect::fromBounds(0, 0, 1920, 1038));
    // Without a target the range collapses to its first cell.
    GridMapping noTarget = mapping;
    noTarget.hasTarget = false;
    EXPECT_EQ(compactRangeRect(CellRange{{4, 3}, {1, 0}}, noTarget), Rect::fromBounds(320, 0, 320, 173));
}

TEST(RangeMapping, CompactModeOnASecondMonitorAndAtNegativeCoordinates) {
    const GridMapping right{monitorAt(1920, 0, 1280, 1024), 3, 4, true};
    // 1280 / 3 = 426.67 -> 427; 1024 / 4 = 256.
    EXPECT_EQ(compactRangeRect(CellRange{{1, 1}, {2, 2}}, right),
              Rect::fromBounds(1920 + 427, 256, 854, 512));
    const GridMapping left{monitorAt(-1280, -200, 1280, 1024, 30), 2, 2, true};
    EXPECT_EQ(compactRangeRect(CellRange{{1, 1}, {1, 1}}, left),
              Rect::fromBounds(-640, -200 + 497, 640, 497));
}

TEST(RangeMapping, FullScreenModeTakesOriginsFromTheBoard) {
    const GridMapping mapping{monitorAt(1920, 0, 1280, 1024), 10, 10, true};
    const CellTable board = CellTable::build(Size{1280, 1000}, 10, 10);
    const Rect rect = fullScreenRangeRect(CellRange{{3, 2}, {4, 5}}, mapping, board, Point{0, 12});
    EXPECT_EQ(rect, Rect::fromBounds(1920 + 3 * 128, 12 + 2 * 100, 2 * 128, 4 * 102));
}

} // namespace
} // namespace cellaro
