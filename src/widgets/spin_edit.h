// A spin editor: a whole number from a range in a text box, with up and down arrow buttons at its
// right. The arrows (repeating while held, when the editor has an event loop) and the Up and Down
// keys step the number by one within the range. The user may also type it: digits (main or
// keypad) and Backspace edit the text, a number in range counts at once, and anything else is
// brought into range when the editor loses the focus or Enter is pressed (an empty text gives
// back the last number). Focused by Tab, the text is selected, so the first digit typed replaces
// it.
#pragma once

#include "widgets/press_repeat.h"
#include "widgets/widget.h"

#include <functional>
#include <string>

namespace cellaro {

class SpinEdit : public Widget {
public:
    // The arrow buttons' width, in device-independent pixels.
    static constexpr int kButtonWidth = 17;
    static constexpr int kPreferredHeight = 21;

    explicit SpinEdit(std::string name);

    [[nodiscard]] int minimum() const { return minimum_; }
    [[nodiscard]] int maximum() const { return maximum_; }
    // A maximum below the minimum is taken as the minimum; the value is brought into range
    // without onChange.
    void setRange(int minimum, int maximum);
    [[nodiscard]] int value() const { return value_; }
    // Sets the value from the program (clamped to the range; any typing is dropped); onChange is
    // not raised.
    void setValue(int value);
    // What the box shows: the typed text while the user edits, else the value.
    [[nodiscard]] const std::string& text() const { return text_; }
    // Whether the whole text is selected (the next digit replaces it).
    [[nodiscard]] bool textSelected() const { return selected_; }

    // The loop that times the repeat while the mouse holds an arrow down.
    void setEventLoop(EventLoop& loop) { repeat_.setLoop(loop); }

    // Raised after the user changed the value.
    std::function<void()> onChange;

    [[nodiscard]] bool acceptsFocus() const override { return true; }
    [[nodiscard]] AccessibleRole accessibleRole() const override { return AccessibleRole::SpinBox; }
    [[nodiscard]] std::string accessibleValue() const override { return text(); }
    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }
    bool keyDown(int virtualKey, KeyModifiers modifiers) override;
    void mouseDown(Point at, MouseButton button) override;
    void mouseUp(Point at, MouseButton button) override;
    void paint(Canvas& canvas) const override;

protected:
    void focusEnter() override;
    void focusLeave() override;

public:
    // The typed text as the value, clamped; an empty text gives back the value. Leaving the editor
    // does this; so does a command that takes the value while the editor still has the focus.
    void commit();

private:
    // Brings the typed text into range as the value, then steps it.
    void step(int delta);
    // The typed text counts at once when it is a number in range.
    void typed();
    void changeByUser(int value);

    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
    std::string text_ = "0";
    bool selected_ = false;
    int pressedArrow_ = 0; // +1 up, -1 down, 0 none: the arrow button the mouse holds down
    PressRepeat repeat_;
};

} // namespace cellaro
