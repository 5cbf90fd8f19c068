// The active window highlight's frame: the rectangle it goes round, and the red outline drawn on
// the frozen picture of the screen.
#pragma once

#include "core/geometry.h"
#include "core/scale.h"

namespace cellaro {

class Bitmap;

// The outline's pen at 100 %: 4 physical pixels; at other scales it grows with the DPI (6 at 144,
// 8 at 192), so the frame looks as thick on every monitor.
inline constexpr int kHighlightPenWidth = 4;
inline constexpr Colour kHighlightColour = Colour::rgb(0xFF, 0, 0);
// How long the frozen picture stays in front.
inline constexpr int kHighlightShowMs = 1000;

// The target's outer rectangle as the frame goes round it, where the window is, with each edge kept
// at least one pixel inside the virtual screen (a maximised window hangs a few pixels over its
// monitor's edges), so the whole frame shows on whichever monitor holds the window.
[[nodiscard]] Rect highlightRectangle(const Rect& windowRect, const Rect& virtualScreen);

// The pen width at a monitor's DPI.
[[nodiscard]] int highlightPenWidth(int dpi);

// The closed outline left-top, right-top, right-bottom, left-bottom and back, with a square pen of
// highlightPenWidth(dpi) centred on those points, in kHighlightColour; what falls outside the
// picture is clipped.
void drawHighlightFrame(Bitmap& picture, const Rect& area, int dpi = kBaseDpi);

} // namespace cellaro
