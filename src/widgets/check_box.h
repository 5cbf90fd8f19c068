// A check box: a box that a click ticks or clears, with a caption beside it. Pictures for the two
// states may replace the drawn box.
#pragma once

#include "pixels/bitmap.h"
#include "widgets/widget.h"

#include <functional>
#include <optional>
#include <string>

namespace cellaro {

class CheckBox : public Widget {
public:
    static constexpr int kBoxSize = 13;

    explicit CheckBox(std::string name);

    [[nodiscard]] bool checked() const { return checked_; }
    // Sets the state from the program; onChange is not raised.
    void setChecked(bool checked);
    // Pictures drawn instead of the box, with an optional transparent colour.
    void setPictures(Bitmap checkedPicture, Bitmap uncheckedPicture, std::optional<Colour> transparent);

    // Raised after a click changed the state.
    std::function<void()> onChange;

    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }
    [[nodiscard]] AccessibleRole accessibleRole() const override { return AccessibleRole::CheckBox; }
    [[nodiscard]] bool accessibleChecked() const override { return checked(); }
    void click() override;
    // Space ticks or clears a focused box; Enter is left to the window (its default button).
    bool keyDown(int virtualKey, KeyModifiers modifiers) override;
    void paint(Canvas& canvas) const override;

private:
    bool checked_ = false;
    Bitmap checkedPicture_;
    Bitmap uncheckedPicture_;
    std::optional<Colour> pictureTransparent_;
};

} // namespace cellaro
