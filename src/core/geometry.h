// Plain geometry and identity types shared by the logic, the forms and the ports.
// Win32 types never cross this line; the Windows adapter converts at its edge.
#pragma once

#include <compare>
#include <cstdint>

namespace cellaro {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Edges in virtual-screen pixels; right and bottom are exclusive, as with RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromBounds(int left, int top, int width, int height) {
        return Rect{left, top, left + width, top + height};
    }
    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    [[nodiscard]] constexpr bool empty() const { return right <= left || bottom <= top; }
    [[nodiscard]] constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    [[nodiscard]] constexpr Rect offset(int dx, int dy) const {
        return Rect{left + dx, top + dy, right + dx, bottom + dy};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A colour in the platform encoding 0x00BBGGRR (red in the low byte).
struct Colour {
    std::uint32_t value = 0;

    static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Colour{static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8U) |
                      (static_cast<std::uint32_t>(b) << 16U)};
    }
    [[nodiscard]] constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFFU); }
    [[nodiscard]] constexpr std::uint8_t green() const {
        return static_cast<std::uint8_t>((value >> 8U) & 0xFFU);
    }
    [[nodiscard]] constexpr std::uint8_t blue() const {
        return static_cast<std::uint8_t>((value >> 16U) & 0xFFU);
    }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

// Opaque identity of a top-level window (the handle's bits on Windows). Zero is "no window".
struct WindowId {
    std::uintptr_t value = 0;

    [[nodiscard]] constexpr bool valid() const { return value != 0; }
    explicit constexpr operator bool() const { return valid(); }
    // clang-tidy 14 mistakes the defaulted comparison's zero literal for a null pointer.
    friend constexpr auto operator<=>(const WindowId&,
                                      const WindowId&) = default; // NOLINT(modernize-use-nullptr)
};

inline constexpr WindowId kNoWindow{};

} // namespace cellaro
