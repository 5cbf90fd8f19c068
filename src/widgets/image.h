// An image: a picture drawn at its top-left corner, centred, or stretched over the widget, with an
// optional transparent colour.
#pragma once

#include "pixels/bitmap.h"
#include "widgets/widget.h"

#include <optional>
#include <string>

namespace cellaro {

enum class ImageFit { TopLeft, Centre, Stretch };

class Image : public Widget {
public:
    explicit Image(std::string name);

    [[nodiscard]] const Bitmap& picture() const { return view_ != nullptr ? *view_ : picture_; }
    void setPicture(Bitmap picture);
    void clearPicture() { setPicture(Bitmap{}); }
    // Shows a picture that its owner keeps and draws into, without copying it (the grid board's,
    // redrawn on every pointer move, is tens of megabytes at 4K). The owner calls pictureChanged()
    // after each drawing and keeps the picture alive while it shows; setPicture() ends the view.
    void showPictureOf(const Bitmap& picture);
    void pictureChanged() { invalidate(); }
    [[nodiscard]] ImageFit fit() const { return fit_; }
    void setFit(ImageFit fit);
    [[nodiscard]] std::optional<Colour> transparentColour() const { return transparent_; }
    void setTransparentColour(std::optional<Colour> colour);

    void paint(Canvas& canvas) const override;

private:
    Bitmap picture_;
    const Bitmap* view_ = nullptr;
    ImageFit fit_ = ImageFit::TopLeft;
    std::optional<Colour> transparent_;
};

} // namespace cellaro
