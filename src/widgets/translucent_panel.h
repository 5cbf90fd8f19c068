// A translucent panel: its colour laid over a picture at a translucency percentage, so the
// picture shows through (0 %: the colour alone, 100 %: the picture alone). The picture is
// stretched over the panel; the blend is made per pixel at the scale the form is shown at and
// kept until something it depends on changes. Without a picture the panel shows its colour.
#pragma once

#include "core/scale.h"
#include "pixels/bitmap.h"
#include "widgets/widget.h"

#include <string>

namespace cellaro {

class TranslucentPanel : public Widget {
public:
    static constexpr int kMaxPercent = 100;

    explicit TranslucentPanel(std::string name);

    // The picture behind the panel, any size.
    void setPicture(Bitmap picture);
    [[nodiscard]] const Bitmap& picture() const { return picture_; }
    [[nodiscard]] int percent() const { return percent_; }
    // Clamped to 0..100.
    void setPercent(int percent);

    // What the panel shows at this scale: the picture stretched to the panel's physical size,
    // veiled with the colour.
    [[nodiscard]] Bitmap render(Scale scale) const;

    void paint(Canvas& canvas) const override;

private:
    Bitmap picture_;
    int percent_ = 0;

    // The last blend painted and what it was made from.
    struct Blend {
        Bitmap picture;
        Scale scale;
        Size size;
        Colour colour;
        int percent = -1;
        bool valid = false;
    };
    mutable Blend blend_;
};

} // namespace cellaro
