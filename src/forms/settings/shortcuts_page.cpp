// The Shortcuts page: layout, the editors' texts and the not-registered marks.
#include "forms/settings/shortcuts_page.h"

#include "forms/settings/page_label.h"
#include "logic/shortcuts/shortcut_set.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/panel.h"
#include "widgets/shortcut_edit.h"

#include <string>

namespace cellaro {

namespace {

constexpr Colour kBoxFrame{0xC8C8C8};
constexpr Colour kMarkColour{0x0000D0};

// The upper block: three columns of five, each editor under its label.
constexpr int kUpperLeft = 24;
constexpr int kUpperTop = 48;
constexpr int kUpperColumnStep = 290;
constexpr int kUpperRowStep = 52;
constexpr int kUpperEditorWidth = 236;
// The lower block: six framed boxes in two columns of three, up to four editors side by side.
constexpr int kLowerHeadingTop = 318;
constexpr int kBoxTop = 344;
constexpr int kBoxWidth = 425;
constexpr int kBoxHeight = 80;
constexpr int kBoxColumnStep = 445;
constexpr int kBoxRowStep = 92;
constexpr int kBoxInset = 10;
constexpr int kBoxEditorStep = 103;
constexpr int kBoxEditorWidth = 80;
constexpr int kLabelHeight = 16;
constexpr int kMarkWidth = 16;
constexpr int kMarkGap = 2;

struct ShortcutBox {
    std::string_view name;
    std::string_view caption;
    std::array<std::string_view, 4> labels;
};

// The boxes' own labels: groups C and D carry all four, though only some have an editor.
constexpr std::array<ShortcutBox, 6> kBoxes{{
    {"GroupBox1", " Bring to Front ", {"Next group", "Previous group", {}, {}}},
    {"GroupBox2", " Show Only ", {"Next group", "Previous group", {}, {}}},
    {"GroupBox3", " Group A ", {"Show only", "Bring to front", "Minimize", "Restore"}},
    {"GroupBox4", " Group B ", {"Show only", "Bring to front", "Minimize", "Restore"}},
    {"GroupBox5", " Group C ", {"Show only", "Bring to front", "Minimize", "Restore"}},
    {"GroupBox6", " Group D ", {"Show only", "Bring to front", "Minimize", "Restore"}},
}};

Label& addHeading(Widget& parent, const std::string& name, Point at, std::string_view text) {
    Label& label = addPageLabel(parent, name, Rect{at.x, at.y, at.x + 400, at.y + 22}, text);
    Font font = label.font();
    font.bold = true;
    font.height = 16;
    label.setFont(font);
    return label;
}

} // namespace

KeyCombination combinationOf(ShortcutValue value) {
    KeyCombination combination;
    combination.key = shortcutKeyCode(value);
    combination.modifiers.shift = (value & kShortcutShift) != 0;
    combination.modifiers.ctrl = (value & kShortcutCtrl) != 0;
    combination.modifiers.alt = (value & kShortcutAlt) != 0;
    return combination;
}

ShortcutValue shortcutValueOf(const KeyCombination& combination) {
    if (combination.none()) {
        return 0;
    }
    ShortcutValue value = combination.key;
    if (combination.modifiers.shift) {
        value |= kShortcutShift;
    }
    if (combination.modifiers.ctrl) {
        value |= kShortcutCtrl;
    }
    if (combination.modifiers.alt) {
        value |= kShortcutAlt;
    }
    return value;
}

// The upper block's editors come first in the page, so Tab goes through them before the boxes.
ShortcutsPage::ShortcutsPage(Page& page, const ShortcutSet& shortcuts) : shortcuts_(shortcuts) {
    addHeading(page, "Label20", Point{kUpperLeft, 16}, kUpperShortcutBlock);
    for (std::size_t slot = 0; slot < kShortcutTable.size(); ++slot) {
        const ShortcutEntry& entry = kShortcutTable.at(slot);
        if (!entry.position.box.empty()) {
            continue;
        }
        const int x = kUpperLeft + (entry.position.column - 1) * kUpperColumnStep;
        const int y = kUpperTop + (entry.position.row - 1) * kUpperRowStep;
        addPageLabel(page, "Label" + std::to_string(entry.number),
                     Rect{x, y, x + kUpperColumnStep - 20, y + kLabelHeight}, entry.label);
        placeEditor(page, slot, Rect{x, y, x, y + kLabelHeight}, kUpperEditorWidth);
    }

    addHeading(page, "Label21", Point{kUpperLeft, kLowerHeadingTop}, kLowerShortcutBlock);
    for (std::size_t index = 0; index < kBoxes.size(); ++index) {
        const ShortcutBox& spec = kBoxes.at(index);
        const int left = kUpperLeft + static_cast<int>(index % 2) * kBoxColumnStep;
        const int top = kBoxTop + static_cast<int>(index / 2) * kBoxRowStep;
        auto& box = page.add<Panel>(std::string(spec.name));
        box.setBounds(Rect{left, top, left + kBoxWidth, top + kBoxHeight});
        box.setColour(page.colour());
        box.setBorderColour(kBoxFrame);
        Label& caption = addPageLabel(box, std::string(spec.name) + "Caption",
                                      Rect{8, 4, 200, 4 + kLabelHeight}, spec.caption);
        Font font = caption.font();
        font.bold = true;
        caption.setFont(font);
        for (std::size_t place = 0; place < spec.labels.size(); ++place) {
            if (spec.labels.at(place).empty()) {
                continue;
            }
            const int x = kBoxInset + static_cast<int>(place) * kBoxEditorStep;
            addPageLabel(box, std::string(spec.name) + "Label" + std::to_string(place + 1),
                         Rect{x, 26, x + kBoxEditorStep - 4, 26 + kLabelHeight}, spec.labels.at(place));
        }
        for (std::size_t slot = 0; slot < kShortcutTable.size(); ++slot) {
            const ShortcutEntry& entry = kShortcutTable.at(slot);
            if (entry.position.box == spec.caption) {
                const int x = kBoxInset + (entry.position.column - 1) * kBoxEditorStep;
                placeEditor(box, slot, Rect{x, 26, x, 26 + kLabelHeight}, kBoxEditorWidth);
            }
        }
    }
}

void ShortcutsPage::placeEditor(Widget& parent, std::size_t slot, Rect labelBounds, int editorWidth) {
    const ShortcutEntry& entry = kShortcutTable.at(slot);
    const int top = labelBounds.bottom + 2;
    auto& editor = parent.add<ShortcutEdit>("HotKey" + std::to_string(entry.number));
    editor.setBounds(
        Rect{labelBounds.left, top, labelBounds.left + editorWidth, top + ShortcutEdit::kPreferredHeight});
    editor.textOf = [this](const KeyCombination& combination) {
        return shortcutToText(shortcutValueOf(combination), shortcuts_.keyNames());
    };
    editor.onChange = [this, slot] { refreshMark(slot); };
    editor.setAccessibleName(std::string(entry.label));
    editors_.at(slot) = &editor;

    const int markLeft = labelBounds.left + editorWidth + kMarkGap;
    auto& mark = parent.add<Label>("HotKey" + std::to_string(entry.number) + "Mark");
    mark.setBounds(Rect{markLeft, top, markLeft + kMarkWidth, top + ShortcutEdit::kPreferredHeight});
    Font font = mark.font();
    font.bold = true;
    mark.setFont(font);
    mark.setFontColour(kMarkColour);
    mark.setAlignment(TextAlign::Centre);
    mark.setVerticalCentre(true);
    mark.setText("!");
    mark.setHint(std::string(kNotRegisteredHint));
    mark.setVisible(false);
    marks_.at(slot) = &mark;
}

std::size_t ShortcutsPage::slotOf(int number) {
    for (std::size_t slot = 0; slot < kShortcutTable.size(); ++slot) {
        if (kShortcutTable.at(slot).number == number) {
            return slot;
        }
    }
    return 0;
}

ShortcutEdit& ShortcutsPage::editor(int number) const {
    return *editors_.at(slotOf(number));
}

Label& ShortcutsPage::mark(int number) const {
    return *marks_.at(slotOf(number));
}

void ShortcutsPage::showShortcuts() {
    for (std::size_t slot = 0; slot < kShortcutTable.size(); ++slot) {
        editors_.at(slot)->setCombination(
            combinationOf(shortcuts_.hotKey(kShortcutTable.at(slot).number).key()));
    }
    refreshMarks();
}

ShortcutValue ShortcutsPage::value(int number) const {
    return shortcutValueOf(editor(number).combination());
}

void ShortcutsPage::refreshMarks() {
    for (std::size_t slot = 0; slot < kShortcutTable.size(); ++slot) {
        refreshMark(slot);
    }
}

// A combination the user typed but has not applied yet has no mark: whether it can be registered is
// known only at OK.
void ShortcutsPage::refreshMark(std::size_t slot) {
    const HotKey& hotKey = shortcuts_.hotKey(kShortcutTable.at(slot).number);
    const ShortcutValue shown = shortcutValueOf(editors_.at(slot)->combination());
    marks_.at(slot)->setVisible(shown != 0 && shown == hotKey.key() && !hotKey.registered());
}

} // namespace cellaro
