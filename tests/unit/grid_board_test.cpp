// Pixel tests of the grid board: the plain grid, its cell table, and the range highlight, checked
// against a board drawn the plain way (background, one rounded rectangle per cell, one surface
// fill per highlighted cell) and against the colours a user sees.
#include "logic/grid_board.h"

#include "logic/pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace cellaro {
namespace {

constexpr Colour kGrey = Colour::rgb(0x80, 0x80, 0x80);
constexpr Colour kDark = Colour::rgb(0x1F, 0x1F, 0x1F);
constexpr Colour kSelection = Colour::rgb(0x83, 0x99, 0xBA);

// The board drawn step by step, without any of GridBoard's shortcuts: at 96 DPI a one-pixel pen,
// corner 10 and the fill from 6 pixels in; scaled at any other DPI.
Bitmap referencePlain(Size size, int columns, int rows, int fillHeight, const BoardColours& colours,
                      int dpi = kBaseDpi) {
    const Scale scale{dpi};
    Bitmap board(size.width, size.height);
    board.fill(Rect{0, 0, size.width, fillHeight}, colours.background);
    const CellTable table = CellTable::build(size, columns, rows);
    for (const Cell& cell : table.cells()) {
        roundRectWithPen(board, cell.board, scale.physical(10), std::max(scale.physical(1), 1), colours.grid,
                         colours.gridBackground);
    }
    return board;
}

// The plain board with one surface fill per cell in the range.
Bitmap referenceFills(Bitmap board, int columns, int rows, const BoardColours& colours,
                      const CellRange& range, int dpi) {
    const CellTable table = CellTable::build(Size{board.width(), board.height()}, columns, rows);
    const int seed = Scale{dpi}.physical(6);
    for (const Cell& cell : table.cells()) {
        if (range.contains(cell.column, cell.row)) {
            board.floodFill(cell.board.left + seed, cell.board.top + seed, colours.rangeSelection);
        }
    }
    return board;
}

Bitmap referenceHighlight(Size size, int columns, int rows, int fillHeight, const BoardColours& colours,
                          const CellRange& range, int dpi = kBaseDpi) {
    return referenceFills(referencePlain(size, columns, rows, fillHeight, colours, dpi), columns, rows,
                          colours, range, dpi);
}

BoardColours colourful() {
    return BoardColours{Colour::rgb(10, 20, 30), Colour::rgb(200, 200, 200), Colour::rgb(0, 0, 255),
                        Colour::rgb(255, 0, 0), Colour::rgb(0, 255, 0)};
}

struct BoardCase {
    std::string name;
    Size size;
    int columns;
    int rows;
    int fillHeight;
    BoardColours colours;
    CellRange range;
    int dpi = kBaseDpi;
};

class BoardMatchesStepByStepDrawing : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BoardMatchesStepByStepDrawing, PlainAndHighlighted) {
    const BoardCase& c = GetParam();
    GridBoard board(c.colours);
    board.drawPlain(c.size, c.columns, c.rows, c.fillHeight, c.dpi);
    EXPECT_EQ(board.bitmap(), referencePlain(c.size, c.columns, c.rows, c.fillHeight, c.colours, c.dpi));
    ASSERT_TRUE(board.highlight(c.range));
    EXPECT_EQ(board.bitmap(),
              referenceHighlight(c.size, c.columns, c.rows, c.fillHeight, c.colours, c.range, c.dpi));
    // Back to the plain grid, and highlighted again from it: nothing of the first highlight stays.
    board.redrawPlain();
    EXPECT_EQ(board.bitmap(), referencePlain(c.size, c.columns, c.rows, c.fillHeight, c.colours, c.dpi));
    ASSERT_TRUE(board.highlight(CellRange{{0, 0}, {0, 0}}));
    EXPECT_EQ(board.bitmap(), referenceHighlight(c.size, c.columns, c.rows, c.fillHeight, c.colours,
                                                 CellRange{{0, 0}, {0, 0}}, c.dpi));
}

const BoardColours kDefault{};

