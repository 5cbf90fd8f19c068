// Shortcut texts: the key-name table and the conversions between values and texts.
#include "config/shortcut_text.h"

#include "core/ascii.h"
#include "platform/keyboard.h"

#include <algorithm>
#include <optional>

namespace cellaro {

namespace {

constexpr std::uint8_t kFirstNamedCode = 0x08;

struct ModifierPrefix {
    std::string_view text;
    ShortcutValue bit;
};

constexpr std::array<ModifierPrefix, 4> kModifierPrefixes{{
    {"Shift+", kShortcutShift},
    {"^", kShortcutCtrl},
    {"Ctrl+", kShortcutCtrl},
    {"Alt+", kShortcutAlt},
}};

const ModifierPrefix* leadingModifier(std::string_view text) {
    for (const ModifierPrefix& prefix : kModifierPrefixes) {
        if (ascii::startsWithIgnoringCase(text, prefix.text)) {
            return &prefix;
        }
    }
    return nullptr;
}

std::optional<std::string> fixedKeyName(int code) {
    switch (code) {
    case 0x08:
        return "BkSp";
    case 0x09:
        return "Tab";
    case 0x0D:
        return "Enter";
    case 0x1B:
        return "Esc";
    case 0x20:
        return "Space";
    case 0x21:
        return "PgUp";
    case 0x22:
        return "PgDn";
    case 0x23:
        return "End";
    case 0x24:
        return "Home";
    case 0x25:
        return "Left";
    case 0x26:
        return "Up";
    case 0x27:
        return "Right";
    case 0x28:
        return "Down";
    case 0x2D:
        return "Ins";
    case 0x2E:
        return "Del";
    default:
        break;
    }
    if (code >= 0x30 && code <= 0x39) {
        return std::string(1, static_cast<char>('0' + code - 0x30));
    }
    if (code >= 0x41 && code <= 0x5A) {
        return std::string(1, static_cast<char>('A' + code - 0x41));
    }
    if (code >= 0x60 && code <= 0x69) {
        return std::string(1, static_cast<char>('0' + code - 0x60));
    }
    if (code >= 0x70 && code <= 0x87) {
        // Built in place: "F" + std::to_string(...) trips a false -Wrestrict in GCC 12 at -O3.
        std::string name = std::to_string(code - 0x70 + 1);
        name.insert(name.begin(), 'F');
        return name;
    }
    return std::nullopt;
}

std::string ownKeyText(int code) {
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    std::string text = "VK_";
    text += hexDigits[(code >> 4) & 0xF];
    text += hexDigits[code & 0xF];
    return text;
}

bool looksLikeOwnKeyText(std::string_view name) {
    const auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    return name.size() == 5 && ascii::startsWithIgnoringCase(name, "VK_") && isHex(name[3]) && isHex(name[4]);
}

// A platform name as it will survive the configuration file: no control characters (CR and LF
// would be stripped on writing), no blanks at either end (trimmed on reading).
std::string cleanPlatformName(std::string_view name) {
    std::string cleaned;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            cleaned.push_back(c);
        }
    }
    const auto first = cleaned.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return cleaned.substr(first, cleaned.find_last_not_of(' ') - first + 1);
}

} // namespace

KeyNameTable::KeyNameTable() {
    fill(nullptr);
}

KeyNameTable::KeyNameTable(const KeyNames& platformNames) {
    fill(&platformNames);
}

void KeyNameTable::fill(const KeyNames* platformNames) {
    // The fixed names first, so that a platform name can never take one of them away. Codes are
    // entered upward and the first entry of a name stays: the keypad digits read as main digits.
    for (int code = kFirstNamedCode; code <= 0xFF; ++code) {
        if (std::optional<std::string> fixed = fixedKeyName(code)) {
            names_[code] = std::move(*fixed);
            codesByFoldedName_.emplace(ascii::lowered(names_[code]), static_cast<std::uint8_t>(code));
        }
    }
    for (int code = kFirstNamedCode; code <= 0xFF; ++code) {
        if (!names_[code].empty()) {
            continue;
        }
        std::string name;
        if (platformNames != nullptr) {
            if (std::optional<std::string> platformName =
                    platformNames->displayName(static_cast<std::uint8_t>(code))) {
                name = cleanPlatformName(*platformName);
            }
        }
        const bool readsBack = !name.empty() && leadingModifier(name) == nullptr &&
                               !looksLikeOwnKeyText(name) &&
                               !codesByFoldedName_.contains(ascii::lowered(name));
        names_[code] = readsBack ? std::move(name) : ownKeyText(code);
        codesByFoldedName_.emplace(ascii::lowered(names_[code]), static_cast<std::uint8_t>(code));
    }
}

std::uint8_t KeyNameTable::keyCode(std::string_view name) const {
    const auto found = codesByFoldedName_.find(ascii::lowered(name));
    return found == codesByFoldedName_.end() ? 0 : found->second;
}

std::string shortcutToText(ShortcutValue value, const KeyNameTable& names) {
    const std::string& keyName = names.keyName(shortcutKeyCode(value));
    if (keyName.empty()) {
        return {};
    }
    std::string text;
    if ((value & kShortcutShift) != 0) {
        text += "Shift+";
    }
    if ((value & kShortcutCtrl) != 0) {
        text += "Ctrl+";
    }
    if ((value & kShortcutAlt) != 0) {
        text += "Alt+";
    }
    text += keyName;
    return text;
}

ShortcutValue shortcutFromText(std::string_view text, const KeyNameTable& names) {
    ShortcutValue modifiers = 0;
    while (const ModifierPrefix* prefix = leadingModifier(text)) {
        modifiers |= prefix->bit;
        text.remove_prefix(prefix->text.size());
    }
    if (text.empty()) {
        return 0;
    }
    const std::uint8_t code = names.keyCode(text);
    if (code == 0) {
        return 0;
    }
    return static_cast<ShortcutValue>(modifiers | code);
}

} // namespace cellaro
