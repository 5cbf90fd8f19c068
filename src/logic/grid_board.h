// The grid board: the off-screen picture of the working window's board, its cell table, and the
// highlight of a cell range. The board is redrawn on every pointer move, so one picture is kept:
// while its size, counts and colours stay the same, a redraw only undoes the last highlight.
#pragma once

#include "config/board_colours.h"
#include "core/geometry.h"
#include "core/scale.h"
#include "logic/grid_geometry.h"
#include "pixels/bitmap.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace cellaro {

class GridBoard {
public:
    // Corner ellipse of every cell, and where the highlight's fill starts inside a cell, in 96-DPI
    // pixels; the board scales both, and its one-pixel pen, to the DPI it is drawn at.
    static constexpr int kCellCorner = 10;
    static constexpr int kFillSeedOffset = 6;
    // A range whose end cell lies beyond this column or row is not drawn.
    static constexpr int kMaxHighlightCell = 20;

    GridBoard() = default;
    explicit GridBoard(const BoardColours& colours) : colours_(colours) {}

    [[nodiscard]] const BoardColours& colours() const { return colours_; }
    // The next drawing uses the new colours; the picture itself changes only then.
    void setColours(const BoardColours& colours);

    // RisiMrezo (the drawing steps): a board of the given size, the background filled from the top
    // down to fillHeight (the working window's height; rows below it stay black), and the cells as
    // rounded rectangles outlined in the grid colour and filled with the grid background colour.
    // The cell table is rebuilt. Counts below 1 count as 1.
    //
    // The board is drawn at the physical resolution of the monitor it is shown on: the size, the
    // fill height and so the cells are physical pixels, and dpi is that monitor's dots per inch
    // (a value below 1 counts as 96). The cells' pen width, corner ellipse and fill start scale
    // with it; at 96 DPI they are 1, 10 and 6 pixels.
    void drawPlain(Size board, int columns, int rows, int fillHeight, int dpi = kBaseDpi);
    // The plain grid again with the size, counts and DPI of the last drawing.
    void redrawPlain();
    // RisiVektor: false, with the board left as it was, when the range's end cell has a column or
    // row above 20. Otherwise the plain grid is drawn again and every cell in the range is
    // surface-filled from (left + 6, top + 6), scaled to the board's DPI, with the range selection
    // colour.
    bool highlight(const CellRange& range);

    [[nodiscard]] const Bitmap& bitmap() const { return picture_; }
    [[nodiscard]] const CellTable& cells() const { return table_; }
    [[nodiscard]] Size size() const { return size_; }
    [[nodiscard]] int columns() const { return table_.columns(); }
    [[nodiscard]] int rows() const { return table_.rows(); }
    [[nodiscard]] int fillHeight() const { return fillHeight_; }
    [[nodiscard]] int dpi() const { return scale_.dpi; }
    // The cells' pen width, corner ellipse and fill start at the board's DPI.
    [[nodiscard]] int penWidth() const { return std::max(scale_.physical(1), 1); }
    [[nodiscard]] int cellCorner() const { return scale_.physical(kCellCorner); }
    [[nodiscard]] int fillSeedOffset() const { return scale_.physical(kFillSeedOffset); }

private:
    // One horizontal run of a cell's pixels, relative to the cell's top-left corner.
    struct Run {
        int row = 0;
        int from = 0; // first column
        int to = 0;   // one past the last column
        bool outline = false;
    };

    // Rebuilds the cell table and template when the size, counts, DPI or colours changed.
    void ensureTemplate();
    void paintPlain();
    // The runs of one cell's outline and inside, and those its highlight fill covers.
    void buildCellTemplate();
    void paintRuns(const Cell& cell, const std::vector<Run>& runs, Colour outline, Colour inside);
    // Gives the cell's fill runs the selection colour, or back the inside's colour.
    void setFilled(std::size_t index, bool filled);

    BoardColours colours_;
    Size size_;
    int columnCount_ = 1;
    int rowCount_ = 1;
    int fillHeight_ = 0;
    Scale scale_;
    bool templateValid_ = false;
    // The picture shows this board's plain grid, apart from the fill runs of the cells marked in
    // filled_; false after an older board or surface fills that may have run anywhere.
    bool pictureCurrent_ = false;

    CellTable table_;
    // The one picture of the board, kept from drawing to drawing so that its storage is reused.
    Bitmap picture_;
    std::vector<Run> cellRuns_;
    // The part of a cell that the highlight's fill replaces, when it stays inside the cell's own
    // inside; otherwise the fill is run on the picture itself.
    std::vector<Run> fillRuns_;
    bool fillStaysInside_ = false;
    // Per cell of the table: its fill runs show the selection colour.
    std::vector<bool> filled_;
};

} // namespace cellaro
