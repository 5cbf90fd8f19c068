// The product's own names and the places where its windows wait out of sight.
#pragma once

#include <string_view>

namespace cellaro {

// The product name: the main windows' titles, the tray hint's first line, message box captions and
// the autostart Run value's name.
inline constexpr std::string_view kProductName = "Cellaro";

// Forms that are not shown wait above the screen at this top.
inline constexpr int kParkedTop = -1000;
// The invisible tray form waits further up, out of the way of every other parked form.
inline constexpr int kTrayFormParkedTop = -3000;

} // namespace cellaro
