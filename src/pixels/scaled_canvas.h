// A canvas in device-independent pixels over a canvas in physical ones: positions, sizes, corner
// radii, pen widths and font heights are scaled to the dots per inch. Pictures are drawn at their
// own size, so a picture drawn for the scale stays crisp: widgets hand over pictures made at the
// physical resolution.
#pragma once

#include "core/scale.h"
#include "pixels/canvas.h"

namespace cellaro {

class ScaledCanvas final : public Canvas {
public:
    ScaledCanvas(Canvas& physical, Scale scale) : physical_(physical), scale_(scale) {}

    void setOrigin(Point origin) override;
    [[nodiscard]] Point origin() const override { return origin_; }
    void pushClip(const Rect& area) override;
    void popClip() override { physical_.popClip(); }
    void fillRect(const Rect& area, Colour colour) override;
    void gradient(const Rect& area, Colour from, Colour to, bool vertical) override;
    void roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                   std::optional<Colour> brush) override;
    void line(Point from, Point to, int penWidth, Colour colour) override;
    void text(const Rect& area, std::string_view utf8, const TextStyle& style) override;
    // In device-independent pixels.
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override;
    void drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) override;
    void drawBitmapStretched(const Bitmap& picture, const Rect& area) override;
    void drawBitmapCentred(const Bitmap& picture, const Rect& area,
                           std::optional<Colour> transparent) override;
    [[nodiscard]] Scale scale() const override { return scale_; }

    // A font of this height in device-independent pixels, at the scale.
    [[nodiscard]] Font physicalFont(const Font& font) const;

private:
    Canvas& physical_;
    Scale scale_;
    Point origin_;
};

} // namespace cellaro
