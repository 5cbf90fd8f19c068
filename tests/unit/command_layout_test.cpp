// The window commands' layout maths: anchor positions, the tiling grid and tiles, and where the
// move to the next monitor puts a window.
#include "logic/command_layout.h"

#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

#include <vector>

namespace cellaro {
namespace {

using sim::SimDesktop;

Monitor monitor(int left, int top, int width, int height, int taskBar = 0) {
    return SimDesktop::makeMonitor(left, top, width, height, taskBar, left == 0 && top == 0);
}

TEST(AnchorLayout, EveryAnchorPlacesA400By300WindowOnAMonitorAtLeft1920) {
    const std::vector<Monitor> monitors{monitor(0, 0, 1920, 1080, 40), monitor(1920, 0, 1920, 1080, 40)};
    using C = AnchorColumn;
    using R = AnchorRow;
    struct Case {
        Anchor anchor;
        Point at;
    };
    for (const Case& c : {Case{{C::Left, R::Top}, {1920, 0}}, Case{{C::Centre, R::Top}, {2680, 0}},
                          Case{{C::Right, R::Top}, {3440, 0}}, Case{{C::Left, R::Middle}, {1920, 370}},
                          Case{{C::Centre, R::Middle}, {2680, 370}}, Case{{C::Right, R::Middle}, {3440, 370}},
                          Case{{C::Left, R::Bottom}, {1920, 740}}, Case{{C::Centre, R::Bottom}, {2680, 740}},
                          Case{{C::Right, R::Bottom}, {3440, 740}}}) {
        EXPECT_EQ(anchorPosition(c.anchor, Size{400, 300}, monitors, 1), c.at);
    }
}

TEST(AnchorLayout, EveryMonitorMeasuresFromItsOwnEdgesWhereverItLies) {
    // The primary first, with a monitor left of it at negative coordinates; and a primary that does
    // not start at 0.
    struct Case {
        std::vector<Monitor> monitors;
        int index;
        Point topCentre;
        Point topRight;
    };
    const std::vector<Case> cases{
        {{monitor(0, 0, 1920, 1080), monitor(-1280, 0, 1280, 1024)}, 0, {760, 0}, {1520, 0}},
        {{monitor(0, 0, 1920, 1080), monitor(-1280, 0, 1280, 1024)}, 1, {-840, 0}, {-400, 0}},
        {{monitor(500, 0, 1920, 1080), monitor(2420, 0, 1280, 1024)}, 0, {1260, 0}, {2020, 0}},
        {{monitor(0, 0, 1920, 1080), monitor(0, -1024, 1280, 1024)}, 1, {440, -1024}, {880, -1024}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(anchorPosition({AnchorColumn::Centre, AnchorRow::Top}, Size{400, 300}, c.monitors, c.index),
                  c.topCentre);
        EXPECT_EQ(anchorPosition({AnchorColumn::Right, AnchorRow::Top}, Size{400, 300}, c.monitors, c.index),
                  c.topRight);
    }
}

TEST(AnchorLayout, RowsCountFromAMonitorsTopWhereItIsNotZero) {
    // A 1280 x 1024 monitor below the first one, with a 40-pixel task bar.
    const std::vector<Monitor> monitors{monitor(0, 0, 1920, 1080), monitor(0, 1080, 1280, 1024, 40)};
    EXPECT_EQ(anchorPosition({AnchorColumn::Left, AnchorRow::Top}, Size{400, 300}, monitors, 1),
              (Point{0, 1080}));
    EXPECT_EQ(anchorPosition({AnchorColumn::Left, AnchorRow::Middle}, Size{400, 300}, monitors, 1),
              (Point{0, 1080 + 984 / 2 - 150}));
    EXPECT_EQ(anchorPosition({AnchorColumn::Right, AnchorRow::Bottom}, Size{400, 300}, monitors, 1),
              (Point{880, 2064 - 300}));
}

TEST(TileLayout, RowsAndColumnsCoverEveryWindow) {
    struct Case {
        int n;
        TileGrid grid;
    };
    for (const Case& c :
         {Case{0, {0, 0}},  Case{1, {1, 1}},  Case{2, {2, 1}},  Case{3, {3, 1}},  Case{4, {2, 2}},
          Case{5, {3, 2}},  Case{6, {3, 2}},  Case{7, {4, 2}},  Case{8, {4, 2}},  Case{9, {3, 3}},
          Case{10, {4, 3}}, Case{11, {4, 3}}, Case{12, {4, 3}}, Case{13, {5, 3}}, Case{15, {5, 3}},
          Case{16, {4, 4}}, Case{17, {5, 4}}, Case{20, {5, 4}}, Case{26, {6, 5}}, Case{27, {6, 5}}}) {
        const TileGrid grid = tileGrid(c.n);
        EXPECT_EQ(grid, c.grid) << c.n;
        EXPECT_GE(grid.rows * grid.columns, c.n) << c.n;
    }
}

TEST(TileLayout, TwoWindowsStackInOneColumnOnePixelInFromTheLeft) {
    const Monitor first = monitor(0, 0, 1920, 1080, 40);
    EXPECT_EQ(tileRects(2, first),
              (std::vector<Rect>{Rect::fromBounds(1, 0, 1920, 520), Rect::fromBounds(1, 520, 1920, 520)}));
}

TEST(TileLayout, TenWindowsFillThreeColumnsOfFourRowsOnTheMonitor) {
    const Monitor second = monitor(1920, 0, 1280, 1024);
    const std::vector<Rect> tiles = tileRects(10, second);
    ASSERT_EQ(tiles.size(), 10U);
    const int width = 1280 / 3;
    EXPECT_EQ(tiles[0], Rect::fromBounds(1921, 0, width, 256));
    EXPECT_EQ(tiles[3], Rect::fromBounds(1921, 768, width, 256));
    EXPECT_EQ(tiles[4], Rect::fromBounds(1921 + width + 1, 0, width, 256));
    EXPECT_EQ(tiles[8], Rect::fromBounds(1921 + 2 * (width + 1), 0, width, 256));
    EXPECT_EQ(tiles[9], Rect::fromBounds(1921 + 2 * (width + 1), 256, width, 256));
}

TEST(TileLayout, EveryTileOfAnyCountStaysOnTheMonitor) {
    for (const Monitor& m : {monitor(0, 0, 1920, 1080, 40), monitor(-1280, 200, 1280, 1024, 30)}) {
        for (int n = 2; n <= 40; ++n) {
            for (const Rect& tile : tileRects(n, m)) {
                // The one-pixel gaps may push the last column's right edge one pixel per column
                // past a width that divides evenly, as they always have; never a column's left.
                EXPECT_GE(tile.left, m.bounds.left) << n;
                EXPECT_LT(tile.left, m.bounds.right) << n;
                EXPECT_LE(tile.right, m.bounds.right + tileGrid(n).columns) << n;
                EXPECT_GE(tile.top, m.bounds.top) << n;
                EXPECT_LE(tile.bottom, m.workArea.bottom) << n;
            }
        }
    }
}

TEST(TileLayout, SeventeenWindowsUseFourColumnsOfFiveRows) {
    const std::vector<Rect> tiles = tileRects(17, monitor(0, 0, 1920, 1080, 40));
    ASSERT_EQ(tiles.size(), 17U);
    EXPECT_EQ(tiles[16], Rect::fromBounds(1 + 3 * 481, 208, 480, 208));
}

struct NextCase {
    const char* what;
    std::vector<Monitor> monitors;
    Rect window;
    Rect expected;
};

TEST(NextMonitorLayout, KeepsTheOffsetAndPullsBackWhereItLandsOffTheDesktop) {
    const std::vector<Monitor> twin{monitor(0, 0, 1920, 1080), monitor(1920, 0, 1920, 1080)};
    const std::vector<Monitor> rig{monitor(0, 0, 1920, 1080), monitor(1920, 0, 1280, 1024)};
    const std::vector<NextCase> cases{
        {"there", twin, Rect::fromBounds(100, 50, 800, 600), Rect::fromBounds(2020, 50, 800, 600)},
        {"and back", twin, Rect::fromBounds(2020, 50, 800, 600), Rect::fromBounds(100, 50, 800, 600)},
        {"near the bottom", twin, Rect::fromBounds(100, 1060, 800, 600),
         Rect::fromBounds(2020, 540, 800, 600)},
        {"just above the bottom margin", twin, Rect::fromBounds(100, 1050, 800, 600),
         Rect::fromBounds(2020, 1050, 800, 600)},
        {"hanging off the last monitor's left", twin, Rect::fromBounds(1900, 50, 800, 600),
         Rect::fromBounds(1, 50, 800, 600)},
        // Its middle lands past the desktop's right edge, so on no monitor: back to the first.
        {"past the desktop's right", rig, Rect::fromBounds(1500, 50, 300, 200),
         Rect::fromBounds(1, 50, 300, 200)},
        {"onto a shorter monitor near its bottom", rig, Rect::fromBounds(100, 1000, 800, 60),
         Rect::fromBounds(2020, 512, 800, 60)},
        {"middle on no monitor counts as the first", rig, Rect::fromBounds(3500, 50, 400, 300),
         Rect::fromBounds(1, 50, 400, 300)},
        {"monitor to the left",
         {monitor(0, 0, 1920, 1080), monitor(-1280, 0, 1280, 1024)},
         Rect::fromBounds(100, 50, 800, 600),
         Rect::fromBounds(-1180, 50, 800, 600)},
        {"monitor below keeps the offset from its top",
         {monitor(0, 0, 1920, 1080), monitor(0, 1080, 1920, 1080)},
         Rect::fromBounds(100, 50, 800, 600),
         Rect::fromBounds(100, 1130, 800, 600)},
        {"three monitors wrap to the first",
         {monitor(0, 0, 1920, 1080), monitor(1920, 0, 1920, 1080), monitor(3840, 0, 1920, 1080)},
         Rect::fromBounds(3940, 50, 800, 600),
         Rect::fromBounds(100, 50, 800, 600)},
    };
    for (const NextCase& c : cases) {
        EXPECT_EQ(nextMonitorRect(c.window, c.monitors), c.expected) << c.what;
    }
}

TEST(NextMonitorLayout, OneMonitorHasNoNext) {
    EXPECT_FALSE(nextMonitorRect(Rect::fromBounds(100, 50, 800, 600),
                                 std::vector<Monitor>{monitor(0, 0, 1920, 1080)}));
    EXPECT_FALSE(nextMonitorRect(Rect::fromBounds(100, 50, 800, 600), std::vector<Monitor>{}));
}

} // namespace
} // namespace cellaro
