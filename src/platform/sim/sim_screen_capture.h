// The simulated screen capture: the virtual screen spans the simulated desktop's monitors; the
// picture is the one a test gave, else the monitors in a plain colour with every visible window as
// a filled rectangle in z-order.
#pragma once

#include "pixels/bitmap.h"
#include "platform/screen_capture.h"

#include <cstddef>
#include <optional>

namespace cellaro::sim {

class SimDesktop;

class SimScreenCapture final : public ScreenCapture {
public:
    static constexpr Colour kDesktopColour = Colour::rgb(0, 128, 128);
    static constexpr Colour kWindowColour = Colour::rgb(240, 240, 240);

    explicit SimScreenCapture(const SimDesktop& desktop) : desktop_(desktop) {}

    // ----- Driving -----

    // The next captures give this picture; nothing: drawn from the desktop again.
    void setPicture(std::optional<Bitmap> picture) { picture_ = std::move(picture); }
    // The system gives no picture (a secure desktop, for instance).
    void setFailing(bool failing) { failing_ = failing; }

    // ----- Inspecting -----

    [[nodiscard]] std::size_t captures() const { return captures_; }

    // ----- The screen-capture port -----

    [[nodiscard]] Rect virtualScreen() const override;
    [[nodiscard]] std::optional<Bitmap> capture() override;

private:
    const SimDesktop& desktop_;
    std::optional<Bitmap> picture_;
    bool failing_ = false;
    std::size_t captures_ = 0;
};

} // namespace cellaro::sim