INSTANTIATE_TEST_SUITE_P(
    Boards, BoardMatchesStepByStepDrawing,
    ::testing::Values(
        BoardCase{"compact6x6", {320, 195}, 6, 6, 267, kDefault, {{1, 2}, {3, 4}}},
        BoardCase{"compact10x10", {320, 195}, 10, 10, 267, colourful(), {{0, 0}, {9, 9}}},
        BoardCase{"oneCell", {320, 195}, 1, 1, 267, colourful(), {{0, 0}, {0, 0}}},
        BoardCase{"reversedRange", {320, 195}, 6, 6, 267, colourful(), {{4, 3}, {1, 0}}},
        BoardCase{"clearedRange", {320, 195}, 6, 6, 267, colourful(), CellRange::cleared()},
        BoardCase{"rangeBeyondGrid", {320, 195}, 4, 3, 267, colourful(), {{2, 1}, {15, 12}}},
        BoardCase{"wideFullScreen", {1000, 600}, 10, 10, 600, colourful(), {{0, 0}, {9, 9}}},
        // The working window shorter than the board: rows below it stay black.
        BoardCase{"shortFill", {320, 195}, 6, 6, 100, colourful(), {{0, 0}, {5, 5}}},
        // Cells too small for the fill's start point: it lands elsewhere, as drawn step by step.
        BoardCase{"tinyCells", {40, 30}, 10, 10, 30, colourful(), {{0, 0}, {9, 9}}},
        BoardCase{"narrowCells", {70, 195}, 10, 6, 195, colourful(), {{2, 1}, {4, 3}}},
        // Outline in the inside's colour: the fill runs over every cell it reaches.
        BoardCase{"gridLikeInside",
                  {320, 195},
                  6,
                  6,
                  267,
                  BoardColours{Colour::rgb(1, 2, 3), Colour::rgb(9, 9, 9), Colour::rgb(9, 9, 9),
                               Colour::rgb(255, 0, 0), Colour::rgb(0, 0, 0)},
                  {{2, 2}, {2, 2}}},
        // Selection in the inside's colour: the fill changes nothing.
        BoardCase{"selectionLikeInside",
                  {320, 195},
                  6,
                  6,
                  267,
                  BoardColours{Colour::rgb(1, 2, 3), Colour::rgb(9, 9, 9), Colour::rgb(0, 0, 255),
                               Colour::rgb(9, 9, 9), Colour::rgb(0, 0, 0)},
                  {{0, 0}, {3, 3}}},
        // Selection in the outline's colour.
        BoardCase{"selectionLikeGrid",
                  {320, 195},
                  6,
                  6,
                  267,
                  BoardColours{Colour::rgb(1, 2, 3), Colour::rgb(9, 9, 9), Colour::rgb(0, 0, 255),
                               Colour::rgb(0, 0, 255), Colour::rgb(0, 0, 0)},
                  {{0, 0}, {3, 3}}},
        BoardCase{"emptyBoard", {0, 0}, 6, 6, 0, colourful(), {{0, 0}, {1, 1}}},
        // At other display scales: the compact board, the full screen, and cells too small for the
        // scaled fill start.
        BoardCase{"compactAt150", {480, 293}, 6, 6, 400, kDefault, {{1, 2}, {3, 4}}, 144},
        BoardCase{"compactAt200", {640, 390}, 10, 10, 534, colourful(), {{0, 0}, {9, 9}}, 192},
        BoardCase{"compactAt125", {400, 244}, 6, 6, 334, colourful(), {{2, 1}, {4, 3}}, 120},
        BoardCase{"fullScreenAt200", {1920, 1040}, 10, 10, 1040, colourful(), {{3, 3}, {7, 8}}, 192},
        BoardCase{"tinyCellsAt200", {80, 60}, 10, 10, 60, colourful(), {{0, 0}, {9, 9}}, 192},
        BoardCase{"gridLikeInsideAt150",
                  {480, 293},
                  6,
                  6,
                  400,
                  BoardColours{Colour::rgb(1, 2, 3), Colour::rgb(9, 9, 9), Colour::rgb(9, 9, 9),
                               Colour::rgb(255, 0, 0), Colour::rgb(0, 0, 0)},
                  {{2, 2}, {2, 2}},
                  144}),
    [](const ::testing::TestParamInfo<BoardCase>& info) { return info.param.name; });

