// The translucent panel: what lies behind it, the per-pixel blend and its cache.
#include "widgets/translucent_panel.h"

#include <algorithm>
#include <utility>

namespace cellaro {

TranslucentPanel::TranslucentPanel(std::string name) : Widget(std::move(name)) {}

void TranslucentPanel::setPicture(Bitmap picture) {
    picture_ = std::move(picture);
    ++pictureVersion_;
    invalidate();
}

void TranslucentPanel::setPercent(int percent) {
    percent = std::clamp(percent, 0, kMaxPercent);
    if (percent != percent_) {
        percent_ = percent;
        invalidate();
    }
}

const TranslucentPanel* TranslucentPanel::outer() const {
    if (!picture_.empty()) {
        return nullptr;
    }
    return dynamic_cast<const TranslucentPanel*>(parent());
}

Bitmap TranslucentPanel::backdrop(Scale scale) const {
    const Size size = scale.physical(Size{bounds().width(), bounds().height()});
    if (!picture_.empty()) {
        Bitmap stretched = picture_;
        if (stretched.stretch(size.width, size.height)) {
            return stretched;
        }
        return {};
    }
    Bitmap cut(size.width, size.height, colour());
    if (const TranslucentPanel* under = outer()) {
        const Bitmap& outerShown = under->shown(scale);
        const Point corner = scale.physical(Point{bounds().left, bounds().top});
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                if (outerShown.inside(corner.x + x, corner.y + y)) {
                    cut.setPixel(x, y, outerShown.pixel(corner.x + x, corner.y + y));
                }
            }
        }
    }
    return cut;
}

const Bitmap& TranslucentPanel::shown(Scale scale) const {
    const TranslucentPanel* under = outer();
    std::uint64_t outerGeneration = 0;
    if (under != nullptr) {
        // The outer blend first: it may be made anew, with a new generation.
        static_cast<void>(under->shown(scale));
        outerGeneration = under->blend_.generation;
    }
    if (blend_.valid && blend_.scale == scale && blend_.bounds == bounds() && blend_.colour == colour() &&
        blend_.percent == percent_ && blend_.pictureVersion == pictureVersion_ &&
        blend_.outerGeneration == outerGeneration) {
        return blend_.picture;
    }
    blend_.picture = backdrop(scale);
    blend_.picture.veil(Rect::fromBounds(0, 0, blend_.picture.width(), blend_.picture.height()), colour(),
                        percent_);
    blend_.scale = scale;
    blend_.bounds = bounds();
    blend_.colour = colour();
    blend_.percent = percent_;
    blend_.pictureVersion = pictureVersion_;
    blend_.outerGeneration = outerGeneration;
    ++blend_.generation;
    blend_.valid = true;
    return blend_.picture;
}

void TranslucentPanel::paint(Canvas& canvas) const {
    if (picture_.empty() && outer() == nullptr) {
        canvas.fillRect(Rect::fromBounds(0, 0, bounds().width(), bounds().height()), colour());
        return;
    }
    canvas.drawBitmap(shown(canvas.scale()), Point{0, 0}, std::nullopt);
}

} // namespace cellaro
