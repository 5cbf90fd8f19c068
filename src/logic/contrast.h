// The contrast rule: whether text on a colour should be white (dark colour) or black (light).
#pragma once

#include "core/geometry.h"

namespace cellaro {

// round(sqrt(0.241 R^2 + 0.691 G^2 + 0.068 B^2)), halves to even.
int brightness(Colour colour);
// Below 126 a colour counts as dark.
inline bool isDark(Colour colour) {
    return brightness(colour) < 126;
}
inline Colour textColourOn(Colour background) {
    return isDark(background) ? Colour::rgb(255, 255, 255) : Colour::rgb(0, 0, 0);
}

} // namespace cellaro
