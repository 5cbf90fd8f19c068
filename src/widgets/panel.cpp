// The panel widget.
#include "widgets/panel.h"

#include <utility>

namespace cellaro {

Panel::Panel(std::string name) : Widget(std::move(name)) {}

void Panel::setBorderColour(std::optional<Colour> colour) {
    if (colour != borderColour_) {
        borderColour_ = colour;
        invalidate();
    }
}

void Panel::setCaptionAlign(TextAlign align) {
    if (align != captionAlign_) {
        captionAlign_ = align;
        invalidate();
    }
}

void Panel::paint(Canvas& canvas) const {
    const Rect area = Rect::fromBounds(0, 0, bounds().width(), bounds().height());
    canvas.fillRect(area, colour());
    if (borderColour_) {
        drawFrame(canvas, area, *borderColour_);
    }
    if (!caption().empty()) {
        TextStyle style;
        style.font = font();
        style.colour = fontColour();
        style.align = captionAlign_;
        canvas.text(area, caption(), style);
    }
}

void drawFrame(Canvas& canvas, const Rect& area, Colour colour) {
    if (area.empty()) {
        return;
    }
    canvas.fillRect(Rect{area.left, area.top, area.right, area.top + 1}, colour);
    canvas.fillRect(Rect{area.left, area.bottom - 1, area.right, area.bottom}, colour);
    canvas.fillRect(Rect{area.left, area.top, area.left + 1, area.bottom}, colour);
    canvas.fillRect(Rect{area.right - 1, area.top, area.right, area.bottom}, colour);
}

} // namespace cellaro
