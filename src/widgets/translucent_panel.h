// A translucent panel: its colour laid over a picture at a translucency percentage, so the
// picture shows through (0 %: the colour alone, 100 %: the picture alone). The picture is
// stretched over the panel. A panel without a picture inside another translucent panel lies over
// what that one shows (thin strips over a veiled picture, say); one without a picture anywhere
// else shows its colour. The blend is made per pixel at the scale the form is shown at and kept
// until something it depends on changes.
#pragma once

#include "core/scale.h"
#include "pixels/bitmap.h"
#include "widgets/widget.h"

#include <cstdint>
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

    // What the panel shows at this scale, as many pixels as the panel covers there: what lies
    // behind it veiled with the colour.
    [[nodiscard]] const Bitmap& shown(Scale scale) const;

    void paint(Canvas& canvas) const override;

private:
    // The enclosing translucent panel whose picture this one lies over, or null.
    [[nodiscard]] const TranslucentPanel* outer() const;
    [[nodiscard]] Bitmap backdrop(Scale scale) const;

    Bitmap picture_;
    int percent_ = 0;
    // Counts the pictures set, so the cache knows a new one of the same size.
    std::uint64_t pictureVersion_ = 0;

    // The last blend and what it was made from.
    struct Blend {
        Bitmap picture;
        Scale scale;
        Rect bounds;
        Colour colour;
        int percent = -1;
        std::uint64_t pictureVersion = 0;
        std::uint64_t outerGeneration = 0; // of the outer panel's blend it was cut from
        std::uint64_t generation = 0;      // counts the blends made
        bool valid = false;
    };
    mutable Blend blend_;
};

} // namespace cellaro
