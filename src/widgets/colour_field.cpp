// The colour field: its framed swatch and its keys.
#include "widgets/colour_field.h"

#include <algorithm>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kFrameColour = Colour::rgb(0x64, 0x64, 0x64);
constexpr Colour kRingColour = Colour::rgb(0xFF, 0xFF, 0xFF);
constexpr Colour kFocus = Colour::rgb(0x00, 0x00, 0x00);

} // namespace

ColourField::ColourField(std::string name) : Widget(std::move(name)) {}

Rect ColourField::swatchRect() const {
    constexpr int kInset = kFrame + kRing;
    const int width = bounds().width();
    const int height = bounds().height();
    return Rect{std::min(kInset, width / 2), std::min(kInset, height / 2),
                std::max(width / 2, width - kInset), std::max(height / 2, height - kInset)};
}

bool ColourField::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (!modifiers.any() && (virtualKey == vk::kSpace || virtualKey == vk::kEnter)) {
        click();
        return true;
    }
    return Widget::keyDown(virtualKey, modifiers);
}

void ColourField::paint(Canvas& canvas) const {
    const Rect whole = Rect::fromBounds(0, 0, bounds().width(), bounds().height());
    canvas.roundRect(whole, 0, 0, kFrameColour, kRingColour);
    canvas.fillRect(swatchRect(), colour());
    if (focused()) {
        paintFocusRectangle(
            canvas,
            Rect{whole.left + kFrame, whole.top + kFrame, whole.right - kFrame, whole.bottom - kFrame},
            kFocus);
    }
}

} // namespace cellaro
