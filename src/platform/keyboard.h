// The keyboard-names port: the system's display name of a virtual key, for shortcut texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace cellaro {

class KeyNames {
public:
    KeyNames() = default;
    KeyNames(const KeyNames&) = delete;
    KeyNames& operator=(const KeyNames&) = delete;
    KeyNames(KeyNames&&) = delete;
    KeyNames& operator=(KeyNames&&) = delete;
    virtual ~KeyNames() = default;

    // The system's display name of the key (UTF-8), or nothing when it has none.
    [[nodiscard]] virtual std::optional<std::string> displayName(std::uint8_t virtualKey) const = 0;
};

} // namespace cellaro
