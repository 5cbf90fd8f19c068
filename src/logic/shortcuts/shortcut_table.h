// The thirty-two global shortcuts: number, label, default and place on the settings window's
// Shortcuts page, and the two orders in which their values are applied. What each runs is the
// command table's row of its number.
#pragma once

#include "config/config_keys.h"

#include <array>
#include <string_view>

namespace cellaro {

// Where the editor stands: in the upper block by column and row (box empty), in the lower block by
// box and place in it (column 1 to 4, row 0).
struct ShortcutPagePosition {
    std::string_view box;
    int column = 0;
    int row = 0;
};

struct ShortcutEntry {
    int number = 0;
    ShortcutPagePosition position;
    std::string_view label;
    // The operation it runs (the command table has the call): the button or menu item it repeats.
    std::string_view operation;
    // The configuration file's default text.
    std::string_view defaultText;
};

namespace detail {
constexpr std::string_view shortcutDefault(int number) {
    for (const config::ShortcutKey& key : config::kShortcutKeys) {
        if (key.number == number) {
            return key.setting.defaultValue;
        }
    }
    return {};
}
constexpr ShortcutEntry shortcut(int number, ShortcutPagePosition position, std::string_view label,
                                 std::string_view operation) {
    return ShortcutEntry{number, position, label, operation, shortcutDefault(number)};
}
} // namespace detail

inline constexpr std::string_view kUpperShortcutBlock = "Shortcuts";
inline constexpr std::string_view kLowerShortcutBlock = "Manage groups of windows";

// In page order.
inline constexpr std::array<ShortcutEntry, 32> kShortcutTable{{
    detail::shortcut(5, {{}, 1, 1}, "Show Cellaro", "tray: Show Cellaro"),
    detail::shortcut(30, {{}, 1, 2}, "Groups navigation menu",
                     "tray: Groups navigation menu (show or close the navigation menu)"),
    detail::shortcut(2, {{}, 1, 3}, "Stay on top On/Off", "working window: Stay on top"),
    detail::shortcut(3, {{}, 1, 4}, "Transparent", "working window: Transparent"),
    detail::shortcut(12, {{}, 1, 5}, "Move to Next Monitor", "working window: next monitor"),
    detail::shortcut(107, {{}, 2, 1}, "Full screen grid - monitor 1", "tray: Fullscreen grid - monitor 1"),
    detail::shortcut(8, {{}, 2, 2}, "Minimize", "working window: Minimize"),
    detail::shortcut(9, {{}, 2, 3}, "Restore", "working window: Restore"),
    detail::shortcut(10, {{}, 2, 4}, "Maximize", "working window: Maximize"),
    detail::shortcut(101, {{}, 2, 5}, "Kill process of selected window",
                     "kill confirmation, then close the target window"),
    detail::shortcut(108, {{}, 3, 1}, "Full screen grid - monitor 2", "tray: Fullscreen grid - monitor 2"),
    detail::shortcut(15, {{}, 3, 2}, "Manage groups",
                     "working window: Manage Groups (open the window manager list)"),
    detail::shortcut(4, {{}, 3, 3}, " Tile", "working window: Tile"),
    detail::shortcut(13, {{}, 3, 4}, "Sleep", "working window: Sleep"),
    detail::shortcut(102, {{}, 3, 5}, "Focus active window", "tray: Focus active window"),
    detail::shortcut(25, {" Bring to Front ", 1, 0}, "Next group", "group step of GC3"),
    detail::shortcut(26, {" Bring to Front ", 2, 0}, "Previous group", "group step of GD3"),
    detail::shortcut(31, {" Show Only ", 1, 0}, "Next group", "group step of GA3"),
    detail::shortcut(32, {" Show Only ", 2, 0}, "Previous group", "group step of GB3"),
    detail::shortcut(14, {" Group A ", 1, 0}, "Show only", "GA4"),
    detail::shortcut(16, {" Group A ", 2, 0}, "Bring to front", "GA5"),
    detail::shortcut(17, {" Group A ", 3, 0}, "Minimize", "GA1"),
    detail::shortcut(18, {" Group A ", 4, 0}, "Restore", "GA2"),
    detail::shortcut(19, {" Group B ", 1, 0}, "Show only", "GB4"),
    detail::shortcut(20, {" Group B ", 2, 0}, "Bring to front", "GB5"),
    detail::shortcut(21, {" Group B ", 3, 0}, "Minimize", "GB1"),
    detail::shortcut(22, {" Group B ", 4, 0}, "Restore", "GB2"),
    detail::shortcut(23, {" Group C ", 1, 0}, "Show only", "GC4"),
    detail::shortcut(24, {" Group C ", 2, 0}, "Bring to front", "GC5"),
    detail::shortcut(27, {" Group D ", 1, 0}, "Show only", "GD4"),
    detail::shortcut(28, {" Group D ", 2, 0}, "Bring to front", "GD5"),
    detail::shortcut(29, {" Group D ", 3, 0}, "Minimize", "GD1"),
}};

// The order in which the configuration's values reach the shortcuts when the settings are loaded.
inline constexpr std::array<int, 32> kLoadOrder{2,  3,  4,  5,  107, 8,  9,  10,  12,  13, 14,
                                                15, 16, 17, 18, 19,  20, 21, 22,  23,  24, 25,
                                                26, 27, 28, 29, 30,  31, 32, 101, 102, 108};
// The order in which the editors' values reach the shortcuts when the settings are applied (OK).
inline constexpr std::array<int, 32> kApplyOrder{2,  3,  4,  5,  107, 108, 8,  9,  10,  12, 13,
                                                 14, 15, 16, 17, 18,  19,  20, 21, 22,  23, 24,
                                                 25, 26, 27, 28, 29,  30,  31, 32, 101, 102};

// The entry with that number, or null.
[[nodiscard]] constexpr const ShortcutEntry* findShortcut(int number) {
    for (const ShortcutEntry& entry : kShortcutTable) {
        if (entry.number == number) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace cellaro
