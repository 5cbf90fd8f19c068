// A colour field: a framed swatch of a colour (the widget's colour). A click, or Space or Enter
// while it has the focus, raises onClick, on which the owner offers a colour to choose.
#pragma once

#include "widgets/widget.h"

#include <string>

namespace cellaro {

class ColourField : public Widget {
public:
    // The frame, then a light ring (where the focus rectangle goes), then the swatch.
    static constexpr int kFrame = 1;
    static constexpr int kRing = 2;

    explicit ColourField(std::string name);

    // The swatch: the part that shows the colour, in the field's own coordinates.
    [[nodiscard]] Rect swatchRect() const;

    [[nodiscard]] bool acceptsFocus() const override { return true; }
    [[nodiscard]] AccessibleRole accessibleRole() const override { return AccessibleRole::PushButton; }
    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }
    bool keyDown(int virtualKey, KeyModifiers modifiers) override;
    void paint(Canvas& canvas) const override;
};

} // namespace cellaro
