// The screen-capture port: a picture of what the screen shows now.
#pragma once

#include "core/geometry.h"

#include <optional>

namespace cellaro {

class Bitmap;

class ScreenCapture {
public:
    ScreenCapture() = default;
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;
    ScreenCapture(ScreenCapture&&) = delete;
    ScreenCapture& operator=(ScreenCapture&&) = delete;
    virtual ~ScreenCapture() = default;

    // The rectangle that holds every monitor, in physical screen pixels.
    [[nodiscard]] virtual Rect virtualScreen() const = 0;
    // The whole virtual screen as it is shown now, pixel (0, 0) at virtualScreen()'s top-left corner;
    // nothing when the system gives no picture.
    [[nodiscard]] virtual std::optional<Bitmap> capture() = 0;
};

} // namespace cellaro
