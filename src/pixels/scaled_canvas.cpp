// The scaling canvas.
#include "pixels/scaled_canvas.h"

#include "pixels/bitmap.h"

#include <algorithm>

namespace cellaro {

void ScaledCanvas::setOrigin(Point origin) {
    origin_ = origin;
    physical_.setOrigin(scale_.physical(origin));
}

void ScaledCanvas::pushClip(const Rect& area) {
    physical_.pushClip(scale_.physical(area));
}

void ScaledCanvas::fillRect(const Rect& area, Colour colour) {
    physical_.fillRect(scale_.physical(area), colour);
}

void ScaledCanvas::gradient(const Rect& area, Colour from, Colour to, bool vertical) {
    physical_.gradient(scale_.physical(area), from, to, vertical);
}

void ScaledCanvas::roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                             std::optional<Colour> brush) {
    physical_.roundRect(scale_.physical(area), scale_.physical(cornerWidth), scale_.physical(cornerHeight),
                        pen, brush);
}

void ScaledCanvas::line(Point from, Point to, int penWidth, Colour colour) {
    physical_.line(scale_.physical(from), scale_.physical(to), std::max(1, scale_.physical(penWidth)),
                   colour);
}

Font ScaledCanvas::physicalFont(const Font& font) const {
    Font scaled = font;
    scaled.height = std::max(1, scale_.physical(font.height));
    return scaled;
}

void ScaledCanvas::text(const Rect& area, std::string_view utf8, const TextStyle& style) {
    TextStyle scaled = style;
    scaled.font = physicalFont(style.font);
    physical_.text(scale_.physical(area), utf8, scaled);
}

Size ScaledCanvas::measureText(std::string_view utf8, const Font& font) {
    return scale_.dip(physical_.measureText(utf8, physicalFont(font)));
}

void ScaledCanvas::drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) {
    physical_.drawBitmap(picture, scale_.physical(at), transparent);
}

void ScaledCanvas::drawBitmapStretched(const Bitmap& picture, const Rect& area) {
    physical_.drawBitmapStretched(picture, scale_.physical(area));
}

void ScaledCanvas::drawBitmapCentred(const Bitmap& picture, const Rect& area,
                                     std::optional<Colour> transparent) {
    const Rect physical = scale_.physical(area);
    physical_.drawBitmap(picture,
                         Point{physical.left + (physical.width() - picture.width()) / 2,
                               physical.top + (physical.height() - picture.height()) / 2},
                         transparent);
}

} // namespace cellaro
