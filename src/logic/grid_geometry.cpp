// Grid geometry: monitor indices, the cell table, and the mapping of cell ranges onto a monitor.
#include "logic/grid_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace cellaro {

int divideRoundHalfEven(int numerator, int denominator) {
    if (denominator <= 0) {
        return 0;
    }
    int quotient = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) { // floor division for negative numerators
        remainder += denominator;
        --quotient;
    }
    const long long twice = 2LL * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

int roundHalfEven(double value) {
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<long long>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return static_cast<int>(result);
}

CellTable CellTable::build(Size board, int columns, int rows) {
    CellTable table;
    table.columns_ = std::max(columns, 1);
    table.rows_ = std::max(rows, 1);
    table.cellWidth_ = std::max(board.width, 0) / table.columns_;
    table.cellHeight_ = std::max(board.height, 0) / table.rows_;
    table.cells_.reserve(static_cast<std::size_t>(table.columns_) * static_cast<std::size_t>(table.rows_));
    table.rowTops_.reserve(static_cast<std::size_t>(table.rows_));
    for (int r = 0; r < table.rows_; ++r) {
        for (int c = 0; c < table.columns_; ++c) {
            const int left = c * table.cellWidth_;
            const int top = r * table.cellHeight_;
            table.cells_.push_back(
                Cell{c, r, Rect{left, top, left + table.cellWidth_, top + table.cellHeight_}});
        }
        table.rowTops_.push_back(r * table.cellHeight_);
    }
    return table;
}

namespace {

// The cell index along one axis for a board coordinate: the cell whose span strictly contains it,
// else the cell that owns the pixel (grid lines belong to the cell they start), clamped to the grid.
int nearestCellIndex(int position, int cellSize, int count) {
    if (cellSize <= 0 || count <= 0) {
        return 0;
    }
    const int owner = position < 0 ? 0 : position / cellSize;
    return std::clamp(owner, 0, count - 1);
}

} // namespace

int CellTable::columnAt(int x) const {
    return nearestCellIndex(x, cellWidth_, columns_);
}

int CellTable::rowAt(int y) const {
    return nearestCellIndex(y, cellHeight_, rows_);
}

int GridMapping::cellWidth() const {
    return divideRoundHalfEven(monitor.bounds.width(), std::max(columns, 1));
}

int GridMapping::cellHeight() const {
    return monitor.workArea.height() / std::max(rows, 1);
}

namespace {

Size rangeSize(const CellRange& range, const GridMapping& mapping) {
    const int cw = mapping.cellWidth();
    const int ch = mapping.cellHeight();
    if (!mapping.hasTarget) {
        return Size{cw, ch};
    }
    return Size{(range.maxColumn() - range.minColumn() + 1) * cw, (range.maxRow() - range.minRow() + 1) * ch};
}

} // namespace

Rect compactRangeRect(const CellRange& range, const GridMapping& mapping) {
    const Size size = rangeSize(range, mapping);
    const int left = mapping.monitor.bounds.left + range.minColumn() * mapping.cellWidth();
    const int top = mapping.monitor.bounds.top + range.minRow() * mapping.cellHeight();
    return Rect::fromBounds(left, top, size.width, size.height);
}

Rect fullScreenRangeRect(const CellRange& range, const GridMapping& mapping, const CellTable& board,
                         Point panelOrigin) {
    const Size size = rangeSize(range, mapping);
    const int column = std::clamp(range.minColumn(), 0, std::max(board.columns() - 1, 0));
    const int row = std::clamp(range.minRow(), 0, std::max(board.rows() - 1, 0));
    const int boardLeft = board.empty() ? 0 : board.cells().at(static_cast<std::size_t>(column)).board.left;
    const int boardTop = board.empty() ? 0 : board.rowTops().at(static_cast<std::size_t>(row));
    return Rect::fromBounds(mapping.monitor.bounds.left + boardLeft + panelOrigin.x,
                            mapping.monitor.bounds.top + boardTop + panelOrigin.y, size.width, size.height);
}

} // namespace cellaro
