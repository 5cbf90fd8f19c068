// Tests of shortcut texts: fixed and platform key names, reading, and the round trip of every value.
#include "config/shortcut_text.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_keyboard.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

constexpr ShortcutValue kModifierCombinations[] = {0,
                                                   kShortcutShift,
                                                   kShortcutCtrl,
                                                   kShortcutAlt,
                                                   kShortcutShift | kShortcutCtrl,
                                                   kShortcutShift | kShortcutAlt,
                                                   kShortcutCtrl | kShortcutAlt,
                                                   kShortcutModifiers};

struct TextCase {
    int value;
    const char* text;
};

TEST(ShortcutText, WritesFixedAndPlatformNames) {
    const sim::SimKeyNames platform;
    const KeyNameTable names(platform);
    const TextCase cases[] = {
        {0, ""},
        {kShortcutAlt, ""}, // modifiers without a key
        {0x07 | kShortcutCtrl, ""},
        {0x08, "BkSp"},
        {0x09, "Tab"},
        {0x0D, "Enter"},
        {0x1B, "Esc"},
        {0x20, "Space"},
        {0x21, "PgUp"},
        {0x22, "PgDn"},
        {0x23, "End"},
        {0x24, "Home"},
        {0x25, "Left"},
        {0x26, "Up"},
        {0x27, "Right"},
        {0x28, "Down"},
        {0x2D, "Ins"},
        {0x2E, "Del"},
        {0x30, "0"},
        {0x39, "9"},
        {0x41, "A"},
        {0x5A, "Z"},
        {0x60, "0"},
        {0x69, "9"},
        {0x70, "F1"},
        {0x87, "F24"},
        {0x57 | kShortcutAlt, "Alt+W"},
        {0x51 | kShortcutAlt | kShortcutShift, "Shift+Alt+Q"},
        {0x2E | kShortcutModifiers, "Shift+Ctrl+Alt+Del"},
        {0x1F41, "A"}, // bits 8 to 12 ignored
        {0x11 | kShortcutCtrl, "Ctrl+Ctrl"},
        {0xBA | kShortcutCtrl, "Ctrl+;"},
        {0x6B | kShortcutShift, "Shift+Num +"},
        {0xA2, "VK_A2"}, // the platform repeats 0x11's name "Ctrl"
        {0x0A, "VK_0A"}, // no platform name
        {0xFF, "VK_FF"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(shortcutToText(static_cast<ShortcutValue>(c.value), names), c.text) << std::hex << c.value;
    }
}

TEST(ShortcutText, ReadsModifiersInAnyCaseAndOrder) {
    const sim::SimKeyNames platform;
    const KeyNameTable names(platform);
    const TextCase cases[] = {
        {0x51 | kShortcutShift | kShortcutAlt, "alt+shift+q"},
        {0x57 | kShortcutAlt, "Alt+W"},
        {0x41 | kShortcutCtrl, "^A"},
        {0x41 | kShortcutCtrl, "Ctrl+^a"},
        {0x41 | kShortcutShift, "Shift+shift+A"},
        {0x2E | kShortcutModifiers, "ALT+CTRL+SHIFT+del"},
        {0x87, "f24"},
        {0x35, "5"}, // the main-keyboard digit, never the keypad one
        {0xBA | kShortcutAlt, "Alt+;"},
        {0x6B, "num +"},
        {0x11, "Ctrl"},
        {0x11 | kShortcutCtrl, "Ctrl+Ctrl"},
        {0xA2 | kShortcutCtrl, "^vk_a2"},
        {0, "None"},
        {0, ""},
        {0, "Alt+"},
        {0, "Shift+Ctrl+Alt+"},
        {0, "^"},
        {0, "F25"},
        {0, "Alt + W"},
        {0, "Alt+W "},
        {0, "VK_BA"}, // 0xBA has a platform name, so this is not its text
        {0, "VK_07"},
        {0, "Win+A"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(shortcutFromText(c.text, names), c.value) << c.text;
    }
}

// value -> text -> value gives the value back for every named key with every modifier combination,
// except that keypad digits come back as main digits; text -> value -> text is then stable.
void expectEveryValueRoundTrips(const KeyNameTable& names, const char* tableName) {
    for (int code = 0; code <= 0xFF; ++code) {
        for (ShortcutValue modifiers : kModifierCombinations) {
            const auto value = static_cast<ShortcutValue>(modifiers | code);
            const std::string text = shortcutToText(value, names);
            if (code < 0x08) {
                EXPECT_EQ(text, "") << tableName << " code " << code;
                continue;
            }
            ASSERT_FALSE(text.empty()) << tableName << " code " << code;
            const ShortcutValue readBack = shortcutFromText(text, names);
            const bool keypadDigit = code >= 0x60 && code <= 0x69;
            const auto expected = static_cast<ShortcutValue>(keypadDigit ? value - 0x30 : value);
            EXPECT_EQ(readBack, expected) << tableName << " text " << text;
            EXPECT_EQ(shortcutToText(readBack, names), text) << tableName << " text " << text;
        }
    }
}

TEST(ShortcutText, EveryValueRoundTripsWithoutPlatformNames) {
    expectEveryValueRoundTrips(KeyNameTable(), "no platform names");
}

TEST(ShortcutText, EveryValueRoundTripsWithSimulatedKeyboardNames) {
    const sim::SimKeyNames platform;
    expectEveryValueRoundTrips(KeyNameTable(platform), "simulated keyboard");
}

TEST(ShortcutText, PlatformNamesThatWouldNotReadBackAreReplaced) {
    sim::SimKeyNames platform;
    platform.clear();
    const struct {
        std::uint8_t code;
        const char* platformName;
        const char* expectedName;
    } cases[] = {
        {0x0A, "A", "VK_0A"},      // the letter key's fixed name
        {0x0B, "f1", "VK_0B"},     // a fixed name in another case
        {0x0C, "^", "VK_0C"},      // reads as the Ctrl prefix
        {0x0E, "Alt+X", "VK_0E"},  // starts with a modifier prefix
        {0x0F, "", "VK_0F"},       // empty
        {0x10, " \r\n ", "VK_10"}, // nothing left after cleaning
        {0x11, "VK_12", "VK_11"},  // shaped like another code's own text
        {0x13, "Dup", "Dup"},      //
        {0x14, "DUP", "VK_14"},    // repeats 0x13's name in another case
        {0x15, "  Line\r\nBreak ", "LineBreak"},
        {0x16,
         "\xC3\xBC"
         "ber",
         "\xC3\xBC"
         "ber"}, // non-ASCII kept
        {0xDC, "\\", "\\"},
    };
    for (const auto& c : cases) {
        platform.setName(c.code, c.platformName);
    }
    const KeyNameTable names(platform);
    for (const auto& c : cases) {
        EXPECT_EQ(names.keyName(c.code), c.expectedName) << int{c.code};
    }
    EXPECT_EQ(names.keyCode("\xC3\xBC"
                            "BER"),
              0x16);
    EXPECT_EQ(names.keyCode("\xC3\x9C"
                            "BER"),
              0)
        << "non-ASCII letters compare exactly";
    expectEveryValueRoundTrips(names, "awkward platform names");
}

} // namespace
} // namespace cellaro
