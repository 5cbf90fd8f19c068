// The thirty-two global shortcuts of the program: one hot key per table entry, loaded from the
// configuration at start-up, re-applied at the settings' OK, each running its command.
#pragma once

#include "config/shortcut_text.h"
#include "logic/commands.h"
#include "logic/shortcuts/hot_key.h"
#include "logic/shortcuts/shortcut_table.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace cellaro {

class SettingsModel;
class HotKeys;
class KeyNames;

class ShortcutSet {
public:
    // Every hot key created and loaded, each with no key yet; a pressed one runs its command.
    ShortcutSet(HotKeys& hotKeys, const KeyNames& keyNames, CommandRunner run);
    ShortcutSet(const ShortcutSet&) = delete;
    ShortcutSet& operator=(const ShortcutSet&) = delete;
    ShortcutSet(ShortcutSet&&) = delete;
    ShortcutSet& operator=(ShortcutSet&&) = delete;
    ~ShortcutSet();

    // The thirty-two texts the settings hold (absent or unread ones as their defaults), given to
    // the hot keys in the load order. Nothing is written back.
    void load(const SettingsModel& settings);
    // OK: the editors' values given to the hot keys in the apply order, and their texts to the
    // settings (to be saved by the caller).
    void apply(const std::function<ShortcutValue(int number)>& valueOf, SettingsModel& settings);
    // The values given to the hot keys in the load order or in the apply (OK) order; a hot key whose
    // value did not change stays as it was, registered or not.
    void applyInLoadOrder(const std::function<ShortcutValue(int number)>& valueOf);
    void applyInApplyOrder(const std::function<ShortcutValue(int number)>& valueOf);

    // While a shortcut editor has the keyboard the hot keys are suspended, so that a combination
    // one of them holds can be typed into the editor instead of running its command; they are
    // registered again as they were when it loses the keyboard. Loading and applying while
    // suspended resume first and suspend again afterwards.
    void setSuspended(bool suspended);
    [[nodiscard]] bool suspended() const { return suspended_; }

    // The hot key of that table number (which must be one).
    [[nodiscard]] HotKey& hotKey(int number);
    [[nodiscard]] const HotKey& hotKey(int number) const;
    // The shortcut text of the number's current value; empty when none is bound.
    [[nodiscard]] std::string text(int number) const;
    [[nodiscard]] const KeyNameTable& keyNames() const { return names_; }

private:
    void applyInOrder(const std::array<int, 32>& order, const std::function<ShortcutValue(int)>& valueOf);

    KeyNameTable names_;
    CommandRunner run_;
    std::array<std::unique_ptr<HotKey>, kShortcutTable.size()> hotKeys_;
    bool suspended_ = false;
};

} // namespace cellaro
