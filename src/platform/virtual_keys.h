// The virtual-key codes the widgets and forms react to, as the keyboard messages give them, and
// the modifier keys held with a key press.
#pragma once

namespace cellaro {

namespace vk {
inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kEnter = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kAlt = 0x12;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kDelete = 0x2E;
inline constexpr int kDigit0 = 0x30;
inline constexpr int kDigit9 = 0x39;
inline constexpr int kLeftWindows = 0x5B;
inline constexpr int kRightWindows = 0x5C;
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kNumpad9 = 0x69;
inline constexpr int kF4 = 0x73;
// The left and right twins of Shift, Ctrl and Alt.
inline constexpr int kLeftShift = 0xA0;
inline constexpr int kRightAlt = 0xA5;

// Shift, Ctrl or Alt themselves, either side.
[[nodiscard]] constexpr bool isModifier(int key) {
    return key == kShift || key == kControl || key == kAlt || (key >= kLeftShift && key <= kRightAlt);
}
// The digit a main or keypad digit key types, or -1.
[[nodiscard]] constexpr int digitOf(int key) {
    if (key >= kDigit0 && key <= kDigit9) {
        return key - kDigit0;
    }
    if (key >= kNumpad0 && key <= kNumpad9) {
        return key - kNumpad0;
    }
    return -1;
}
} // namespace vk

// The modifier keys held down when a key went down.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    [[nodiscard]] constexpr bool any() const { return shift || ctrl || alt; }
    friend constexpr bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

} // namespace cellaro
