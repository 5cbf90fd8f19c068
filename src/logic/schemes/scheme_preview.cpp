// The grid preview picture.
#include "logic/schemes/scheme_preview.h"

#include <algorithm>

namespace cellaro {

Bitmap drawSchemePreview(const BoardColours& colours, int across, int down, Size size) {
    Bitmap picture(size.width, size.height, colours.background);
    const int columns = std::max(across, 1);
    const int rows = std::max(down, 1);
    const int cellWidth = picture.width() / columns;
    const int cellHeight = picture.height() / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int left = column * cellWidth;
            const int top = row * cellHeight;
            picture.roundRect(Rect{left, top, left + cellWidth, top + cellHeight}, kSchemePreviewCellCorner,
                              kSchemePreviewCellCorner, colours.grid, colours.gridBackground);
        }
    }
    picture.floodFill(kSchemePreviewFillSeed.x, kSchemePreviewFillSeed.y, colours.rangeSelection);
    return picture;
}

} // namespace cellaro
