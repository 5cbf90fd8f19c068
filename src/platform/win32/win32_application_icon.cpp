// Draws the program's icon at a given size and makes a system icon of it.
#include "platform/win32/win32_application_icon.h"

#include "platform/win32/win32_icon_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace cellaro::win32 {

namespace {

struct Rgb {
    double red;
    double green;
    double blue;
};
constexpr Rgb kBackground{0x26, 0x2C, 0x38};
constexpr Rgb kFreeCell{0x4A, 0x52, 0x61};
constexpr Rgb kAccent{0x83, 0x99, 0xBA};

struct RoundedBox {
    double left;
    double top;
    double right;
    double bottom;
    double radius;

    // Whether the point lies in [left, right) x [top, bottom) with the corners rounded.
    [[nodiscard]] bool contains(double x, double y) const {
        if (x < left || x >= right || y < top || y >= bottom) {
            return false;
        }
        if (radius <= 0) {
            return true;
        }
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    }
};

// Halves to even, as the build-time drawing rounds.
int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

struct IconLayout {
    RoundedBox outer;
    std::array<RoundedBox, 9> cells;
};

// The outer square and the nine cells, snapped so the grid lines stay crisp.
IconLayout layoutFor(int size) {
    IconLayout layout{};
    const int margin = size <= 24 ? 0 : roundEven(size / 32.0);
    layout.outer = RoundedBox{static_cast<double>(margin), static_cast<double>(margin),
                              static_cast<double>(size - margin), static_cast<double>(size - margin),
                              std::max(2.0, size * 0.18)};
    const int padding = std::max(1, roundEven(size * 0.13));
    const int gap = std::max(1, roundEven(size * 0.06));
    const int inner = size - 2 * padding;
    const int cell = (inner - 2 * gap) / 3;
    const int start = padding + (inner - (3 * cell + 2 * gap)) / 2;
    const double cellRadius = size >= 32 ? cell * 0.14 : 0.0;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int left = start + column * (cell + gap);
            const int top = start + row * (cell + gap);
            layout.cells[static_cast<std::size_t>(row * 3 + column)] =
                RoundedBox{static_cast<double>(left), static_cast<double>(top),
                           static_cast<double>(left + cell), static_cast<double>(top + cell), cellRadius};
        }
    }
    return layout;
}

std::uint32_t channel(double total, int covered) {
    return static_cast<std::uint32_t>(std::clamp(roundEven(total / covered), 0, 0xFF));
}

} // namespace

std::vector<std::uint32_t> applicationIconPixels(int size) {
    if (size <= 0 || size > kMaxIconSize) {
        return {};
    }
    const IconLayout layout = layoutFor(size);
    // Samples per pixel edge: the small sizes need the smoothing most.
    const int samples = size <= 48 ? 4 : 2;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0;
            Rgb total{0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double px = x + (sx + 0.5) / samples;
                    const double py = y + (sy + 0.5) / samples;
                    if (!layout.outer.contains(px, py)) {
                        continue;
                    }
                    ++covered;
                    Rgb colour = kBackground;
                    for (std::size_t index = 0; index < layout.cells.size(); ++index) {
                        if (layout.cells[index].contains(px, py)) {
                            const bool lit = index / 3 < 2 && index % 3 < 2;
                            colour = lit ? kAccent : kFreeCell;
                            break;
                        }
                    }
                    total.red += colour.red;
                    total.green += colour.green;
                    total.blue += colour.blue;
                }
            }
            if (covered == 0) {
                continue;
            }
            const auto alpha = static_cast<std::uint32_t>(roundEven(255.0 * covered / (samples * samples)));
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                   static_cast<std::size_t>(x)] = (alpha << 24) | (channel(total.red, covered) << 16) |
                                                  (channel(total.green, covered) << 8) |
                                                  channel(total.blue, covered);
        }
    }
    return pixels;
}

ScopedIcon makeApplicationIcon(int size) {
    const std::vector<std::uint32_t> pixels = applicationIconPixels(size);
    if (pixels.empty()) {
        return ScopedIcon{};
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = size;
    header.bV5Height = -size; // top-down rows
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const ScopedWindowDc screen(nullptr);
    const ScopedGdiObject colour(::CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                                    DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || bits == nullptr) {
        return ScopedIcon{};
    }
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    ::GdiFlush();
    // The colour bitmap's alpha says what shows; the mask, for whatever draws without alpha, sets
    // the pixels that are wholly clear. Rows of a monochrome bitmap are padded to 16 bits.
    const std::size_t maskStride = static_cast<std::size_t>((size + 15) / 16) * 2U;
    std::vector<std::uint8_t> maskBits(maskStride * static_cast<std::size_t>(size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((pixels[static_cast<std::size_t>(y * size + x)] >> 24) == 0) {
                maskBits[static_cast<std::size_t>(y) * maskStride + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80U >> (x % 8));
            }
        }
    }
    const ScopedGdiObject mask(::CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!mask) {
        return ScopedIcon{};
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = static_cast<HBITMAP>(colour.get());
    info.hbmMask = static_cast<HBITMAP>(mask.get());
    // The system copies both bitmaps into the icon.
    return ScopedIcon(::CreateIconIndirect(&info));
}

} // namespace cellaro::win32