// Where two pictures first differ, or nothing when they are the same.
std::string firstDifference(const Bitmap& actual, const Bitmap& expected) {
    if (actual == expected) {
        return {};
    }
    if (actual.width() != expected.width() || actual.height() != expected.height()) {
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return {};
}

// One board through what a pointer does to it: drawn, a range, another range that drops some of
// the first one's cells, back to the plain grid, the whole grid; each step against the
// step-by-step drawing.
void expectStepByStepPictures(GridBoard& board, Size size, int cells, int fillHeight, int dpi) {
    const BoardColours& colours = board.colours();
    const Bitmap plain = referencePlain(size, cells, cells, fillHeight, colours, dpi);
    board.drawPlain(size, cells, cells, fillHeight, dpi);
    ASSERT_EQ(firstDifference(board.bitmap(), plain), "") << "plain";
    for (const CellRange& range :
         {CellRange{{0, 0}, {2, 3}}, CellRange{{1, 1}, {4, 4}}, CellRange{{0, 0}, {cells - 1, cells - 1}}}) {
        ASSERT_TRUE(board.highlight(range));
        ASSERT_EQ(firstDifference(board.bitmap(), referenceFills(plain, cells, cells, colours, range, dpi)),
                  "")
            << "range to " << range.end.x << "," << range.end.y;
        if (range.end.x == 4) {
            board.redrawPlain();
            ASSERT_EQ(firstDifference(board.bitmap(), plain), "") << "plain again";
        }
    }
}

// The display scales and cell counts a board is drawn at, each on the compact board and on a
// full-screen board whose sides the counts do not divide and whose working window ends above its
// bottom rows; in the default colours, in colours that tell every part apart, and with the outline
// in the inside's colour (the fill then runs over the board itself).
TEST(GridBoardSweep, EveryScaleAndCellCountMatchesTheStepByStepDrawing) {
    const BoardColours outlineLikeInside{Colour::rgb(1, 2, 3), Colour::rgb(9, 9, 9), Colour::rgb(9, 9, 9),
                                         Colour::rgb(255, 0, 0), Colour::rgb(0, 0, 0)};
    for (const int dpi : {96, 120, 144, 192}) {
        const Scale scale{dpi};
        const Size compact = scale.physical(Size{320, 195});
        const Size fullScreen{scale.physical(640) + 7, scale.physical(360) + 3};
        for (const int cells : {1, 6, 10}) {
            SCOPED_TRACE(std::to_string(dpi) + " DPI, " + std::to_string(cells) + " cells");
            for (const BoardColours& colours : {kDefault, colourful()}) {
                GridBoard board(colours);
                expectStepByStepPictures(board, compact, cells, scale.physical(267), dpi);
                expectStepByStepPictures(board, fullScreen, cells, scale.physical(300), dpi);
            }
            GridBoard spreading(outlineLikeInside);
            expectStepByStepPictures(spreading, compact, cells, scale.physical(267), dpi);
        }
    }
}

// One cell of every side from a single pixel to well past its corners and pen, at each scale: the
// cell sizes where a template could be cut or stretched wrongly.
TEST(GridBoardSweep, OneCellOfEverySideFromOnePixelUp) {
    for (const int dpi : {96, 120, 144, 192}) {
        const int longSide = Scale{dpi}.physical(60);
        for (int side = 1; side <= longSide; ++side) {
            SCOPED_TRACE(std::to_string(dpi) + " DPI, side " + std::to_string(side));
            for (const Size size : {Size{side, longSide}, Size{longSide, side}, Size{side, side}}) {
                GridBoard board(colourful());
                expectStepByStepPictures(board, size, 1, size.height, dpi);
            }
        }
    }
}

// A board redrawn at new sizes, scales and counts in turn, as the working window moves between
// the compact board and the full screens of several monitors.
TEST(GridBoardSweep, ChangingSizeScaleAndCountsRedrawsFromScratch) {
    struct Step {
        Size size;
        int cells;
        int dpi;
    };
    GridBoard board(colourful());
    for (const Step& step :
         {Step{{1927, 1083}, 10, 192}, Step{{320, 195}, 6, 96}, Step{{1200, 675}, 1, 120},
          Step{{1927, 1082}, 10, 192}, Step{{400, 244}, 6, 144}, Step{{1927, 1083}, 6, 192}}) {
        SCOPED_TRACE(std::to_string(step.size.width) + "x" + std::to_string(step.size.height));
        expectStepByStepPictures(board, step.size, step.cells, step.size.height, step.dpi);
    }
}

TEST(GridBoard, CompactSixBySixLayoutAndStrips) {
    GridBoard board;
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    const Bitmap& picture = board.bitmap();
    ASSERT_EQ(picture.width(), 320);
    ASSERT_EQ(picture.height(), 195);
    EXPECT_EQ(board.cells().cellWidth(), 53);
    EXPECT_EQ(board.cells().cellHeight(), 32);
    ASSERT_EQ(board.cells().cells().size(), 36U);
    // The strips left over by the truncating division: 2 columns right, 3 rows below.
    for (int y = 0; y < 195; ++y) {
        for (int x = 0; x < 320; ++x) {
            if (x >= 318 || y >= 192) {
                ASSERT_EQ(picture.pixel(x, y), kDark) << x << "," << y;
            }
        }
    }
    // Every cell: rounded corners show the background, straight edges the grey outline, the inside
    // the grid background.
    for (const Cell& cell : board.cells().cells()) {
        const Rect& r = cell.board;
        const int midX = r.left + r.width() / 2;
        const int midY = r.top + r.height() / 2;
        SCOPED_TRACE(std::to_string(cell.column) + "," + std::to_string(cell.row));
        EXPECT_EQ(picture.pixel(r.left, r.top), kDark);
        EXPECT_EQ(picture.pixel(r.right - 1, r.bottom - 1), kDark);
        EXPECT_EQ(picture.pixel(midX, r.top), kGrey);
        EXPECT_EQ(picture.pixel(midX, r.bottom - 1), kGrey);
        EXPECT_EQ(picture.pixel(r.left, midY), kGrey);
        EXPECT_EQ(picture.pixel(r.right - 1, midY), kGrey);
        EXPECT_EQ(picture.pixel(midX, midY), kDark);
    }
}

TEST(GridBoard, CellTablesOfTheLargestAndSmallestGrids) {
    GridBoard board;
    board.drawPlain(Size{320, 195}, 10, 10, 267);
    EXPECT_EQ(board.cells().cells().size(), 100U);
    EXPECT_EQ(board.cells().rowTops().size(), 10U);

    board.drawPlain(Size{320, 195}, 1, 1, 267);
    ASSERT_EQ(board.cells().cells().size(), 1U);
    EXPECT_EQ(board.cells().cells().front().board, (Rect{0, 0, 320, 195}));
    // One cell covering the board: outlined along the board's edges.
    EXPECT_EQ(board.bitmap().pixel(160, 0), kGrey);
    EXPECT_EQ(board.bitmap().pixel(319, 97), kGrey);
    EXPECT_EQ(board.bitmap().pixel(160, 97), kDark);

    // Counts below 1 count as 1.
    board.drawPlain(Size{320, 195}, 0, -3, 267);
    EXPECT_EQ(board.columns(), 1);
    EXPECT_EQ(board.rows(), 1);
}

TEST(GridBoard, HighlightWithTheDefaultColours) {
    GridBoard board;
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    const Bitmap plain = board.bitmap();
    const CellRange range{{1, 1}, {2, 3}};
    ASSERT_TRUE(board.highlight(range));
    const Bitmap& picture = board.bitmap();
    for (const Cell& cell : board.cells().cells()) {
        const Rect& r = cell.board;
        const int midX = r.left + r.width() / 2;
        const int midY = r.top + r.height() / 2;
        SCOPED_TRACE(std::to_string(cell.column) + "," + std::to_string(cell.row));
        EXPECT_EQ(picture.pixel(midX, r.top), kGrey);
        EXPECT_EQ(picture.pixel(r.left, midY), kGrey);
        if (range.contains(cell.column, cell.row)) {
            EXPECT_EQ(picture.pixel(midX, midY), kSelection);
            EXPECT_EQ(picture.pixel(r.left + 6, r.top + 6), kSelection);
            EXPECT_EQ(picture.pixel(r.left, r.top), kDark); // the corner stays outside
        } else {
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    ASSERT_EQ(picture.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
                }
            }
        }
    }
}

