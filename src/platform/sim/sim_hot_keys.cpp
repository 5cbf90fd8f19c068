// The simulated hot keys.
#include "platform/sim/sim_hot_keys.h"

#include <algorithm>
#include <utility>

namespace cellaro::sim {

HotKeySlot SimHotKeys::addSlot(std::function<void()> pressed) {
    const HotKeySlot slot = nextSlot_++;
    slots_[slot] = Slot{std::move(pressed), std::nullopt};
    return slot;
}

void SimHotKeys::removeSlot(HotKeySlot slot) {
    slots_.erase(slot);
}

bool SimHotKeys::taken(HotKeyCombination combination) const {
    if (std::find(otherPrograms_.begin(), otherPrograms_.end(), combination) != otherPrograms_.end()) {
        return true;
    }
    return isHeld(combination);
}

bool SimHotKeys::registerHotKey(HotKeySlot slot, HotKeyCombination combination) {
    const auto found = slots_.find(slot);
    // As on Windows, a slot registers one combination under its identifier: a second one fails.
    if (found == slots_.end() || found->second.combination || taken(combination)) {
        ++refusals_;
        return false;
    }
    found->second.combination = combination;
    ++registrations_;
    return true;
}

void SimHotKeys::unregisterHotKey(HotKeySlot slot) {
    const auto found = slots_.find(slot);
    if (found != slots_.end()) {
        found->second.combination.reset();
    }
}

bool SimHotKeys::press(HotKeyCombination combination) {
    for (auto& [slot, entry] : slots_) {
        if (entry.combination == combination) {
            // The action may unregister or remove slots: run a copy.
            const std::function<void()> pressed = entry.pressed;
            if (pressed) {
                pressed();
            }
            return true;
        }
    }
    return false;
}

std::vector<HotKeyCombination> SimHotKeys::held() const {
    std::vector<HotKeyCombination> result;
    for (const auto& [slot, entry] : slots_) {
        if (entry.combination) {
            result.push_back(*entry.combination);
        }
    }
    return result;
}

bool SimHotKeys::isHeld(HotKeyCombination combination) const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [&](const auto& entry) { return entry.second.combination == combination; });
}

} // namespace cellaro::sim
