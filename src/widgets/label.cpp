// The label widget.
#include "widgets/label.h"

#include <utility>

namespace cellaro {

namespace {

template <typename T> void change(T& field, T value, const Widget& widget) {
    if (field != value) {
        field = value;
        widget.invalidate();
    }
}

} // namespace

Label::Label(std::string name) : Widget(std::move(name)) {}

void Label::setAlignment(TextAlign alignment) {
    change(alignment_, alignment, *this);
}

void Label::setTransparent(bool transparent) {
    change(transparent_, transparent, *this);
}

void Label::setEndEllipsis(bool cut) {
    change(endEllipsis_, cut, *this);
}

void Label::setWordWrap(bool wrap) {
    change(wordWrap_, wrap, *this);
}

void Label::setVerticalCentre(bool centre) {
    change(verticalCentre_, centre, *this);
}

void Label::paint(Canvas& canvas) const {
    const Rect area = Rect::fromBounds(0, 0, bounds().width(), bounds().height());
    if (!transparent_) {
        canvas.fillRect(area, colour());
    }
    if (caption().empty()) {
        return;
    }
    TextStyle style;
    style.font = font();
    style.colour = fontColour();
    style.align = alignment_;
    style.verticalCentre = verticalCentre_;
    style.endEllipsis = endEllipsis_;
    style.wordWrap = wordWrap_;
    canvas.text(area, caption(), style);
    if (showsFocusCue()) {
        paintFocusRectangle(canvas, Rect{0, 0, bounds().width(), bounds().height()}, fontColour());
    }
}

} // namespace cellaro
