// Every section, key and default of the configuration file, in one place. Readers and writers name
// these constants; no other code spells a configuration key.
#pragma once

#include <array>
#include <string_view>

namespace cellaro {

// The grid board's cells across and down.
inline constexpr int kMinGridCells = 1;
inline constexpr int kMaxGridCells = 10;
inline constexpr int kDefaultGridCells = 6;

} // namespace cellaro

namespace cellaro::config {

struct IntegerKey {
    std::string_view section;
    std::string_view key;
    int defaultValue = 0;
};

struct BoolKey {
    std::string_view section;
    std::string_view key;
    bool defaultValue = false;
};

struct TextKey {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
};

inline constexpr std::string_view kFileName = "CRO.cfg";

inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kConfigSection = "Config";
inline constexpr std::string_view kNavigationMenuSection = "hmenu";

// Options: sliders of the settings window (positions 0..255; the applied opacity is 255 minus them).
inline constexpr IntegerKey kWindowTransparency{kOptionsSection, "Transparent", 160};
inline constexpr IntegerKey kFullScreenGridTransparency{kOptionsSection, "MrezaTransparent", 174};
// Options: 0 user-modified, 1..10 a preset scheme, 20 the default scheme.
inline constexpr IntegerKey kColourSchemeIndex{kOptionsSection, "ColorIDX", 20};
// Options: the colour set, 0x00BBGGRR written in decimal.
inline constexpr IntegerKey kBackgroundColour{kOptionsSection, "A1", 2039583};      // #1F1F1F
inline constexpr IntegerKey kGridBackgroundColour{kOptionsSection, "A2", 2039583};  // #1F1F1F
inline constexpr IntegerKey kGridColour{kOptionsSection, "A3", 8421504};            // #808080
inline constexpr IntegerKey kRangeSelectionColour{kOptionsSection, "A4", 12228995}; // #8399BA
inline constexpr IntegerKey kResizingWindowColour{kOptionsSection, "A5", 12228995}; // #8399BA
inline constexpr std::array<IntegerKey, 5> kColourKeys{kBackgroundColour, kGridBackgroundColour, kGridColour,
                                                       kRangeSelectionColour, kResizingWindowColour};
// Options: grid board cells across and down (1..10).
inline constexpr IntegerKey kGridColumns{kOptionsSection, "SEW", 6};
inline constexpr IntegerKey kGridRows{kOptionsSection, "SEH", 6};
inline constexpr BoolKey kAutoHide{kOptionsSection, "AutoHide", false};
// Options: "Do not show this message again." of the kill confirmations.
inline constexpr BoolKey kSkipKillConfirmation{kOptionsSection, "optAutohideagain", false};
// Options: 10 x 10 cells while the full-screen grid is shown.
inline constexpr BoolKey kMaxRowsColumns{kOptionsSection, "MNR", true};

// Config: the tray menu's "Load Cellaro at Startup" check (0 or 1; other values leave it alone).
inline constexpr IntegerKey kLoadAtStartup{kConfigSection, "load", 0};

// hmenu: position of the groups navigation menu. The left edge's default depends on the screen.
inline constexpr std::string_view kNavigationMenuLeftKey = "x";
inline constexpr int kNavigationMenuLeftFromScreenRight = 300;
inline constexpr IntegerKey navigationMenuLeft(int primaryScreenWidth) {
    return IntegerKey{kNavigationMenuSection, kNavigationMenuLeftKey,
                      primaryScreenWidth - kNavigationMenuLeftFromScreenRight};
}
inline constexpr IntegerKey kNavigationMenuTop{kNavigationMenuSection, "y", 45};

// The thirty-two global shortcuts, stored as shortcut texts under "HotKey<number>" in Options.
struct ShortcutKey {
    int number = 0;
    TextKey setting;
};

inline constexpr std::string_view kNoShortcutText = "None";

inline constexpr std::array<ShortcutKey, 32> kShortcutKeys{{
    {2, {kOptionsSection, "HotKey2", kNoShortcutText}},
    {3, {kOptionsSection, "HotKey3", kNoShortcutText}},
    {4, {kOptionsSection, "HotKey4", kNoShortcutText}},
    {5, {kOptionsSection, "HotKey5", kNoShortcutText}},
    {8, {kOptionsSection, "HotKey8", kNoShortcutText}},
    {9, {kOptionsSection, "HotKey9", kNoShortcutText}},
    {10, {kOptionsSection, "HotKey10", kNoShortcutText}},
    {12, {kOptionsSection, "HotKey12", kNoShortcutText}},
    {13, {kOptionsSection, "HotKey13", kNoShortcutText}},
    {14, {kOptionsSection, "HotKey14", kNoShortcutText}},
    {15, {kOptionsSection, "HotKey15", kNoShortcutText}},
    {16, {kOptionsSection, "HotKey16", kNoShortcutText}},
    {17, {kOptionsSection, "HotKey17", kNoShortcutText}},
    {18, {kOptionsSection, "HotKey18", kNoShortcutText}},
    {19, {kOptionsSection, "HotKey19", kNoShortcutText}},
    {20, {kOptionsSection, "HotKey20", kNoShortcutText}},
    {21, {kOptionsSection, "HotKey21", kNoShortcutText}},
    {22, {kOptionsSection, "HotKey22", kNoShortcutText}},
    {23, {kOptionsSection, "HotKey23", kNoShortcutText}},
    {24, {kOptionsSection, "HotKey24", kNoShortcutText}},
    {25, {kOptionsSection, "HotKey25", kNoShortcutText}},
    {26, {kOptionsSection, "HotKey26", kNoShortcutText}},
    {27, {kOptionsSection, "HotKey27", kNoShortcutText}},
    {28, {kOptionsSection, "HotKey28", kNoShortcutText}},
    {29, {kOptionsSection, "HotKey29", kNoShortcutText}},
    {30, {kOptionsSection, "HotKey30", kNoShortcutText}},
    {31, {kOptionsSection, "HotKey31", kNoShortcutText}},
    {32, {kOptionsSection, "HotKey32", kNoShortcutText}},
    {101, {kOptionsSection, "HotKey101", kNoShortcutText}},
    {102, {kOptionsSection, "HotKey102", kNoShortcutText}},
    {107, {kOptionsSection, "HotKey107", "Alt+W"}},
    {108, {kOptionsSection, "HotKey108", kNoShortcutText}},
}};

// The shortcut key with that number, or null when there is none (6, 7, 11, 33..100, ...).
inline constexpr const ShortcutKey* findShortcutKey(int number) {
    for (const ShortcutKey& entry : kShortcutKeys) {
        if (entry.number == number) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace cellaro::config