TEST(GridBoard, RangeEndingBeyondTwentyLeavesTheBoardAsItWas) {
    GridBoard board;
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    ASSERT_TRUE(board.highlight(CellRange{{0, 0}, {1, 1}}));
    const Bitmap before = board.bitmap();
    for (const CellRange& range : {CellRange{{0, 0}, {21, 0}}, CellRange{{0, 0}, {0, 21}}}) {
        EXPECT_FALSE(board.highlight(range));
        EXPECT_EQ(board.bitmap(), before);
    }
    // Only the end cell counts; 20 itself is drawn.
    EXPECT_TRUE(board.highlight(CellRange{{25, 25}, {0, 0}}));
    EXPECT_TRUE(board.highlight(CellRange{{0, 0}, {20, 20}}));
}

TEST(GridBoard, FillSpreadsWhereTheOutlineHasTheInsidesColour) {
    const Colour same = Colour::rgb(90, 90, 90);
    GridBoard board(BoardColours{Colour::rgb(0, 0, 0), same, same, Colour::rgb(255, 0, 0), same});
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    ASSERT_TRUE(board.highlight(CellRange{{0, 0}, {0, 0}}));
    // The neighbouring cells touch along their outlines: the fill reaches the far corner cell.
    EXPECT_EQ(board.bitmap().pixel(5 * 53 + 26, 5 * 32 + 16), Colour::rgb(255, 0, 0));
}

