// Grid geometry: which monitor a window or position belongs to, the cell table of the grid board,
// cell ranges, and the screen rectangle that a range of cells stands for.
#pragma once

#include "config/config_keys.h"
#include "core/geometry.h"
#include "core/monitors.h"

#include <algorithm>
#include <span>
#include <vector>

namespace cellaro {

// Integer division rounded to the nearest integer, halves to even (denominator > 0).
int divideRoundHalfEven(int numerator, int denominator);
// Real rounding to the nearest integer, halves to even.
int roundHalfEven(double value);

struct Cell {
    int column = 0;
    int row = 0;
    Rect board; // board pixels; right and bottom are the next cell's left and top
    friend bool operator==(const Cell&, const Cell&) = default;
};

// The board's cells, row by row, rebuilt at every drawing of the plain grid.
class CellTable {
public:
    CellTable() = default;
    // bw = width / columns and bh = height / rows, truncated; counts below 1 count as 1.
    static CellTable build(Size board, int columns, int rows);

    [[nodiscard]] const std::vector<Cell>& cells() const { return cells_; }
    [[nodiscard]] const std::vector<int>& rowTops() const { return rowTops_; }
    [[nodiscard]] int columns() const { return columns_; }
    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] int cellWidth() const { return cellWidth_; }
    [[nodiscard]] int cellHeight() const { return cellHeight_; }
    [[nodiscard]] bool empty() const { return cells_.empty(); }

    // GetCellX / GetCellY: the column or row under a board position. A position strictly inside a
    // cell gives that cell; one that matches no cell (a grid line, the board's edge, the strip left
    // over by the truncating division, or beyond the board) gives the nearest cell in the grid.
    [[nodiscard]] int columnAt(int x) const;
    [[nodiscard]] int rowAt(int y) const;
    [[nodiscard]] Point cellAt(Point boardPosition) const {
        return {columnAt(boardPosition.x), rowAt(boardPosition.y)};
    }

private:
    std::vector<Cell> cells_;
    std::vector<int> rowTops_;
    int columns_ = 0;
    int rows_ = 0;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
};

// A selection on the board: the start cell (where the button went down) and the end cell (where
// the pointer is now), as (column, row).
struct CellRange {
    Point start;
    Point end;

    // The value that the board uses when the pointer has left it: no cell is in range.
    static constexpr CellRange cleared() { return CellRange{{-5, -5}, {-5, -5}}; }

    [[nodiscard]] int minColumn() const { return std::min(start.x, end.x); }
    [[nodiscard]] int maxColumn() const { return std::max(start.x, end.x); }
    [[nodiscard]] int minRow() const { return std::min(start.y, end.y); }
    [[nodiscard]] int maxRow() const { return std::max(start.y, end.y); }
    // isInRegion
    [[nodiscard]] bool contains(int column, int row) const {
        return column >= minColumn() && column <= maxColumn() && row >= minRow() && row <= maxRow();
    }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// The grid that a range is mapped with: the active counts and the monitor.
struct GridMapping {
    Monitor monitor;
    int columns = kDefaultGridCells;
    int rows = kDefaultGridCells;
    // Without a target window the range collapses to its first cell.
    bool hasTarget = true;

    [[nodiscard]] int cellWidth() const;  // monitor width / columns, halves to even
    [[nodiscard]] int cellHeight() const; // work-area height / rows, truncated
};

// The screen rectangle of a range in compact mode: columns divide the whole monitor width, rows the
// work-area height, both counted from the monitor's top-left corner.
Rect compactRangeRect(const CellRange& range, const GridMapping& mapping);
// The same on the full-screen board: the left and top come from the board's own cells, offset by
// the full-screen panel's position on the monitor.
Rect fullScreenRangeRect(const CellRange& range, const GridMapping& mapping, const CellTable& board,
                         Point panelOrigin);

} // namespace cellaro
