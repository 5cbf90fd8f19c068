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

// The index of the last monitor whose horizontal span strictly contains x, or 0 when none does
// (x on a monitor's left edge, or outside every monitor). Only the horizontal position counts.
int monitorIndexAt(int x, std::span<const Monitor> monitors);
// GetWindowParent: the monitor of a window from its rectangle, x = (left + right) div 2.
int monitorIndexOfWindow(const Rect& windowRect, std::span<const Monitor> monitors);
// GetWindoWPolozaj / GetPolozaj: x = left + width div 2.
int monitorIndexOfLeftAndWidth(const Rect& windowRect, std::span<const Monitor> monitors);

// The monitor at this index; the first one for an index out of range; an empty monitor when there
// is none at all.
[[nodiscard]] Monitor monitorAt(std::span<const Monitor> monitors, int index);
// The primary monitor, else the first one, else an empty monitor.
[[nodiscard]] Monitor primaryMonitor(std::span<const Monitor> monitors);

} // namespace cellaro
