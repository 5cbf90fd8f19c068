// The translucent panel: the per-pixel blend and its cache.
#include "widgets/translucent_panel.h"

#include <algorithm>
#include <utility>

namespace cellaro {

TranslucentPanel::TranslucentPanel(std::string name) : Widget(std::move(name)) {}

void TranslucentPanel::setPicture(Bitmap picture) {
    picture_ = std::move(picture);
    blend_.valid = false;
    invalidate();
}

void TranslucentPanel::setPercent(int percent) {
    percent = std::clamp(percent, 0, kMaxPercent);
    if (percent != percent_) {
        percent_ = percent;
        invalidate();
    }
}

Bitmap TranslucentPanel::render(Scale scale) const {
    const Size size = scale.physical(Size{bounds().width(), bounds().height()});
    Bitmap result = picture_;
    if (result.empty() || !result.stretch(size.width, size.height)) {
        return Bitmap(size.width, size.height, colour());
    }
    result.veil(Rect::fromBounds(0, 0, size.width, size.height), colour(), percent_);
    return result;
}

void TranslucentPanel::paint(Canvas& canvas) const {
    if (picture_.empty()) {
        canvas.fillRect(Rect::fromBounds(0, 0, bounds().width(), bounds().height()), colour());
        return;
    }
    const Scale scale = canvas.scale();
    const Size size{bounds().width(), bounds().height()};
    if (!blend_.valid || blend_.scale != scale || blend_.size != size || blend_.colour != colour() ||
        blend_.percent != percent_) {
        blend_.picture = render(scale);
        blend_.scale = scale;
        blend_.size = size;
        blend_.colour = colour();
        blend_.percent = percent_;
        blend_.valid = true;
    }
    canvas.drawBitmap(blend_.picture, Point{0, 0}, std::nullopt);
}

} // namespace cellaro
