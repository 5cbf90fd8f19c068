// The grid board's drawing and range highlight.
//
// Every cell of a board has the same size, so one cell is drawn once into a small mask (with the
// bitmap's own rounded rectangle, its pen grown to the board's DPI, so the shape is exactly the one
// drawn cell by cell) and kept as horizontal runs; the board is then painted run by run. The
// highlight's surface fill is worked out on the same mask: when it stays inside the cell's outline
// it covers the same runs in every cell, and those are painted directly. When it could spread
// further (the grid colour equals the grid background colour, or cells too small for the fill's
// start point) the fill runs on the board itself, cell by cell, as it always would.
//
// The board keeps one picture, in the same storage from drawing to drawing: a full-screen picture
// is tens of megabytes, and fresh memory for it costs more than painting it. While the board stays
// the same, a highlight paints only the cells that join or leave the range, and the plain grid
// gives the filled cells back their inside.
#include "logic/grid_board.h"

#include "logic/pictures.h"

#include <algorithm>

namespace cellaro {

namespace {

// Mask values of the cell template.
constexpr Colour kOutside{0};
constexpr Colour kOutline{1};
constexpr Colour kInside{2};
constexpr Colour kFilled{3};

// One side of the cell template. Away from its corners a rounded rectangle's rows are all alike,
// and so are its columns; so a long side is drawn cut down to its two ends and one middle pixel
// between them, which stands for the whole straight stretch of the cell. A template as large as
// the board's few corners is then enough for a cell of any size.
struct TemplateSide {
    int kept = 0;   // the template's length
    int middle = 0; // the pixel that stands for the straight stretch
    int extra = 0;  // how much longer the cell is than the template

