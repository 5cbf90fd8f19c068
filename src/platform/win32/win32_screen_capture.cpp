// Capturing the virtual screen: a copy of the screen's device context into a 24-bit picture.
#include "platform/win32/win32_screen_capture.h"

#include "pixels/bitmap.h"
#include "platform/win32/win32_handles.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cellaro::win32 {

Rect Win32ScreenCapture::virtualScreen() const {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect::fromBounds(left, top, ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// The screen's device context (GetDC of no window) spans every monitor in virtual-screen
// coordinates; the program is per-monitor DPI aware, so these are physical pixels. The copy goes
// into a DIB section, whose bits are then read row by row.
std::optional<Bitmap> Win32ScreenCapture::capture() {
    const Rect screen = virtualScreen();
    const int width = screen.width();
    const int height = screen.height();
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const ScopedWindowDc screenDc(nullptr);
    if (!screenDc) {
        return std::nullopt;
    }
    const ScopedMemoryDc memoryDc(::CreateCompatibleDC(screenDc.get()));
    if (!memoryDc) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedGdiObject section(
        ::CreateDIBSection(memoryDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return std::nullopt;
    }
    {
        const ScopedSelection selection(memoryDc.get(), section.get());
        if (!selection.selected() || ::BitBlt(memoryDc.get(), 0, 0, width, height, screenDc.get(),
                                              screen.left, screen.top, SRCCOPY | CAPTUREBLT) == 0) {
            return std::nullopt;
        }
    }
    ::GdiFlush(); // the section's bits are complete only once GDI has finished drawing into them

    Bitmap picture(width, height);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3U + 3U) & ~std::size_t{3U};
    const auto* rows = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += 3) {
            picture.setPixel(x, y, Colour::rgb(in[2], in[1], in[0]));
        }
    }
    return picture;
}

} // namespace cellaro::win32
