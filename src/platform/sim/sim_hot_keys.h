// The simulated hot keys: combinations held in memory, some of them by other programs, and a
// keyboard through which tests press a combination.
#pragma once

#include "platform/hot_keys.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace cellaro::sim {

class SimHotKeys final : public HotKeys {
public:
    [[nodiscard]] HotKeySlot addSlot(std::function<void()> pressed) override;
    void removeSlot(HotKeySlot slot) override;
    [[nodiscard]] bool registerHotKey(HotKeySlot slot, HotKeyCombination combination) override;
    void unregisterHotKey(HotKeySlot slot) override;

    // Another program holds the combination from now on: no slot of ours can take it.
    void holdByOtherProgram(HotKeyCombination combination) { otherPrograms_.push_back(combination); }
    // The user presses the combination: the slot that holds it runs its action; true when one did.
    bool press(HotKeyCombination combination);
    // The combinations our slots hold now.
    [[nodiscard]] std::vector<HotKeyCombination> held() const;
    [[nodiscard]] bool isHeld(HotKeyCombination combination) const;
    // Successful and refused registrations since the start (or the last resetCounts).
    [[nodiscard]] int registrations() const { return registrations_; }
    [[nodiscard]] int refusals() const { return refusals_; }
    void resetCounts() { registrations_ = refusals_ = 0; }

private:
    struct Slot {
        std::function<void()> pressed;
        std::optional<HotKeyCombination> combination;
    };
    [[nodiscard]] bool taken(HotKeyCombination combination) const;

    std::map<HotKeySlot, Slot> slots_;
    std::vector<HotKeyCombination> otherPrograms_;
    HotKeySlot nextSlot_ = 1;
    int registrations_ = 0;
    int refusals_ = 0;
};

} // namespace cellaro::sim
