// The gradient title panel and its window drag.
#include "widgets/gradient_panel.h"

#include "widgets/form.h"

#include <utility>

namespace cellaro {

GradientPanel::GradientPanel(std::string name) : Widget(std::move(name)) {}

void GradientPanel::setGradientColour(std::optional<Colour> colour) {
    if (colour != gradientColour_) {
        gradientColour_ = colour;
        invalidate();
    }
}

void GradientPanel::setVertical(bool vertical) {
    if (vertical != vertical_) {
        vertical_ = vertical;
        invalidate();
    }
}

void GradientPanel::setCaptionAlign(TextAlign align) {
    if (align != captionAlign_) {
        captionAlign_ = align;
        invalidate();
    }
}

void GradientPanel::setCaptionMargin(int pixels) {
    if (pixels != captionMargin_) {
        captionMargin_ = pixels;
        invalidate();
    }
}

void GradientPanel::setDragsWindow(bool drags) {
    dragsWindow_ = drags;
    if (!drags) {
        drag_.end();
    }
}

void GradientPanel::mouseDown(Point at, MouseButton button) {
    if (dragsWindow_ && button == MouseButton::Left) {
        // The drag goes by the points the events bring: the system's cursor position can lag
        // behind a press that arrives while the window is being activated.
        if (Form* owner = form()) {
            drag_.beginAt(*owner, owner->screenPoint(*this, at));
        }
    }
    Widget::mouseDown(at, button);
}

void GradientPanel::mouseMove(Point at) {
    followDrag(at);
    Widget::mouseMove(at);
}

void GradientPanel::mouseUp(Point at, MouseButton button) {
    if (button == MouseButton::Left && drag_.active()) {
        followDrag(at);
        if (const Form* owner = form()) {
            drag_.endAt(owner->screenPoint(*this, at));
        }
    }
    Widget::mouseUp(at, button);
}

void GradientPanel::followDrag(Point at) {
    const Form* owner = form();
    if (owner != nullptr && drag_.active() && drag_.followTo(owner->screenPoint(*this, at)) && onDragged) {
        onDragged(owner->bounds());
    }
}

void GradientPanel::paint(Canvas& canvas) const {
    const Rect area = Rect::fromBounds(0, 0, bounds().width(), bounds().height());
    canvas.gradient(area, colour(), gradientColour_.value_or(colour()), vertical_);
    if (!caption().empty()) {
        TextStyle style;
        style.font = font();
        style.colour = fontColour();
        style.align = captionAlign_;
        style.endEllipsis = true;
        canvas.text(Rect{area.left + captionMargin_, area.top, area.right - captionMargin_, area.bottom},
                    caption(), style);
    }
}

} // namespace cellaro
