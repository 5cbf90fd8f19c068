// Draws an icon into a 24-bit DIB section and copies the pixels into a Bitmap.
#include "platform/win32/win32_icon_drawing.h"

#include "platform/win32/win32_handles.h"

#include <cstdint>

namespace cellaro::win32 {

std::optional<Bitmap> drawIcon(HICON icon, int size, Colour background) {
    if (icon == nullptr || size <= 0 || size > kMaxIconSize) {
        return std::nullopt;
    }
    const ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedGdiObject section(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return std::nullopt;
    }
    const ScopedSelection selection(dc.get(), section.get());
    if (!selection.selected()) {
        return std::nullopt;
    }

    // Rows of a DIB are padded to four bytes; pixels are stored blue, green, red.
    const std::size_t stride = (static_cast<std::size_t>(size) * 3U + 3U) & ~std::size_t{3U};
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < size; ++y) {
        std::uint8_t* pixel = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < size; ++x, pixel += 3) {
            pixel[0] = background.blue();
            pixel[1] = background.green();
            pixel[2] = background.red();
        }
    }
    if (::DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL) == 0) {
        return std::nullopt;
    }
    ::GdiFlush(); // the drawing must have reached the bits before they are read

    Bitmap picture(size, size, background);
    for (int y = 0; y < size; ++y) {
        const std::uint8_t* pixel = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < size; ++x, pixel += 3) {
            picture.setPixel(x, y, Colour::rgb(pixel[2], pixel[1], pixel[0]));
        }
    }
    return picture;
}

} // namespace cellaro::win32
