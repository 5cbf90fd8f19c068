// The tray icon's hint texts.
#pragma once

#include "core/product.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace cellaro {

// The shell shows at most this many characters of a tray hint.
inline constexpr std::size_t kTrayHintLimit = 127;

// The hint set at start-up: the product name, and on two or more monitors a second line with the
// 1-based number of the main form's monitor.
std::string startupTrayHint(int monitorCount, int monitorIndex);

// The text cut to its first 127 characters (whole UTF-8 sequences; a broken sequence counts as one
// character per byte).
std::string fitTrayHint(std::string_view text);

} // namespace cellaro