    // A side of the given length whose ends reach margin pixels in.
    static TemplateSide of(int length, int margin) {
        const int cut = 2 * margin + 1;
        if (length <= cut) {
            return TemplateSide{length, length, 0};
        }
        return TemplateSide{cut, margin, length - cut};
    }
    // Where a template position (a pixel's start, or one past a run's end) lies in the cell.
    [[nodiscard]] int inCell(int position) const { return position > middle ? position + extra : position; }
};

} // namespace

void GridBoard::setColours(const BoardColours& colours) {
    if (colours == colours_) {
        return;
    }
    colours_ = colours;
    templateValid_ = false;
}

void GridBoard::drawPlain(Size board, int columns, int rows, int fillHeight, int dpi) {
    const Size size{std::max(board.width, 0), std::max(board.height, 0)};
    const int columnCount = std::max(columns, 1);
    const int rowCount = std::max(rows, 1);
    const Scale scale{dpi > 0 ? dpi : kBaseDpi};
    if (size != size_ || columnCount != columnCount_ || rowCount != rowCount_ || fillHeight != fillHeight_ ||
        scale != scale_) {
        size_ = size;
        columnCount_ = columnCount;
        rowCount_ = rowCount;
        fillHeight_ = fillHeight;
        scale_ = scale;
        templateValid_ = false;
    }
    ensureTemplate();
    if (!pictureCurrent_) {
        paintPlain();
        return;
    }
    for (std::size_t index = 0; index < filled_.size(); ++index) {
        setFilled(index, false);
    }
}

void GridBoard::redrawPlain() {
    drawPlain(size_, columnCount_, rowCount_, fillHeight_, scale_.dpi);
}

bool GridBoard::highlight(const CellRange& range) {
    if (range.end.x > kMaxHighlightCell || range.end.y > kMaxHighlightCell) {
        return false;
    }
    ensureTemplate();
    const std::vector<Cell>& cells = table_.cells();
    if (fillStaysInside_) {
        // Only the cells that join or leave the range change.
        if (!pictureCurrent_) {
            paintPlain();
        }
        for (std::size_t index = 0; index < cells.size(); ++index) {
            setFilled(index, range.contains(cells[index].column, cells[index].row));
        }
        return true;
    }
    redrawPlain();
    const int seed = fillSeedOffset();
    for (const Cell& cell : cells) {
        if (range.contains(cell.column, cell.row)) {
            picture_.floodFill(cell.board.left + seed, cell.board.top + seed, colours_.rangeSelection);
            pictureCurrent_ = false;
        }
    }
    return true;
}

void GridBoard::ensureTemplate() {
    if (templateValid_) {
        return;
    }
    table_ = CellTable::build(size_, columnCount_, rowCount_);
    buildCellTemplate();
    templateValid_ = true;
    pictureCurrent_ = false;
}

void GridBoard::paintPlain() {
    // The background down to the fill height, black below it, then the cells.
    picture_.assign(size_.width, size_.height, colours_.background);
    picture_.fill(Rect{0, std::max(fillHeight_, 0), size_.width, size_.height}, Colour{});
    for (const Cell& cell : table_.cells()) {
        paintRuns(cell, cellRuns_, colours_.grid, colours_.gridBackground);
    }
    filled_.assign(table_.cells().size(), false);
    pictureCurrent_ = true;
}

void GridBoard::setFilled(std::size_t index, bool filled) {
    if (filled_[index] == filled) {
        return;
    }
    // The fill runs cover inside pixels only, so the inside's colour undoes the fill.
    const Colour colour = filled ? colours_.rangeSelection : colours_.gridBackground;
    paintRuns(table_.cells()[index], fillRuns_, colour, colour);
    filled_[index] = filled;
}

void GridBoard::paintRuns(const Cell& cell, const std::vector<Run>& runs, Colour outline, Colour inside) {
    for (const Run& run : runs) {
        const int y = cell.board.top + run.row;
        picture_.fill(Rect{cell.board.left + run.from, y, cell.board.left + run.to, y + 1},
                      run.outline ? outline : inside);
    }
}

void GridBoard::buildCellTemplate() {
    cellRuns_.clear();
    fillRuns_.clear();
    fillStaysInside_ = false;
    const int width = table_.cellWidth();
    const int height = table_.cellHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    // The corners' quarter ellipses, the pen inside them and the neighbours that decide the
    // outline lie within this distance of the cell's sides.
    const int margin = cellCorner() + penWidth() + 1;
    const TemplateSide across = TemplateSide::of(width, margin);
    const TemplateSide down = TemplateSide::of(height, margin);
    Bitmap mask(across.kept, down.kept, kOutside);
    roundRectWithPen(mask, Rect{0, 0, across.kept, down.kept}, cellCorner(), penWidth(), kOutline, kInside);

    // Runs of equal mask values along each row, stretched to the cell; `keep` chooses which values
    // make runs.
    const auto collect = [&mask, across, down](std::vector<Run>& runs, auto keep) {
        for (int y = 0; y < down.kept; ++y) {
            const std::size_t rowStart = runs.size();
            int x = 0;
            while (x < across.kept) {
                const Colour value = mask.pixel(x, y);
                int end = x + 1;
                while (end < across.kept && mask.pixel(end, y) == value) {
                    ++end;
                }
                if (keep(value)) {
                    runs.push_back(
                        Run{down.inCell(y), across.inCell(x), across.inCell(end), value == kOutline});
                }
                x = end;
            }
            // The middle row's runs again for every row of the straight stretch it stands for.
            const std::size_t rowEnd = runs.size();
            for (int row = down.inCell(y) + 1; row < down.inCell(y + 1); ++row) {
                for (std::size_t i = rowStart; i < rowEnd; ++i) {
                    Run copy = runs[i];
                    copy.row = row;
                    runs.push_back(copy);
                }
            }
        }
    };
    collect(cellRuns_, [](Colour value) { return value != kOutside; });

    // The fill starts on the inside and the outline differs from it: the outline closes the
    // inside, so the fill covers exactly the part of the inside it can reach. Stretching a row or
    // column of equal pixels keeps every 4-connected area connected, so the fill reaches the same
    // pixels in the template as in the cell; and its start, nearer the corner than the corner is
    // wide, is the same pixel in both.
    const int seed = fillSeedOffset();
    const bool seedInside = mask.pixel(seed, seed) == kInside && mask.inside(seed, seed);
    if (!seedInside || colours_.grid == colours_.gridBackground) {
        return;
    }
    mask.floodFill(seed, seed, kFilled);
    collect(fillRuns_, [](Colour value) { return value == kFilled; });
    fillStaysInside_ = true;
}

} // namespace cellaro
