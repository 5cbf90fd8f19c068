// The check box widget.
#include "widgets/check_box.h"

#include "platform/virtual_keys.h"

#include <algorithm>
#include <utility>

namespace cellaro {

CheckBox::CheckBox(std::string name) : Widget(std::move(name)) {
    setTabStop(true);
}

void CheckBox::setChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        invalidate();
    }
}

void CheckBox::setPictures(Bitmap checkedPicture, Bitmap uncheckedPicture,
                           std::optional<Colour> transparent) {
    checkedPicture_ = std::move(checkedPicture);
    uncheckedPicture_ = std::move(uncheckedPicture);
    pictureTransparent_ = transparent;
    invalidate();
}

bool CheckBox::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey == vk::kEnter) {
        return onKeyDown && onKeyDown(virtualKey, modifiers);
    }
    return Widget::keyDown(virtualKey, modifiers);
}

void CheckBox::click() {
    setChecked(!checked_);
    if (onChange) {
        onChange();
    }
    Widget::click();
}

void CheckBox::paint(Canvas& canvas) const {
    const int height = bounds().height();
    const Bitmap& picture = checked_ ? checkedPicture_ : uncheckedPicture_;
    int boxWidth = kBoxSize;
    if (!picture.empty()) {
        boxWidth = canvas.scale().dip(picture.width());
        canvas.drawBitmapCentred(picture, Rect::fromBounds(0, 0, boxWidth, height), pictureTransparent_);
    } else {
        const Rect box = Rect::fromBounds(0, (height - kBoxSize) / 2, kBoxSize, kBoxSize);
        const Colour ink = enabledInTree() ? fontColour() : Colour::rgb(160, 160, 160);
        canvas.fillRect(box, Colour::rgb(255, 255, 255));
        canvas.roundRect(box, 0, 0, Colour::rgb(112, 112, 112), std::nullopt);
        if (checked_) {
            // A tick: down from the left to the lower middle, then up to the right.
            const Point start{box.left + 3, box.top + 6};
            const Point low{box.left + 5, box.top + 8};
            const Point end{box.left + 9, box.top + 4};
            canvas.line(start, low, 2, ink);
            canvas.line(low, end, 2, ink);
        }
    }
    if (!caption().empty()) {
        TextStyle style;
        style.font = font();
        style.colour = enabledInTree() ? fontColour() : Colour::rgb(160, 160, 160);
        style.endEllipsis = true;
        const int textLeft = std::min(boxWidth + 4, bounds().width());
        canvas.text(Rect{textLeft, 0, bounds().width(), height}, caption(), style);
    }
    if (showsFocusCue()) {
        paintFocusRectangle(canvas, Rect{0, 0, bounds().width(), height},
                            enabledInTree() ? fontColour() : Colour::rgb(160, 160, 160));
    }
}

} // namespace cellaro
