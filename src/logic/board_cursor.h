// The grid board's keyboard cursor: the arrow keys move it cell by cell, Home and End to the row's
// ends, Page Up and Page Down to the column's ends; with Shift held the range reaches from the cell
// the cursor was on when Shift went down to the cursor. It starts on the top-left cell each time
// the grid is shown.
#pragma once

#include "logic/grid_geometry.h"
#include "platform/virtual_keys.h"

#include <optional>

namespace cellaro {

class BoardCursor {
public:
    // Back to the top-left cell, with no range keyed yet.
    void reset();
    // A key on a board of this many columns and rows: true when it is one of the cursor's keys
    // (the cursor stays inside the board, so a key at an edge is taken and moves nothing).
    bool key(int virtualKey, KeyModifiers modifiers, int columns, int rows);

    [[nodiscard]] Point cursor() const { return cursor_; }
    // A range has been keyed since the last reset.
    [[nodiscard]] bool keyed() const { return keyed_; }
    // From the Shift anchor (or the cursor itself) to the cursor.
    [[nodiscard]] CellRange range() const { return CellRange{anchor_.value_or(cursor_), cursor_}; }

    // One of the keys the cursor moves by.
    [[nodiscard]] static bool isCursorKey(int virtualKey);

private:
    Point cursor_;
    std::optional<Point> anchor_;
    bool keyed_ = false;
};

} // namespace cellaro
