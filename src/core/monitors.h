// Monitors and which of them a window or a position belongs to.
#pragma once

#include "core/geometry.h"
#include "core/scale.h"

#include <span>

namespace cellaro {

struct Monitor {
    Rect bounds;
    Rect workArea; // bounds minus task bars
    bool primary = false;
    int dpi = kBaseDpi; // the monitor's dots per inch (96 at 100 %)
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The index of the last monitor that contains the point (its left and top edges included, its right
// and bottom edges not), else of the monitor nearest to it, else 0 (no monitors). Both coordinates
// count, so monitors side by side, stacked or at negative coordinates are told apart alike.
int monitorIndexAt(Point point, std::span<const Monitor> monitors);
// Whether some monitor shows a part of the rectangle.
[[nodiscard]] bool onAnyMonitor(const Rect& rect, std::span<const Monitor> monitors);
// GetWindowParent: the monitor of a window from its rectangle, at ((left + right) div 2,
// (top + bottom) div 2).
int monitorIndexOfWindow(const Rect& windowRect, std::span<const Monitor> monitors);
// GetWindoWPolozaj / GetPolozaj: at (left + width div 2, top + height div 2).
int monitorIndexOfLeftAndWidth(const Rect& windowRect, std::span<const Monitor> monitors);

// The monitor at this index; the first one for an index out of range; an empty monitor when there
// is none at all.
[[nodiscard]] Monitor monitorAt(std::span<const Monitor> monitors, int index);
// The primary monitor, else the first one, else an empty monitor.
[[nodiscard]] Monitor primaryMonitor(std::span<const Monitor> monitors);

} // namespace cellaro
