// The simulated screen capture.
#include "platform/sim/sim_screen_capture.h"

#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <climits>

namespace cellaro::sim {

Rect SimScreenCapture::virtualScreen() const {
    const auto monitors = desktop_.monitors();
    if (monitors.empty()) {
        return Rect{};
    }
    Rect all{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Monitor& monitor : monitors) {
        all.left = std::min(all.left, monitor.bounds.left);
        all.top = std::min(all.top, monitor.bounds.top);
        all.right = std::max(all.right, monitor.bounds.right);
        all.bottom = std::max(all.bottom, monitor.bounds.bottom);
    }
    return all;
}

std::optional<Bitmap> SimScreenCapture::capture() {
    ++captures_;
    if (failing_) {
        return std::nullopt;
    }
    if (picture_) {
        return picture_;
    }
    const Rect screen = virtualScreen();
    Bitmap picture(screen.width(), screen.height(), Colour::rgb(0, 0, 0));
    for (const Monitor& monitor : desktop_.monitors()) {
        picture.fill(monitor.bounds.offset(-screen.left, -screen.top), kDesktopColour);
    }
    // Bottom of the z-order first, so the windows in front cover the ones behind.
    const auto windows = desktop_.topLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const auto frame = desktop_.visibleFrameRect(*it);
        if (desktop_.isVisible(*it) && !desktop_.isMinimized(*it) && frame) {
            picture.fill(frame->offset(-screen.left, -screen.top), kWindowColour);
        }
    }
    return picture;
}

} // namespace cellaro::sim
