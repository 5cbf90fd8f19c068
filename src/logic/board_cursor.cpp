// The grid board's keyboard cursor.
#include "logic/board_cursor.h"

#include <algorithm>

namespace cellaro {

void BoardCursor::reset() {
    cursor_ = {};
    anchor_.reset();
    keyed_ = false;
}

bool BoardCursor::isCursorKey(int virtualKey) {
    switch (virtualKey) {
    case vk::kLeft:
    case vk::kRight:
    case vk::kUp:
    case vk::kDown:
    case vk::kHome:
    case vk::kEnd:
    case vk::kPageUp:
    case vk::kPageDown:
        return true;
    default:
        return false;
    }
}

bool BoardCursor::key(int virtualKey, KeyModifiers modifiers, int columns, int rows) {
    if (!isCursorKey(virtualKey) || modifiers.ctrl || modifiers.alt) {
        return false;
    }
    const int lastColumn = std::max(columns, 1) - 1;
    const int lastRow = std::max(rows, 1) - 1;
    if (modifiers.shift) {
        if (!anchor_) {
            anchor_ = cursor_;
        }
    } else {
        anchor_.reset();
    }
    Point next = cursor_;
    switch (virtualKey) {
    case vk::kLeft:
        --next.x;
        break;
    case vk::kRight:
        ++next.x;
        break;
    case vk::kUp:
        --next.y;
        break;
    case vk::kDown:
        ++next.y;
        break;
    case vk::kHome:
        next.x = 0;
        break;
    case vk::kEnd:
        next.x = lastColumn;
        break;
    case vk::kPageUp:
        next.y = 0;
        break;
    default: // Page Down
        next.y = lastRow;
        break;
    }
    cursor_ = {std::clamp(next.x, 0, lastColumn), std::clamp(next.y, 0, lastRow)};
    if (anchor_) {
        // The grid may have fewer cells since Shift went down.
        anchor_ = Point{std::min(anchor_->x, lastColumn), std::min(anchor_->y, lastRow)};
    }
    keyed_ = true;
    return true;
}

} // namespace cellaro
