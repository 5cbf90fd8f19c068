// The pin indicator: a pushpin painted for a moment straight onto the screen over a window whose
// stay-on-top state was just switched, wiped again by making the system repaint that window.
#pragma once

#include "core/geometry.h"
#include "core/scale.h"

namespace cellaro {

class Desktop;
class EventLoop;

enum class PinPicture { Pinned, Unpinned };

inline constexpr int kPinIndicatorShowMs = 1250;

// Where the indicator's top-left corner goes for a window, in physical screen pixels: the middle
// of its top edge, 3 pixels (at 96 DPI; scaled to the dpi given) down.
[[nodiscard]] Point pinIndicatorPoint(const Rect& windowRect, int dpi = kBaseDpi);

// RisiPin: paints the picture, drawn at the given DPI (that of the window's monitor), with its
// top-left corner at the screen point, waits 1250 ms with the messages still running, then nudges
// the window a pixel to the right and back so the system repaints over the picture. Any failure is
// swallowed; a window that is gone is left alone.
void showPinIndicator(Desktop& desktop, EventLoop& loop, WindowId window, PinPicture picture, Point at,
                      int dpi = kBaseDpi);

} // namespace cellaro
