// The simulated keyboard: key display names as a US keyboard gives them.
#pragma once

#include "platform/keyboard.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace cellaro::sim {

// Key display names of a US keyboard for the codes outside the fixed shortcut-text names, as far as
// tests need them: 0x0C "Num 5", 0x10 "Shift", 0x11 "Ctrl", 0x12 "Alt", 0x13 "Pause", 0x14 "Caps Lock",
// 0x2C "Sys Req", 0x5B "Left Windows", 0x5D "Application", 0x6A "Num *", 0x6B "Num +", 0x6D "Num -",
// 0x6E "Num Del", 0x6F "Num /", 0x90 "Num Lock", 0x91 "Scroll Lock", 0xA0 "Shift", 0xA1 "Right Shift",
// 0xA2 "Ctrl", 0xA3 "Right Ctrl", 0xBA ";", 0xBB "=", 0xBC ",", 0xBD "-", 0xBE ".", 0xBF "/", 0xC0 "`",
// 0xDB "[", 0xDC "\", 0xDD "]", 0xDE "'". 0xA0 and 0xA2 repeat the names of 0x10 and 0x11, as a real
// keyboard does. Every other code has no name. Tests may change any entry.
class SimKeyNames final : public KeyNames {
public:
    SimKeyNames();

    [[nodiscard]] std::optional<std::string> displayName(std::uint8_t virtualKey) const override;

    void setName(std::uint8_t virtualKey, std::string name) { names_[virtualKey] = std::move(name); }
    void removeName(std::uint8_t virtualKey) { names_.erase(virtualKey); }
    void clear() { names_.clear(); }

private:
    std::map<std::uint8_t, std::string> names_;
};

} // namespace cellaro::sim
