// The pin indicator shown when a window is pinned on top or released.
#include "logic/pin_indicator.h"

#include "logic/pictures.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"

namespace cellaro {

namespace {
constexpr int kIndicatorTopOffset = 3;
} // namespace

Point pinIndicatorPoint(const Rect& windowRect, int dpi) {
    const Scale scale{dpi > 0 ? dpi : kBaseDpi};
    return {windowRect.left + windowRect.width() / 2, windowRect.top + scale.physical(kIndicatorTopOffset)};
}

void showPinIndicator(Desktop& desktop, EventLoop& loop, WindowId window, PinPicture picture, Point at,
                      int dpi) {
    const auto before = desktop.windowRect(window);
    if (!before) {
        return;
    }
    desktop.paintOnScreen(pinPicture(picture == PinPicture::Pinned, dpi), at, kPinTransparent);
    loop.sleep(kPinIndicatorShowMs);
    loop.processPendingMessages();
    desktop.move(window, before->offset(1, 0), true);
    desktop.move(window, *before, true);
}

} // namespace cellaro