TEST(GridBoard, ReversedRangesDrawTheSame) {
    GridBoard forward;
    GridBoard backward;
    forward.drawPlain(Size{320, 195}, 6, 6, 267);
    backward.drawPlain(Size{320, 195}, 6, 6, 267);
    ASSERT_TRUE(forward.highlight(CellRange{{1, 0}, {4, 3}}));
    ASSERT_TRUE(backward.highlight(CellRange{{4, 3}, {1, 0}}));
    EXPECT_EQ(forward.bitmap(), backward.bitmap());
    ASSERT_TRUE(backward.highlight(CellRange{{4, 0}, {1, 3}}));
    EXPECT_EQ(forward.bitmap(), backward.bitmap());
}

TEST(GridBoard, NewColoursApplyToTheNextDrawing) {
    GridBoard board;
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    board.setColours(colourful());
    ASSERT_TRUE(board.highlight(CellRange{{0, 0}, {1, 1}}));
    EXPECT_EQ(board.bitmap(),
              referenceHighlight(Size{320, 195}, 6, 6, 267, colourful(), CellRange{{0, 0}, {1, 1}}));
    board.drawPlain(Size{200, 100}, 3, 2, 100);
    EXPECT_EQ(board.bitmap(), referencePlain(Size{200, 100}, 3, 2, 100, colourful()));
}

TEST(GridBoard, NewColoursOverAHighlightRepaintTheWholeBoard) {
    const Colour same = Colour::rgb(90, 90, 90);
    const BoardColours spreading{Colour::rgb(0, 0, 0), same, same, Colour::rgb(255, 0, 0), same};
    const CellRange range{{1, 1}, {2, 2}};
    GridBoard board;
    ASSERT_TRUE(board.highlight(range)); // before any drawing: an empty board
    board.drawPlain(Size{320, 195}, 6, 6, 267);
    // The same range in new colours each time: a new selection colour, then colours in which the
    // fill spreads over the board, then back to colours in which it stays in its cells.
    for (const BoardColours& colours : {colourful(), spreading, kDefault}) {
        ASSERT_TRUE(board.highlight(range));
        board.setColours(colours);
        ASSERT_TRUE(board.highlight(range));
        EXPECT_EQ(board.bitmap(), referenceHighlight(Size{320, 195}, 6, 6, 267, colours, range));
    }
}

// The compact 6 x 6 board at a DPI, as big as the 96-DPI one scaled, in colours that tell the
// background, the outline and the inside apart.
struct ScaledBoard {
    GridBoard board{colourful()};
    Bitmap plain;
};

ScaledBoard compactBoardAt(int dpi) {
    ScaledBoard scaled;
    const Scale scale{dpi};
    scaled.board.drawPlain(scale.physical(Size{320, 195}), 6, 6, scale.physical(267), dpi);
    scaled.plain = scaled.board.bitmap();
    return scaled;
}

// How many pixels of a cell's corners are cut away (show the background).
int cornerCut(const Bitmap& picture, const Rect& cell) {
    int cut = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            cut += picture.pixel(x, y) == colourful().background ? 1 : 0;
        }
    }
    return cut;
}

