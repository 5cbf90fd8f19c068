// Dragging a form by the cursor's travel.
#include "widgets/window_drag.h"

#include "widgets/form.h"

namespace cellaro {

void WindowDrag::begin(Form& form) {
    beginAt(form, form.host().cursorPosition());
}

void WindowDrag::beginAt(Form& form, Point cursor) {
    form_ = &form;
    startBounds_ = form.bounds();
    startCursor_ = cursor;
}

bool WindowDrag::follow() {
    return form_ != nullptr && followTo(form_->host().cursorPosition());
}

bool WindowDrag::followTo(Point cursor) {
    if (form_ == nullptr) {
        return false;
    }
    const Rect now = form_->bounds();
    const Rect target =
        Rect::fromBounds(startBounds_.left + cursor.x - startCursor_.x,
                         startBounds_.top + cursor.y - startCursor_.y, now.width(), now.height());
    if (target == form_->bounds()) {
        return false;
    }
    form_->setBounds(target);
    return true;
}

void WindowDrag::end() {
    follow();
    form_ = nullptr;
}

void WindowDrag::endAt(Point cursor) {
    followTo(cursor);
    form_ = nullptr;
}

void WindowDrag::attach(Form& form, Widget& panel, bool anyButton) {
    panel.onMouseDown = [this, &form, &panel, anyButton](Point at, MouseButton button) {
        if (anyButton || button == MouseButton::Left) {
            beginAt(form, form.screenPoint(panel, at));
        }
    };
    panel.onMouseMove = [this, &form, &panel](Point at) {
        if (active()) {
            followTo(form.screenPoint(panel, at));
        }
    };
    panel.onMouseUp = [this, &form, &panel](Point at, MouseButton /*button*/) {
        if (active()) {
            endAt(form.screenPoint(panel, at));
        }
    };
}

} // namespace cellaro
