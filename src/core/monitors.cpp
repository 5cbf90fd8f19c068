// Monitors and which of them a window or a position belongs to.
#include "core/monitors.h"

namespace cellaro {

int monitorIndexAt(int x, std::span<const Monitor> monitors) {
    int index = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Rect& bounds = monitors[i].bounds;
        if (bounds.left < x && x < bounds.right) {
            index = static_cast<int>(i);
        }
    }
    return index;
}

int monitorIndexOfWindow(const Rect& windowRect, std::span<const Monitor> monitors) {
    const long long centre = (static_cast<long long>(windowRect.left) + windowRect.right) / 2;
    return monitorIndexAt(static_cast<int>(centre), monitors);
}

int monitorIndexOfLeftAndWidth(const Rect& windowRect, std::span<const Monitor> monitors) {
    const long long width = static_cast<long long>(windowRect.right) - windowRect.left;
    return monitorIndexAt(static_cast<int>(windowRect.left + width / 2), monitors);
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
