// The auto-hide fade arithmetic.
#include "logic/auto_hide.h"

namespace cellaro {

namespace {
constexpr std::uint8_t kShownAlpha = 220;
}

FadeStep autoHideStep(int counter, Point pointer, Size client, int windowWidth, bool fullScreen) {
    FadeStep step;
    step.counter = counter;
    // Pointer well inside: back to full strength.
    if (counter > 10 && pointer.y > 0 && pointer.y < client.height && pointer.x > 0 &&
        pointer.x < client.width) {
        if (!fullScreen) {
            step.alpha = kShownAlpha;
        }
        step.counter = 218;
    }
    if (pointer.y >= 0 && pointer.y <= client.height && pointer.x >= 0 && pointer.x <= windowWidth) {
        step.pointerInside = true;
        return step;
    }
    int c = step.counter;
    if (c > 150) {
        --c;
    }
    if (c > 150 && !fullScreen) {
        step.alpha = kShownAlpha;
    }
    if (c >= 51 && c <= 150) {
        c -= 2;
    }
    if (c >= 7 && c <= 110) {
        c -= 5;
    }
    if (c < 10) {
        step.close = true;
    }
    if (c < 150) {
        step.alpha = static_cast<std::uint8_t>(c < 0 ? 0 : c);
    } else if (!fullScreen) {
        step.alpha = kShownAlpha;
    }
    step.counter = c;
    return step;
}

} // namespace cellaro
