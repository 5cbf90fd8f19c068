// Icons drawn into the program's own pictures.
#pragma once

#include "pixels/bitmap.h"

#include <windows.h>

#include <optional>

namespace cellaro::win32 {

// Largest icon picture we draw; larger requests are refused rather than allocating without bound.
inline constexpr int kMaxIconSize = 1024;

// The icon drawn at size x size over the background colour, or nothing when it cannot be drawn.
std::optional<Bitmap> drawIcon(HICON icon, int size, Colour background);

} // namespace cellaro::win32
