// Dragging a form by the cursor's travel.
#include "widgets/window_drag.h"

#include "widgets/form.h"

namespace cellaro {

void WindowDrag::begin(Form& form) {
    form_ = &form;
    startBounds_ = form.bounds();
    startCursor_ = form.host().cursorPosition();
}

bool WindowDrag::follow() {
    if (form_ == nullptr) {
        return false;
    }
    const Point cursor = form_->host().cursorPosition();
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

} // namespace cellaro
