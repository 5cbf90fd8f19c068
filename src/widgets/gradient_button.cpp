// The gradient button: its colour slots, state and painting.
#include "widgets/gradient_button.h"

#include "widgets/form.h"

#include <cstddef>
#include <utility>

namespace cellaro {

namespace {

// The scheme a button starts with, slot by slot (face, gradient, dark, light, border, text per
// state, then the focus rectangle).
constexpr std::array<Colour, GradientButton::kSlotCount> kStartingSlots{
    // normal
    Colour::rgb(240, 240, 240), Colour::rgb(215, 215, 215), Colour::rgb(160, 160, 160),
    Colour::rgb(255, 255, 255), Colour::rgb(112, 112, 112), Colour::rgb(0, 0, 0),
    // hover
    Colour::rgb(229, 241, 251), Colour::rgb(196, 224, 248), Colour::rgb(120, 170, 220),
    Colour::rgb(255, 255, 255), Colour::rgb(0, 120, 215), Colour::rgb(0, 0, 0),
    // pressed
    Colour::rgb(204, 228, 247), Colour::rgb(170, 205, 235), Colour::rgb(100, 150, 200),
    Colour::rgb(230, 240, 250), Colour::rgb(0, 84, 153), Colour::rgb(0, 0, 0),
    // disabled
    Colour::rgb(244, 244, 244), Colour::rgb(235, 235, 235), Colour::rgb(200, 200, 200),
    Colour::rgb(255, 255, 255), Colour::rgb(191, 191, 191), Colour::rgb(160, 160, 160),
    // focus rectangle
    Colour::rgb(0, 0, 0)};

constexpr int kCorner = 3;
constexpr int kGlyphMargin = 4;

std::uint8_t halfway(std::uint8_t from, std::uint8_t to) {
    return static_cast<std::uint8_t>((from + to) / 2);
}

// A disabled button's picture: every drawn pixel halfway to the face, so it reads as greyed out.
Bitmap greyedOut(const Bitmap& glyph, std::optional<Colour> transparent, Colour face) {
    Bitmap result = glyph;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const Colour pixel = glyph.pixel(x, y);
            if (pixel != transparent) {
                result.setPixel(x, y,
                                Colour::rgb(halfway(pixel.red(), face.red()),
                                            halfway(pixel.green(), face.green()),
                                            halfway(pixel.blue(), face.blue())));
            }
        }
    }
    return result;
}

} // namespace

GradientButton::GradientButton(std::string name) : Widget(std::move(name)), slots_(kStartingSlots) {
    setTabStop(true);
}

Colour GradientButton::slot(int index) const {
    if (index < 0 || index >= kSlotCount) {
        return Colour{};
    }
    return slots_[static_cast<std::size_t>(index)];
}

bool GradientButton::setSlot(int index, Colour colour) {
    if (index < 0 || index >= kSlotCount) {
        return false;
    }
    slots_[static_cast<std::size_t>(index)] = colour;
    customColours_ = true;
    invalidate();
    return true;
}

ButtonState GradientButton::state() const {
    if (!enabledInTree()) {
        return ButtonState::Disabled;
    }
    const Form* owner = form();
    if (owner == nullptr) {
        return ButtonState::Normal;
    }
    const bool over = owner->hovered() == this;
    if (owner->pressed() == this) {
        return over ? ButtonState::Pressed : ButtonState::Normal;
    }
    return over ? ButtonState::Hover : ButtonState::Normal;
}

void GradientButton::setGlyph(Bitmap glyph, std::optional<Colour> transparent) {
    glyph_ = std::move(glyph);
    glyphTransparent_ = transparent;
    invalidate();
}

void GradientButton::clearGlyph() {
    setGlyph(Bitmap{}, std::nullopt);
}

void GradientButton::setFocusRectVisible(bool visible) {
    if (visible != focusRectVisible_) {
        focusRectVisible_ = visible;
        invalidate();
    }
}

void GradientButton::mouseDown(Point at, MouseButton button) {
    invalidate();
    Widget::mouseDown(at, button);
}

void GradientButton::mouseUp(Point at, MouseButton button) {
    invalidate();
    Widget::mouseUp(at, button);
}

void GradientButton::mouseEnter() {
    invalidate();
    Widget::mouseEnter();
}

void GradientButton::mouseLeave() {
    invalidate();
    Widget::mouseLeave();
}

void GradientButton::paint(Canvas& canvas) const {
    const int width = bounds().width();
    const int height = bounds().height();
    if (width <= 0 || height <= 0) {
        return;
    }
    const ButtonState now = state();
    const Rect area = Rect::fromBounds(0, 0, width, height);
    const Rect inner{1, 1, width - 1, height - 1};

    // Face: the gradient from top to bottom, a light edge at the top and left, a dark one at the
    // bottom and right, and the rounded border around it all.
    canvas.gradient(inner, colourOf(now, ButtonColour::Face), colourOf(now, ButtonColour::Gradient), true);
    if (!inner.empty()) {
        const Colour light = colourOf(now, ButtonColour::Light);
        const Colour dark = colourOf(now, ButtonColour::Dark);
        canvas.line(Point{inner.left + 1, inner.top}, Point{inner.right - 2, inner.top}, 1, light);
        canvas.line(Point{inner.left, inner.top + 1}, Point{inner.left, inner.bottom - 2}, 1, light);
        canvas.line(Point{inner.left + 1, inner.bottom - 1}, Point{inner.right - 2, inner.bottom - 1}, 1,
                    dark);
        canvas.line(Point{inner.right - 1, inner.top + 1}, Point{inner.right - 1, inner.bottom - 2}, 1, dark);
    }
    canvas.roundRect(area, kCorner, kCorner, colourOf(now, ButtonColour::Border), std::nullopt);
    if (focusRectVisible_) {
        const Rect focus{3, 3, width - 3, height - 3};
        if (!focus.empty()) {
            canvas.roundRect(focus, 0, 0, slot(kFocusSlot), std::nullopt);
        }
    }
    // The keyboard focus: a dotted outline in the caption's colour, which stands out on the face.
    if (showsFocusCue()) {
        const Rect focus{2, 2, width - 2, height - 2};
        if (!focus.empty()) {
            paintFocusRectangle(canvas, focus, colourOf(now, ButtonColour::Text));
        }
    }

    // The pressed face shifts its content by one pixel, as a pushed button does.
    const int shift = now == ButtonState::Pressed ? 1 : 0;
    Rect textArea{kGlyphMargin + shift, shift, width - kGlyphMargin + shift, height + shift};
    if (!glyph_.empty()) {
        // The glyph is in the canvas's pixels: centred there, or at the left margin before a caption.
        Rect glyphArea{shift, shift, width + shift, height + shift};
        if (!caption().empty()) {
            const int glyphWidth = canvas.scale().dip(glyph_.width());
            glyphArea = Rect{kGlyphMargin + shift, shift, kGlyphMargin + shift + glyphWidth, height + shift};
            textArea.left = glyphArea.right + 2;
        }
        if (now == ButtonState::Disabled) {
            canvas.drawBitmapCentred(greyedOut(glyph_, glyphTransparent_, colourOf(now, ButtonColour::Face)),
                                     glyphArea, glyphTransparent_);
        } else {
            canvas.drawBitmapCentred(glyph_, glyphArea, glyphTransparent_);
        }
    }
    if (!caption().empty()) {
        TextStyle style;
        style.font = font();
        style.colour = colourOf(now, ButtonColour::Text);
        style.align = TextAlign::Centre;
        style.endEllipsis = true;
        canvas.text(textArea, caption(), style);
    }
}

} // namespace cellaro
