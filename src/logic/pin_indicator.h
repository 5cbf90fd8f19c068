// The pin indicator: a pushpin painted for a moment straight onto the screen over a window whose
// stay-on-top state was just switched, wiped again by making the system repaint that window.
#pragma once

#include "core/geometry.h"

namespace cellaro {

class Desktop;
class EventLoop;

enum class PinPicture { Pinned, Unpinned };

inline constexpr int kPinIndicatorShowMs = 1250;

// Where the indicator goes for a window: the middle of its top edge, 3 pixels down.
[[nodiscard]] Point pinIndicatorPoint(const Rect& windowRect);

// RisiPin: paints the picture at the screen point, waits 1250 ms with the messages still running,
// then nudges the window a pixel to the right and back so the system repaints over the picture.
// Any failure is swallowed; a window that is gone is left alone.
void showPinIndicator(Desktop& desktop, EventLoop& loop, WindowId window, PinPicture picture, Point at);

} // namespace cellaro
