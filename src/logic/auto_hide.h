// The auto-hide fade of the working window: one step of its 200 ms timer as plain arithmetic.
#pragma once

#include "core/geometry.h"

#include <cstdint>
#include <optional>

namespace cellaro {

inline constexpr int kFadeStartFromTray = 220;
inline constexpr int kFadeStartOther = 255;

struct FadeStep {
    int counter = 0;
    std::optional<std::uint8_t> alpha; // the opacity to set, if any
    bool close = false;                // the window fades out now
    bool pointerInside = false;        // the pointer is over the window: the window stays
};

// Timer4Timer, from its fourth step: the pointer in client coordinates, the client size and the
// window's width decide whether the window stays at alpha 220 or fades by the counter.
FadeStep autoHideStep(int counter, Point pointer, Size client, int windowWidth, bool fullScreen);

} // namespace cellaro
