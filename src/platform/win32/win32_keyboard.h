// The keyboard-names port over the system's keyboard layout.
#pragma once

#include "platform/keyboard.h"

namespace cellaro::win32 {

class Win32KeyNames final : public KeyNames {
public:
    [[nodiscard]] std::optional<std::string> displayName(std::uint8_t virtualKey) const override;
};

// Whether the system names this key by its extended scan code (the navigation block, the arrows,
// the right-hand modifiers and so on), which differ from their keypad twins only by that bit.
[[nodiscard]] bool isExtendedKey(std::uint8_t virtualKey);

} // namespace cellaro::win32
