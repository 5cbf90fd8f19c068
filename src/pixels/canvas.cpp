// What every canvas shares.
#include "pixels/canvas.h"

#include "pixels/bitmap.h"

namespace cellaro {

void Canvas::drawBitmapCentred(const Bitmap& picture, const Rect& area, std::optional<Colour> transparent) {
    drawBitmap(picture,
               Point{area.left + (area.width() - picture.width()) / 2,
                     area.top + (area.height() - picture.height()) / 2},
               transparent);
}

} // namespace cellaro
