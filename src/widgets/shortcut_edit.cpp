// The shortcut editor: which keys make a combination, and its text-box look.
#include "widgets/shortcut_edit.h"

#include "widgets/edit_look.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cellaro {

namespace {

using edit_look::kAccent;
using edit_look::kBorder;
using edit_look::kBox;
using edit_look::kBoxDisabled;
using edit_look::kGreyText;
constexpr int kTextInset = 3;
constexpr int kHexBase = 16;

std::string plainText(const KeyCombination& combination) {
    std::string text;
    if (combination.modifiers.shift) {
        text += "Shift+";
    }
    if (combination.modifiers.ctrl) {
        text += "Ctrl+";
    }
    if (combination.modifiers.alt) {
        text += "Alt+";
    }
    constexpr std::array<char, kHexBase> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    text += "VK_";
    text.push_back(kDigits.at(combination.key / kHexBase));
    text.push_back(kDigits.at(combination.key % kHexBase));
    return text;
}

} // namespace

ShortcutEdit::ShortcutEdit(std::string name) : Widget(std::move(name)) {}

void ShortcutEdit::setCombination(const KeyCombination& combination) {
    if (!(combination == combination_)) {
        combination_ = combination;
        invalidate();
    }
}

void ShortcutEdit::setNoneText(std::string text) {
    noneText_ = std::move(text);
    invalidate();
}

std::string ShortcutEdit::text() const {
    if (combination_.none()) {
        return noneText_;
    }
    return textOf ? textOf(combination_) : plainText(combination_);
}

void ShortcutEdit::changeByUser(const KeyCombination& combination) {
    if (combination == combination_) {
        return;
    }
    combination_ = combination;
    invalidate();
    if (onChange) {
        onChange();
    }
}

bool ShortcutEdit::keyDown(int virtualKey, KeyModifiers modifiers) {
    constexpr int kLastKey = 0xFF;
    if (virtualKey <= 0 || virtualKey > kLastKey || vk::isModifier(virtualKey)) {
        return true; // held for the key it modifies
    }
    if (virtualKey == vk::kLeftWindows || virtualKey == vk::kRightWindows) {
        return Widget::keyDown(virtualKey, modifiers);
    }
    if (!modifiers.any()) {
        if (virtualKey == vk::kBackspace || virtualKey == vk::kDelete) {
            changeByUser(KeyCombination{});
            return true;
        }
        if (virtualKey == vk::kEnter || virtualKey == vk::kEscape) {
            return Widget::keyDown(virtualKey, modifiers);
        }
    }
    changeByUser(KeyCombination{modifiers, static_cast<std::uint8_t>(virtualKey)});
    return true;
}

void ShortcutEdit::paint(Canvas& canvas) const {
    const int width = bounds().width();
    const int height = bounds().height();
    const bool enabled = enabledInTree();
    const bool hasFocus = focused();
    canvas.roundRect(Rect::fromBounds(0, 0, width, height), 0, 0, hasFocus ? kAccent : kBorder,
                     enabled ? kBox : kBoxDisabled);
    const std::string shown = text();
    TextStyle style;
    style.font = font();
    style.colour = enabled ? fontColour() : kGreyText;
    style.endEllipsis = true;
    const Rect textArea{kTextInset, 1, std::max(kTextInset, width - kTextInset), height - 1};
    canvas.text(textArea, shown, style);
    if (hasFocus) {
        // The caret after the text, as the system's hot-key box shows it.
        const Size extent = canvas.measureText(shown, font());
        const int caret = std::min(textArea.left + extent.width, textArea.right - 1);
        const int top = std::max(textArea.top, (height - extent.height) / 2);
        canvas.fillRect(Rect{caret, top, caret + 1, std::min(textArea.bottom, top + extent.height)},
                        fontColour());
    }
}

} // namespace cellaro
