// The Shortcuts page of the settings window: the thirty-two shortcut editors with their labels, the
// upper block "Shortcuts" in three columns of five and the lower block "Manage groups of windows" in
// six framed boxes. Beside each editor a mark tells when its shortcut holds a combination that
// could not be registered (another program, or an earlier shortcut of this one, has it).
#pragma once

#include "config/shortcut_text.h"
#include "core/geometry.h"
#include "logic/shortcuts/shortcut_table.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace cellaro {

class Label;
class Widget;
class Page;
class ShortcutEdit;
class ShortcutSet;
struct KeyCombination;

[[nodiscard]] KeyCombination combinationOf(ShortcutValue value);
[[nodiscard]] ShortcutValue shortcutValueOf(const KeyCombination& combination);

class ShortcutsPage {
public:
    static constexpr std::string_view kNotRegisteredHint =
        "This shortcut could not be registered: another program, or an earlier shortcut, holds it";

    ShortcutsPage(Page& page, const ShortcutSet& shortcuts);

    // Every editor takes its shortcut's current value; the marks follow.
    void showShortcuts();
    // The value in the editor of that table number.
    [[nodiscard]] ShortcutValue value(int number) const;
    // Each mark shows while its editor holds its shortcut's value and that value is not registered.
    void refreshMarks();

    [[nodiscard]] ShortcutEdit& editor(int number) const;
    [[nodiscard]] Label& mark(int number) const;
    [[nodiscard]] ShortcutEdit& firstEditor() const { return *editors_.front(); }

private:
    [[nodiscard]] static std::size_t slotOf(int number);
    void placeEditor(Widget& parent, std::size_t slot, Rect labelBounds, int editorWidth);
    void refreshMark(std::size_t slot);

    const ShortcutSet& shortcuts_;
    std::array<ShortcutEdit*, kShortcutTable.size()> editors_{};
    std::array<Label*, kShortcutTable.size()> marks_{};
};

} // namespace cellaro
