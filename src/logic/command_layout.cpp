// Anchor positions, the tiling grid and the next-monitor move.
#include "logic/command_layout.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cellaro {

namespace {

// How close to its monitor's bottom a moved window's top may come before it is pulled up to the
// monitor's middle, and how the desktop's right edge pulls a window back.
constexpr int kBottomPullBack = 30;
constexpr int kRightEdgeSlack = 5;
constexpr int kRightPullBack = 150;

int integerSquareRoot(int value) {
    int root = 0;
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return root;
}

} // namespace

Point anchorPosition(Anchor anchor, Size window, std::span<const Monitor> monitors, int monitorIndex) {
    const Monitor monitor = monitorAt(monitors, monitorIndex);
    const int left = monitor.bounds.left;
    const int width = monitor.bounds.width();
    const int top = monitor.bounds.top;
    const int bottom = monitor.workArea.bottom;
    Point at{left, top};
    switch (anchor.column) {
    case AnchorColumn::Left:
        break;
    case AnchorColumn::Centre:
        at.x = left + width / 2 - window.width / 2;
        break;
    case AnchorColumn::Right:
        at.x = left + width - window.width;
        break;
    }
    switch (anchor.row) {
    case AnchorRow::Top:
        break;
    case AnchorRow::Middle:
        at.y = top + (bottom - top) / 2 - window.height / 2;
        break;
    case AnchorRow::Bottom:
        at.y = bottom - window.height;
        break;
    }
    return at;
}

TileGrid tileGrid(int count) {
    if (count < 1) {
        return {};
    }
    const int root = integerSquareRoot(count);
    // The square root of a whole number is never exactly halfway between two whole numbers, so
    // rounding it is rounding to the nearer of root and root + 1.
    const int rounded = (2 * root + 1) * (2 * root + 1) < 4 * count ? root + 1 : root;
    const int rows = root * root == count ? rounded : rounded + 1;
    return {rows, (count + rows - 1) / rows};
}

std::vector<Rect> tileRects(int count, const Monitor& monitor) {
    const TileGrid grid = tileGrid(count);
    std::vector<Rect> tiles;
    if (grid.rows == 0) {
        return tiles;
    }
    const int columnWidth = monitor.bounds.width() / grid.columns;
    const int rowHeight = (monitor.workArea.bottom - monitor.bounds.top) / grid.rows;
    int x = monitor.bounds.left + 1;
    int y = monitor.bounds.top;
    int inColumn = 0;
    for (int k = 0; k < count; ++k) {
        tiles.push_back(Rect::fromBounds(x, y, columnWidth, rowHeight));
        y += rowHeight;
        if (++inColumn == grid.rows) {
            y = monitor.bounds.top;
            x += columnWidth + 1;
            inColumn = 0;
        }
    }
    return tiles;
}

int nextMonitorSourceIndex(const Rect& window, std::span<const Monitor> monitors) {
    const Point middle{window.left + window.width() / 2, window.top + window.height() / 2};
    int found = -1;
    for (std::size_t k = 0; k < monitors.size(); ++k) {
        if (monitors[k].bounds.contains(middle)) {
            found = static_cast<int>(k);
        }
    }
    if (found >= 0) {
        return found;
    }
    // Off every monitor: by the horizontal span alone, and the first when none holds it; the
    // pull-backs below rely on that.
    for (std::size_t k = 0; k < monitors.size(); ++k) {
        if (monitors[k].bounds.left < middle.x && middle.x < monitors[k].bounds.right) {
            found = static_cast<int>(k);
        }
    }
    return std::max(found, 0);
}

std::optional<Rect> nextMonitorRect(const Rect& window, std::span<const Monitor> monitors) {
    if (monitors.size() < 2) {
        return std::nullopt;
    }
    const int from = nextMonitorSourceIndex(window, monitors);
    const int to = (from + 1) % static_cast<int>(monitors.size());
    const Rect source = monitorAt(monitors, from).bounds;
    const Rect destination = monitorAt(monitors, to).bounds;
    const int width = window.width();
    const int height = window.height();
    const Rect moved = Rect::fromBounds(destination.left + window.left - source.left,
                                        destination.top + window.top - source.top, width, height);

    // Pulled back where it landed off the desktop, each later rule overriding the earlier ones; all
    // but the first keep the top it landed at.
    const int landedOn = nextMonitorSourceIndex(moved, monitors);
    const Rect landing = monitorAt(monitors, landedOn).bounds;
    int desktopLeft = monitors.front().bounds.left;
    int desktopRight = monitors.front().bounds.right;
    for (const Monitor& monitor : monitors) {
        desktopLeft = std::min(desktopLeft, monitor.bounds.left);
        desktopRight = std::max(desktopRight, monitor.bounds.right);
    }
    Rect result = moved;
    if (moved.top - landing.top > landing.height() - kBottomPullBack) {
        result = Rect::fromBounds(moved.left, landing.top + landing.height() / 2, width, height);
    }
    if (moved.left < desktopLeft) {
        result = Rect::fromBounds(desktopLeft + 1, moved.top, width, height);
    }
    if (moved.left > desktopRight - kRightEdgeSlack) {
        result = Rect::fromBounds(desktopRight - kRightPullBack, moved.top, width, height);
    }
    const Rect first = monitors.front().bounds;
    if (landedOn == 0 && moved.left > first.right) {
        result = Rect::fromBounds(first.left + 1, moved.top, width, height);
    }
    return result;
}

} // namespace cellaro
