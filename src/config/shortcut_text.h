// Shortcut values (virtual key in bits 0-7, Shift 0x2000, Ctrl 0x4000, Alt 0x8000) and their texts
// such as "Shift+Alt+Q", in both directions, over a table of key names built once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace cellaro {

class KeyNames;

using ShortcutValue = std::uint16_t;

inline constexpr ShortcutValue kShortcutShift = 0x2000;
inline constexpr ShortcutValue kShortcutCtrl = 0x4000;
inline constexpr ShortcutValue kShortcutAlt = 0x8000;
inline constexpr ShortcutValue kShortcutModifiers = kShortcutShift | kShortcutCtrl | kShortcutAlt;

[[nodiscard]] constexpr std::uint8_t shortcutKeyCode(ShortcutValue value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The name of every key code 0..255, as shortcut texts use it:
// - fixed names: 0x08 BkSp, 0x09 Tab, 0x0D Enter, 0x1B Esc, 0x20 Space, 0x21 PgUp, 0x22 PgDn, 0x23 End,
//   0x24 Home, 0x25 Left, 0x26 Up, 0x27 Right, 0x28 Down, 0x2D Ins, 0x2E Del, 0x30-0x39 and the keypad
//   digits 0x60-0x69 "0".."9", 0x41-0x5A "A".."Z", 0x70-0x87 "F1".."F24";
// - other codes from 0x08 up: the platform's display name, cleaned of control characters and outer
//   blanks; when the platform has none, or its name could not be read back as this same code (empty,
//   starting with a modifier prefix such as "^", shaped like our own texts, or already the name of a
//   lower code or of a fixed key), the text "VK_" and two upper-case hex digits, e.g. "VK_BA";
// - codes 0x00..0x07 have no name.
// So every named code reads back as itself, except the keypad digits, which read as the main digits.
class KeyNameTable {
public:
    // Fixed names and own texts only, as on a platform that names no keys.
    KeyNameTable();
    explicit KeyNameTable(const KeyNames& platformNames);

    // The key's name; empty when it has none.
    [[nodiscard]] const std::string& keyName(std::uint8_t virtualKey) const { return names_[virtualKey]; }
    // The first code from 0x08 upward whose name equals the text without regard to ASCII case
    // (non-ASCII bytes compare exactly); 0 when none does.
    [[nodiscard]] std::uint8_t keyCode(std::string_view name) const;

private:
    void fill(const KeyNames* platformNames);

    std::array<std::string, 256> names_;
    std::unordered_map<std::string, std::uint8_t> codesByFoldedName_;
};

// The shortcut's text: "Shift+", "Ctrl+", "Alt+" for the modifiers set, in that order, then the key
// name; empty when the key has no name (0 included). Bits 8 to 12 are ignored.
[[nodiscard]] std::string shortcutToText(ShortcutValue value, const KeyNameTable& names);

// Reads a shortcut text: leading "Shift+", "^", "Ctrl+", "Alt+" (any case, any order, repeated) are
// taken as modifiers; the rest must be a key name. 0 when the rest is empty or names no key, so
// "None" reads as no shortcut.
[[nodiscard]] ShortcutValue shortcutFromText(std::string_view text, const KeyNameTable& names);

} // namespace cellaro
