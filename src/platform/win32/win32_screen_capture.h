// The screen capture over the Windows API.
#pragma once

#include "platform/screen_capture.h"

namespace cellaro::win32 {

class Win32ScreenCapture final : public ScreenCapture {
public:
    [[nodiscard]] Rect virtualScreen() const override;
    [[nodiscard]] std::optional<Bitmap> capture() override;
};

} // namespace cellaro::win32
