// The active window highlight's frame.
#include "logic/highlight_frame.h"

#include "pixels/bitmap.h"

#include <algorithm>

namespace cellaro {

Rect highlightRectangle(const Rect& windowRect, const Rect& virtualScreen) {
    Rect area = windowRect;
    area.left = std::max(area.left, virtualScreen.left + 1);
    area.top = std::max(area.top, virtualScreen.top + 1);
    area.right = std::min(area.right, virtualScreen.right - 1);
    area.bottom = std::min(area.bottom, virtualScreen.bottom - 1);
    return area;
}

int highlightPenWidth(int dpi) {
    const Scale scale{dpi > 0 ? dpi : kBaseDpi};
    return std::max(1, scale.physical(kHighlightPenWidth));
}

void drawHighlightFrame(Bitmap& picture, const Rect& area, int dpi) {
    const int pen = highlightPenWidth(dpi);
    // The sides are straight, so pulling far-off corners in to just beyond the picture changes no
    // pixel of it, and keeps a window parked at -32000 (or any odd rectangle) from costing a walk
    // along tens of thousands of pixels that are never seen.
    const auto clampX = [&](int x) { return std::clamp(x, -pen, picture.width() + pen); };
    const auto clampY = [&](int y) { return std::clamp(y, -pen, picture.height() + pen); };
    const int left = clampX(area.left);
    const int right = clampX(area.right);
    const int top = clampY(area.top);
    const int bottom = clampY(area.bottom);
    const Point corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    for (int side = 0; side < 4; ++side) {
        picture.line(corners[side], corners[side + 1], pen, kHighlightColour);
    }
}

} // namespace cellaro
