// A shortcut editor: a text box showing a key combination, which takes the next key the user
// presses while it has the focus, with the Shift, Ctrl and Alt keys held at the time. Its owner
// says how a combination reads (the key names are the keyboard layout's), so this widget knows
// no key names of its own.
//
// The keys, when the editor has the focus:
// - Tab and Shift+Tab move the focus on, as everywhere in the window;
// - Shift, Ctrl and Alt alone make no combination: they wait for the key they modify, and so do
//   the Windows keys, which stay the system's;
// - Backspace or Delete alone clears the combination (none);
// - Enter and Escape alone are left to the window (its OK and Cancel);
// - any other key, with or without modifiers, becomes the combination: Ctrl+Tab, Shift+Esc,
//   Alt+F4 and Backspace with a modifier included.
#pragma once

#include "widgets/widget.h"

#include <cstdint>
#include <functional>
#include <string>

namespace cellaro {

// A key with the modifiers held; key 0 is no combination.
struct KeyCombination {
    KeyModifiers modifiers;
    std::uint8_t key = 0;

    [[nodiscard]] bool none() const { return key == 0; }
    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

class ShortcutEdit : public Widget {
public:
    static constexpr int kPreferredHeight = 21;

    explicit ShortcutEdit(std::string name);

    [[nodiscard]] const KeyCombination& combination() const { return combination_; }
    // Sets the combination from the program; onChange is not raised.
    void setCombination(const KeyCombination& combination);

    // How a combination reads, from the owner. Without it a combination reads as its modifiers
    // ("Shift+", "Ctrl+", "Alt+") and the key code ("VK_41").
    std::function<std::string(const KeyCombination&)> textOf;
    // What the editor shows for no combination ("None" unless set).
    void setNoneText(std::string text);
    // The text the editor shows now.
    [[nodiscard]] std::string text() const;

    // Raised after the user changed the combination.
    std::function<void()> onChange;

    [[nodiscard]] bool acceptsFocus() const override { return true; }
    [[nodiscard]] AccessibleRole accessibleRole() const override { return AccessibleRole::HotKeyField; }
    [[nodiscard]] std::string accessibleValue() const override { return text(); }
    bool keyDown(int virtualKey, KeyModifiers modifiers) override;
    void paint(Canvas& canvas) const override;

private:
    void changeByUser(const KeyCombination& combination);

    KeyCombination combination_;
    std::string noneText_ = "None";
};

} // namespace cellaro
