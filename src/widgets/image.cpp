// The image widget.
#include "widgets/image.h"

#include <utility>

namespace cellaro {

Image::Image(std::string name) : Widget(std::move(name)) {}

void Image::setPicture(Bitmap picture) {
    view_ = nullptr;
    picture_ = std::move(picture);
    invalidate();
}

void Image::showPictureOf(const Bitmap& picture) {
    view_ = &picture;
    picture_ = Bitmap{};
    invalidate();
}

void Image::setFit(ImageFit fit) {
    if (fit != fit_) {
        fit_ = fit;
        invalidate();
    }
}

void Image::setTransparentColour(std::optional<Colour> colour) {
    if (colour != transparent_) {
        transparent_ = colour;
        invalidate();
    }
}

void Image::paint(Canvas& canvas) const {
    const Bitmap& shown = picture();
    if (shown.empty()) {
        return;
    }
    const int width = bounds().width();
    const int height = bounds().height();
    switch (fit_) {
    case ImageFit::TopLeft:
        canvas.drawBitmap(shown, Point{0, 0}, transparent_);
        break;
    case ImageFit::Centre:
        canvas.drawBitmapCentred(shown, Rect::fromBounds(0, 0, width, height), transparent_);
        break;
    case ImageFit::Stretch:
        if (!transparent_) {
            canvas.drawBitmapStretched(shown, Rect::fromBounds(0, 0, width, height));
        } else {
            // The canvas stretches without a transparent colour: stretch a copy here instead.
            Bitmap stretched = shown;
            const Size size = canvas.scale().physical(Size{width, height});
            if (stretched.stretch(size.width, size.height)) {
                canvas.drawBitmap(stretched, Point{0, 0}, transparent_);
            }
        }
        break;
    }
    if (showsFocusCue()) {
        paintFocusRectangle(canvas, Rect{0, 0, width, height}, Colour::rgb(0, 0, 0));
    }
}

} // namespace cellaro
