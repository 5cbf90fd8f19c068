// The global hot-key port: a combination registered for one component is reported to that
// component's action wherever the user presses it on the desktop.
#pragma once

#include <cstdint>
#include <functional>

namespace cellaro {

// The platform's modifier flags of a combination. There is no flag for the Windows logo key.
inline constexpr unsigned kHotKeyAlt = 1;
inline constexpr unsigned kHotKeyControl = 2;
inline constexpr unsigned kHotKeyShift = 4;

struct HotKeyCombination {
    unsigned modifiers = 0; // kHotKeyAlt | kHotKeyControl | kHotKeyShift
    std::uint8_t keyCode = 0;

    friend bool operator==(const HotKeyCombination&, const HotKeyCombination&) = default;
};

using HotKeySlot = int;

class HotKeys {
public:
    HotKeys() = default;
    HotKeys(const HotKeys&) = delete;
    HotKeys& operator=(const HotKeys&) = delete;
    HotKeys(HotKeys&&) = delete;
    HotKeys& operator=(HotKeys&&) = delete;
    virtual ~HotKeys() = default;

    // A place for one component's combination; pressed runs whenever the platform reports it.
    [[nodiscard]] virtual HotKeySlot addSlot(std::function<void()> pressed) = 0;
    // Releases the slot's combination, if any, and the slot.
    virtual void removeSlot(HotKeySlot slot) = 0;
    // True when the platform now holds the combination for the slot; false when it is held by
    // another program or by another slot.
    [[nodiscard]] virtual bool registerHotKey(HotKeySlot slot, HotKeyCombination combination) = 0;
    virtual void unregisterHotKey(HotKeySlot slot) = 0;
};

} // namespace cellaro
