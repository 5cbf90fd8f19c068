// The spin editor: stepping, typing, clamping, and its text-box look.
#include "widgets/spin_edit.h"

#include "widgets/edit_look.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <utility>

namespace cellaro {

namespace {

using edit_look::kAccent;
using edit_look::kBorder;
using edit_look::kBox;
using edit_look::kBoxDisabled;
using edit_look::kGreyText;
constexpr Colour kSelectedText = Colour::rgb(0xFF, 0xFF, 0xFF);
constexpr Colour kButton = Colour::rgb(0xF0, 0xF0, 0xF0);
constexpr Colour kButtonPressed = Colour::rgb(0xCC, 0xE4, 0xF7);
constexpr Colour kArrow = Colour::rgb(0x60, 0x60, 0x60);
// Nine digits always fit an int.
constexpr std::size_t kMaxDigits = 9;
constexpr int kTextInset = 3;

// A small filled triangle pointing up or down, centred in the box.
void paintArrow(Canvas& canvas, const Rect& box, bool up, Colour colour) {
    const int rows = std::max(1, std::min(box.width() / 4, box.height() / 2));
    const int centreX = box.left + box.width() / 2;
    const int top = box.top + (box.height() - rows) / 2;
    for (int row = 0; row < rows; ++row) {
        const int spread = up ? row : rows - 1 - row;
        canvas.fillRect(Rect{centreX - spread - 1, top + row, centreX + spread, top + row + 1}, colour);
    }
}

} // namespace

SpinEdit::SpinEdit(std::string name) : Widget(std::move(name)) {}

void SpinEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value_);
}

void SpinEdit::setValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    text_ = std::to_string(value_);
    invalidate();
}

void SpinEdit::changeByUser(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) {
        return;
    }
    value_ = value;
    invalidate();
    if (onChange) {
        onChange();
    }
}

void SpinEdit::commit() {
    int number = 0;
    const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), number);
    if (!text_.empty() && error == std::errc{} && end == text_.data() + text_.size()) {
        changeByUser(number);
    }
    text_ = std::to_string(value_);
    invalidate();
}

void SpinEdit::typed() {
    int number = 0;
    const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), number);
    if (!text_.empty() && error == std::errc{} && end == text_.data() + text_.size() && number >= minimum_ &&
        number <= maximum_) {
        changeByUser(number);
    }
    invalidate();
}

void SpinEdit::step(int delta) {
    commit();
    changeByUser(value_ + delta);
    text_ = std::to_string(value_);
    selected_ = true;
    invalidate();
}

bool SpinEdit::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (modifiers.ctrl || modifiers.alt) {
        return Widget::keyDown(virtualKey, modifiers);
    }
    if (const int digit = vk::digitOf(virtualKey); digit >= 0 && !modifiers.shift) {
        if (selected_) {
            text_.clear();
            selected_ = false;
        }
        if (text_.size() < kMaxDigits) {
            text_.push_back(static_cast<char>('0' + digit));
        }
        typed();
        return true;
    }
    switch (virtualKey) {
    case vk::kUp:
        step(1);
        return true;
    case vk::kDown:
        step(-1);
        return true;
    case vk::kBackspace:
    case vk::kDelete:
        // Without a caret to place, Delete only clears a selected text.
        if (selected_) {
            text_.clear();
            selected_ = false;
        } else if (virtualKey == vk::kBackspace && !text_.empty()) {
            text_.pop_back();
        }
        typed();
        return true;
    case vk::kEnter:
        // The number is settled, and the form still gets Enter (its default button).
        commit();
        selected_ = true;
        return Widget::keyDown(virtualKey, modifiers);
    default:
        return Widget::keyDown(virtualKey, modifiers);
    }
}

void SpinEdit::mouseDown(Point at, MouseButton button) {
    if (button == MouseButton::Left) {
        if (at.x >= bounds().width() - kButtonWidth) {
            pressedArrow_ = at.y < bounds().height() / 2 ? 1 : -1;
            repeat_.start([this] {
                step(pressedArrow_);
                return pressedArrow_ > 0 ? value_ < maximum_ : value_ > minimum_;
            });
        } else {
            selected_ = false; // the caret goes to the end of the text
            invalidate();
        }
    }
    Widget::mouseDown(at, button);
}

void SpinEdit::mouseUp(Point at, MouseButton button) {
    if (button == MouseButton::Left && pressedArrow_ != 0) {
        repeat_.stop();
        pressedArrow_ = 0;
        invalidate();
    }
    Widget::mouseUp(at, button);
}

void SpinEdit::focusEnter() {
    selected_ = true;
    Widget::focusEnter();
}

void SpinEdit::focusLeave() {
    commit();
    selected_ = false;
    Widget::focusLeave();
}

void SpinEdit::paint(Canvas& canvas) const {
    const int width = bounds().width();
    const int height = bounds().height();
    const bool enabled = enabledInTree();
    const bool hasFocus = focused();
    const Rect box = Rect::fromBounds(0, 0, width, height);
    canvas.roundRect(box, 0, 0, hasFocus ? kAccent : kBorder, enabled ? kBox : kBoxDisabled);

    const int buttonsLeft = std::max(1, width - kButtonWidth);
    const int middle = height / 2;
    const Rect up{buttonsLeft, 1, width - 1, middle};
    const Rect down{buttonsLeft, middle, width - 1, height - 1};
    canvas.fillRect(up, pressedArrow_ > 0 ? kButtonPressed : kButton);
    canvas.fillRect(down, pressedArrow_ < 0 ? kButtonPressed : kButton);
    const Colour arrow = enabled ? kArrow : kGreyText;
    paintArrow(canvas, up, true, arrow);
    paintArrow(canvas, down, false, arrow);

    const Rect textArea{kTextInset, 1, buttonsLeft - 1, height - 1};
    TextStyle style;
    style.font = font();
    style.colour = enabled ? fontColour() : kGreyText;
    const Size extent = canvas.measureText(text_, font());
    const int textRight = std::min(textArea.left + extent.width, textArea.right);
    const int textTop = std::max(textArea.top, (height - extent.height) / 2);
    const int textBottom = std::min(textArea.bottom, textTop + extent.height);
    if (hasFocus && selected_ && !text_.empty()) {
        canvas.fillRect(Rect{textArea.left, textTop, textRight, textBottom}, kAccent);
        style.colour = kSelectedText;
    }
    canvas.text(textArea, text_, style);
    if (hasFocus && !selected_) {
        canvas.fillRect(Rect{textRight, textTop, textRight + 1, textBottom}, fontColour());
    }
}

} // namespace cellaro
