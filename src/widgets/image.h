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

    [[nodiscard]] const Bitmap& picture() const { return picture_; }
    void setPicture(Bitmap picture);
    void clearPicture() { setPicture(Bitmap{}); }
    [[nodiscard]] ImageFit fit() const { return fit_; }
    void setFit(ImageFit fit);
    [[nodiscard]] std::optional<Colour> transparentColour() const { return transparent_; }
    void setTransparentColour(std::optional<Colour> colour);

    void paint(Canvas& canvas) const override;

private:
    Bitmap picture_;
    ImageFit fit_ = ImageFit::TopLeft;
    std::optional<Colour> transparent_;
};

} // namespace cellaro
