// A gradient button: a rounded face painted as a gradient in the colours of its state (normal,
// hover, pressed, disabled), with an optional glyph and a caption. Its 25 colour slots are set by
// index: 0-5 face, gradient, dark, light, border and text of the normal state, 6-11 the same for
// hover, 12-17 for pressed, 18-23 for disabled, 24 the focus rectangle.
#pragma once

#include "pixels/bitmap.h"
#include "widgets/widget.h"

#include <array>
#include <optional>
#include <string>

namespace cellaro {

enum class ButtonState { Normal, Hover, Pressed, Disabled };
enum class ButtonColour { Face, Gradient, Dark, Light, Border, Text };

class GradientButton : public Widget {
public:
    static constexpr int kSlotCount = 25;
    static constexpr int kSlotsPerState = 6;
    static constexpr int kFocusSlot = 24;
    // The slot index of one colour of one state.
    [[nodiscard]] static constexpr int slotIndex(ButtonState state, ButtonColour colour) {
        return static_cast<int>(state) * kSlotsPerState + static_cast<int>(colour);
    }

    explicit GradientButton(std::string name);

    // The colour of a slot (black for an index out of range).
    [[nodiscard]] Colour slot(int index) const;
    // Sets a slot: the button switches to custom colours and repaints. False, and nothing
    // changed, for an index outside 0..24.
    bool setSlot(int index, Colour colour);
    [[nodiscard]] Colour colourOf(ButtonState state, ButtonColour colour) const {
        return slot(slotIndex(state, colour));
    }
    void setStateColour(ButtonState state, ButtonColour colour, Colour value) {
        setSlot(slotIndex(state, colour), value);
    }
    // Whether any slot has been set since the button was made (it started with its own scheme).
    [[nodiscard]] bool customColours() const { return customColours_; }

    // The state the button shows now: disabled, pressed (the button went down on it and the
    // pointer is over it), hover, or normal.
    [[nodiscard]] ButtonState state() const;

    // The picture drawn on the face; pixels of the transparent colour are left out.
    void setGlyph(Bitmap glyph, std::optional<Colour> transparent);
    void clearGlyph();
    [[nodiscard]] const Bitmap& glyph() const { return glyph_; }
    [[nodiscard]] std::optional<Colour> glyphTransparent() const { return glyphTransparent_; }
    // Draws the focus rectangle (slot 24) inside the border.
    void setFocusRectVisible(bool visible);

    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }
    void mouseDown(Point at, MouseButton button) override;
    void mouseUp(Point at, MouseButton button) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void paint(Canvas& canvas) const override;

private:
    std::array<Colour, kSlotCount> slots_{};
    bool customColours_ = false;
    Bitmap glyph_;
    std::optional<Colour> glyphTransparent_;
    bool focusRectVisible_ = false;
};

} // namespace cellaro