TEST(GridBoardAtAScale, CellsAreOutlinedWithOneScaledPenAndScaledCorners) {
    const ScaledBoard base = compactBoardAt(kBaseDpi);
    const int baseCut = cornerCut(base.plain, base.board.cells().cells().front().board);
    const BoardColours colours = colourful();
    for (const int dpi : {120, 144, 192, 240}) {
        SCOPED_TRACE(dpi);
        const ScaledBoard scaled = compactBoardAt(dpi);
        const GridBoard& board = scaled.board;
        const Bitmap& picture = scaled.plain;
        const int pen = Scale{dpi}.physical(1);
        EXPECT_EQ(board.penWidth(), pen);
        EXPECT_EQ(board.cellCorner(), Scale{dpi}.physical(10));
        EXPECT_EQ(board.fillSeedOffset(), Scale{dpi}.physical(6));
        // The board's own colours, nothing in between.
        EXPECT_EQ(std::set<std::uint32_t>(picture.pixels().begin(), picture.pixels().end()),
                  (std::set<std::uint32_t>{colours.background.value, colours.grid.value,
                                           colours.gridBackground.value}));
        ASSERT_EQ(board.cells().cells().size(), 36U);
        const double area = (dpi / 96.0) * (dpi / 96.0);
        for (const Cell& cell : board.cells().cells()) {
            const Rect& r = cell.board;
            SCOPED_TRACE(std::to_string(cell.column) + "," + std::to_string(cell.row));
            // Along every straight edge: the pen's width of outline, then the inside.
            for (int x = r.left + board.cellCorner(); x < r.right - board.cellCorner(); ++x) {
                for (int i = 0; i < pen; ++i) {
                    ASSERT_EQ(picture.pixel(x, r.top + i), colours.grid) << x;
                    ASSERT_EQ(picture.pixel(x, r.bottom - 1 - i), colours.grid) << x;
                }
                ASSERT_EQ(picture.pixel(x, r.top + pen), colours.gridBackground) << x;
                ASSERT_EQ(picture.pixel(x, r.bottom - 1 - pen), colours.gridBackground) << x;
            }
            for (int y = r.top + board.cellCorner(); y < r.bottom - board.cellCorner(); ++y) {
                for (int i = 0; i < pen; ++i) {
                    ASSERT_EQ(picture.pixel(r.left + i, y), colours.grid) << y;
                    ASSERT_EQ(picture.pixel(r.right - 1 - i, y), colours.grid) << y;
                }
                ASSERT_EQ(picture.pixel(r.left + pen, y), colours.gridBackground) << y;
                ASSERT_EQ(picture.pixel(r.right - 1 - pen, y), colours.gridBackground) << y;
            }
            // The cut corners grow with the area: by the scale squared.
            EXPECT_NEAR(cornerCut(picture, r), baseCut * area, baseCut * area * 0.3);
        }
    }
}

TEST(GridBoardAtAScale, HighlightFillsWholeCellsInsideTheirOutline) {
    const CellRange range{{1, 1}, {3, 4}};
    const BoardColours colours = colourful();
    for (const int dpi : {120, 144, 192}) {
        SCOPED_TRACE(dpi);
        ScaledBoard scaled = compactBoardAt(dpi);
        ASSERT_TRUE(scaled.board.highlight(range));
        const Bitmap& picture = scaled.board.bitmap();
        for (const Cell& cell : scaled.board.cells().cells()) {
            const bool inRange = range.contains(cell.column, cell.row);
            for (int y = cell.board.top; y < cell.board.bottom; ++y) {
                for (int x = cell.board.left; x < cell.board.right; ++x) {
                    // The whole inside of a highlighted cell takes the selection; its outline,
                    // its corners and every other cell stay as they were.
                    const Colour plain = scaled.plain.pixel(x, y);
                    const Colour expected =
                        inRange && plain == colours.gridBackground ? colours.rangeSelection : plain;
                    ASSERT_EQ(picture.pixel(x, y), expected) << x << "," << y;
                }
            }
        }
    }
}

TEST(GridBoardAtAScale, ANewDpiRedrawsTheBoardAndRedrawingKeepsIt) {
    GridBoard board;
    board.drawPlain(Size{640, 390}, 6, 6, 534);
    const Bitmap at96 = board.bitmap();
    board.drawPlain(Size{640, 390}, 6, 6, 534, 192);
    EXPECT_EQ(board.dpi(), 192);
    EXPECT_NE(board.bitmap(), at96);
    EXPECT_EQ(board.bitmap(), referencePlain(Size{640, 390}, 6, 6, 534, BoardColours{}, 192));
    ASSERT_TRUE(board.highlight(CellRange{{0, 0}, {2, 2}}));
    EXPECT_EQ(board.bitmap(),
              referenceHighlight(Size{640, 390}, 6, 6, 534, BoardColours{}, CellRange{{0, 0}, {2, 2}}, 192));
    board.redrawPlain();
    EXPECT_EQ(board.bitmap(), referencePlain(Size{640, 390}, 6, 6, 534, BoardColours{}, 192));
    board.drawPlain(Size{640, 390}, 6, 6, 534, kBaseDpi);
    EXPECT_EQ(board.bitmap(), at96);
    // A DPI below 1 counts as 96.
    board.drawPlain(Size{640, 390}, 6, 6, 534, 0);
    EXPECT_EQ(board.dpi(), kBaseDpi);
    EXPECT_EQ(board.bitmap(), at96);
}

} // namespace
} // namespace cellaro
