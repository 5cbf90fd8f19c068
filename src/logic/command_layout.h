// The layout maths of the window commands: where the nine anchor buttons put a window, how many
// rows and columns tiling uses and where each tile goes, and where "Move to next monitor" puts a
// window. Plain functions over monitors and rectangles, in physical screen pixels. Vertical
// positions count from the monitor's top, so a monitor whose top is not 0 is handled like one that
// is; division truncates toward zero as the commands have always done.
#pragma once

#include "core/geometry.h"
#include "core/monitors.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace cellaro {

enum class AnchorColumn { Left, Centre, Right };
enum class AnchorRow { Top, Middle, Bottom };

struct Anchor {
    AnchorColumn column = AnchorColumn::Left;
    AnchorRow row = AnchorRow::Top;
    friend bool operator==(const Anchor&, const Anchor&) = default;
};

// The top-left corner of a window of this size anchored on the monitor, measured from that
// monitor's own edges: its full width horizontally, from its top to its work area's bottom
// vertically. Wherever the monitor lies (left of the primary, above, below), the window lands on it.
[[nodiscard]] Point anchorPosition(Anchor anchor, Size window, std::span<const Monitor> monitors,
                                   int monitorIndex);

struct TileGrid {
    int rows = 0;
    int columns = 0;
    friend bool operator==(const TileGrid&, const TileGrid&) = default;
};

// Rows: the square root of n rounded, plus one when n is not a square; columns: enough of them
// for n windows at that many rows. Nothing for n < 1.
[[nodiscard]] TileGrid tileGrid(int count);

// Where the n tiles go on a monitor, in order: down the first column, then the next one to the
// right. Columns are the monitor's width divided by the column count, with one pixel before every
// column; rows divide the height from the monitor's top to its work area's bottom.
[[nodiscard]] std::vector<Rect> tileRects(int count, const Monitor& monitor);

// The monitor a window is on for "Move to next monitor": the last one that holds the middle of
// the window, else the last one whose horizontal span strictly holds its middle, else the first.
[[nodiscard]] int nextMonitorSourceIndex(const Rect& window, std::span<const Monitor> monitors);

// Where "Move to next monitor" puts a window: on the monitor after its own in index order (the
// first after the last) at the same offset from that monitor's top-left corner, then pulled back
// where it would land off the desktop. Nothing with fewer than two monitors.
[[nodiscard]] std::optional<Rect> nextMonitorRect(const Rect& window, std::span<const Monitor> monitors);

} // namespace cellaro
