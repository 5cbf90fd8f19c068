// Monitors and which of them a window or a position belongs to.
#include "core/monitors.h"

#include <algorithm>
#include <limits>

namespace cellaro {

namespace {

// The squared distance from the point to the nearest point of the rectangle (0 inside it).
long long distanceSquared(Point point, const Rect& rect) {
    const auto along = [](long long value, long long low, long long high) -> long long {
        if (value < low) {
            return low - value;
        }
        return value >= high ? value - high + 1 : 0;
    };
    const long long dx = along(point.x, rect.left, rect.right);
    const long long dy = along(point.y, rect.top, rect.bottom);
    return dx * dx + dy * dy;
}

int clampToInt(long long value) {
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

int monitorIndexAt(Point point, std::span<const Monitor> monitors) {
    int containing = -1;
    int nearest = 0;
    long long nearestDistance = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Rect& bounds = monitors[i].bounds;
        if (bounds.contains(point)) {
            containing = static_cast<int>(i);
        }
        const long long distance = distanceSquared(point, bounds);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = static_cast<int>(i);
        }
    }
    return containing >= 0 ? containing : nearest;
}

bool onAnyMonitor(const Rect& rect, std::span<const Monitor> monitors) {
    return std::ranges::any_of(monitors, [&rect](const Monitor& monitor) {
        const Rect& bounds = monitor.bounds;
        return rect.left < bounds.right && bounds.left < rect.right && rect.top < bounds.bottom &&
               bounds.top < rect.bottom;
    });
}

int monitorIndexOfWindow(const Rect& windowRect, std::span<const Monitor> monitors) {
    const long long x = (static_cast<long long>(windowRect.left) + windowRect.right) / 2;
    const long long y = (static_cast<long long>(windowRect.top) + windowRect.bottom) / 2;
    return monitorIndexAt(Point{clampToInt(x), clampToInt(y)}, monitors);
}

int monitorIndexOfLeftAndWidth(const Rect& windowRect, std::span<const Monitor> monitors) {
    const long long width = static_cast<long long>(windowRect.right) - windowRect.left;
    const long long height = static_cast<long long>(windowRect.bottom) - windowRect.top;
    return monitorIndexAt(
        Point{clampToInt(windowRect.left + width / 2), clampToInt(windowRect.top + height / 2)}, monitors);
}

Monitor monitorAt(std::span<const Monitor> monitors, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < monitors.size()) {
        return monitors[static_cast<std::size_t>(index)];
    }
    return monitors.empty() ? Monitor{} : monitors.front();
}

Monitor primaryMonitor(std::span<const Monitor> monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) {
            return monitor;
        }
    }
    return monitors.empty() ? Monitor{} : monitors.front();
}

} // namespace cellaro
