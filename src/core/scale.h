// Display scale: the program's forms are laid out in device-independent pixels (96 to the inch)
// and shown at the dots per inch of the monitor they are on. Everything that acts on other windows
// stays in physical screen pixels.
#pragma once

#include "core/geometry.h"

namespace cellaro {

inline constexpr int kBaseDpi = 96;

struct Scale {
    int dpi = kBaseDpi;

    // Rounded to the nearest pixel, halves away from zero, as the system's MulDiv does.
    [[nodiscard]] static constexpr int mulDiv(int value, int numerator, int denominator) {
        const long long product = static_cast<long long>(value) * numerator;
        const long long half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator
                                             : (product - half) / denominator);
    }
    [[nodiscard]] constexpr bool unscaled() const { return dpi == kBaseDpi; }
    // Device-independent to physical pixels, and back.
    [[nodiscard]] constexpr int physical(int dip) const { return mulDiv(dip, dpi, kBaseDpi); }
    [[nodiscard]] constexpr int dip(int physicalPixels) const {
        return mulDiv(physicalPixels, kBaseDpi, dpi);
    }
    [[nodiscard]] constexpr Size physical(Size dip) const {
        return {physical(dip.width), physical(dip.height)};
    }
    [[nodiscard]] constexpr Size dip(Size px) const { return {dip(px.width), dip(px.height)}; }
    [[nodiscard]] constexpr Point physical(Point dip) const { return {physical(dip.x), physical(dip.y)}; }
    [[nodiscard]] constexpr Point dip(Point px) const { return {dip(px.x), dip(px.y)}; }
    // Each edge scaled, so that neighbouring rectangles stay neighbours.
    [[nodiscard]] constexpr Rect physical(const Rect& dip) const {
        return {physical(dip.left), physical(dip.top), physical(dip.right), physical(dip.bottom)};
    }
    [[nodiscard]] constexpr Rect dip(const Rect& px) const {
        return {dip(px.left), dip(px.top), dip(px.right), dip(px.bottom)};
    }
    friend constexpr bool operator==(const Scale&, const Scale&) = default;
};

} // namespace cellaro
