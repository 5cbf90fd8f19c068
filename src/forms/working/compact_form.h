// The working window's compact form, in one place: its size, corners, half width and opacities,
// which the window and the full-screen grid's return to it share.
#pragma once

#include "core/geometry.h"

#include <cstdint>

namespace cellaro::compact_form {

inline constexpr Size kSize{335, 267};
inline constexpr Size kCorners{13, 13};
// The window's left lies this far left of its monitor's middle.
inline constexpr int kHalfWidth = 167;
// Shown from the tray, and at rest (also after the full-screen grid).
inline constexpr std::uint8_t kShownAlpha = 220;
inline constexpr std::uint8_t kRestingAlpha = 200;

} // namespace cellaro::compact_form
