// The tray icon's hint texts and its first-start balloon.
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

// The balloon the tray icon shows on a first start (no CRO.cfg beside the program): where Cellaro
// lives and how its grid opens. `fullScreenShortcut` is the text of the shortcut that opens the
// full-screen grid, empty when none is held (the balloon then names the click alone).
struct TrayBalloon {
    std::string title;
    std::string text;
};
TrayBalloon firstStartBalloon(std::string_view fullScreenShortcut);

// The text cut to its first 127 characters (whole UTF-8 sequences; a broken sequence counts as one
// character per byte).
std::string fitTrayHint(std::string_view text);

} // namespace cellaro
