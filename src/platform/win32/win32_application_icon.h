// The program's icon drawn in code at any size, so the notification area gets a picture made for
// its scale rather than the nearest stored size stretched.
#pragma once

#include "platform/win32/win32_handles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace cellaro::win32 {

// The icon's pixels as 0xAARRGGBB (straight alpha), rows from the top. The picture is the one
// resources/make_icon.py stores in the executable: a rounded dark square holding a 3 x 3 grid whose
// top-left 2 x 2 cells are lit, snapped to whole pixels and smoothed by supersampling.
std::vector<std::uint32_t> applicationIconPixels(int size);

// The icon as a system icon of size x size; null when the system refuses one.
ScopedIcon makeApplicationIcon(int size);

} // namespace cellaro::win32
