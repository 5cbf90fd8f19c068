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

// The target's outer rectangle as the frame goes round it: a window whose left and top are both
// at most 1 (a maximised window hangs a few pixels over its monitor's edges) is framed from (1, 1),
// so the frame's top-left corner stays on the screen.
[[nodiscard]] Rect highlightRectangle(const Rect& windowRect);

// The pen width at a monitor's DPI.
[[nodiscard]] int highlightPenWidth(int dpi);

// The closed outline left-top, right-top, right-bottom, left-bottom and back, with a square pen of
// highlightPenWidth(dpi) centred on those points, in kHighlightColour; what falls outside the
// picture is clipped.
void drawHighlightFrame(Bitmap& picture, const Rect& area, int dpi = kBaseDpi);

} // namespace cellaro
