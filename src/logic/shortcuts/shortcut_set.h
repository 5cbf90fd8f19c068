// The thirty-two global shortcuts of the program: one hot key per table entry, loaded from the
// configuration at start-up, re-applied at the settings' OK, each running its operation.
#pragma once

#include "config/shortcut_text.h"
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

// The operations the shortcuts repeat: the tray menu's and the working window's own commands.
struct ShortcutOperations {
    std::function<void()> showCellaro;
    std::function<void()> fullScreenGridMonitor1;
    std::function<void()> fullScreenGridMonitor2;
    std::function<void()> focusActiveWindow;
    std::function<void()> stayOnTop;
    std::function<void()> transparent;
    std::function<void()> nextMonitor;
    std::function<void()> minimize;
    std::function<void()> restore;
    std::function<void()> maximize;
    std::function<void()> tile;
    std::function<void()> sleep;
    // The window manager list and the groups navigation menu.
    std::function<void()> manageGroups;
    std::function<void()> groupsNavigationMenu;
    // The group commands; the group is 0..3 for A..D.
    std::function<void(int group)> showOnlyGroup;
    std::function<void(int group)> bringGroupToFront;
    std::function<void(int group)> minimizeGroup;
    std::function<void(int group)> restoreGroup;
    // The group steps, named after the working window's step buttons they repeat.
    std::function<void()> previousGroupShowOnly; // GA3
    std::function<void()> nextGroupShowOnly;     // GB3
    std::function<void()> previousGroupToFront;  // GC3
    std::function<void()> nextGroupToFront;      // GD3
};

class ShortcutSet {
public:
    // Every hot key created and loaded, each with no key yet.
    ShortcutSet(HotKeys& hotKeys, const KeyNames& keyNames, ShortcutOperations operations);
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

    // The hot key of that table number (which must be one).
    [[nodiscard]] HotKey& hotKey(int number);
    [[nodiscard]] const HotKey& hotKey(int number) const;
    // The shortcut text of the number's current value; empty when none is bound.
    [[nodiscard]] std::string text(int number) const;
    [[nodiscard]] const KeyNameTable& keyNames() const { return names_; }

    // What shortcut 101 runs: the kill confirmation, connected by its owner. Does nothing until then.
    std::function<void()> killTarget = [] {};

private:
    void run(ShortcutAction action, char group) const;
    void applyInOrder(const std::array<int, 32>& order, const std::function<ShortcutValue(int)>& valueOf);

    KeyNameTable names_;
    ShortcutOperations operations_;
    std::array<std::unique_ptr<HotKey>, kShortcutTable.size()> hotKeys_;
};

} // namespace cellaro
