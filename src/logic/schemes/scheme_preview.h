// The grid preview of the Grids page: a small picture of the grid board in the colours being edited,
// with its top-left cell shown as selected.
#pragma once

#include "config/board_colours.h"
#include "core/geometry.h"
#include "pixels/bitmap.h"

namespace cellaro {

// The preview image's size, and the corner ellipse of its cells.
inline constexpr Size kSchemePreviewSize{320, 195};
inline constexpr int kSchemePreviewCellCorner = 10;
// Where the selection's surface fill starts: inside the first cell.
inline constexpr Point kSchemePreviewFillSeed{10, 10};

// RisiPrewMrezo: the picture filled with the background colour; `across` x `down` cells of
// width / across by height / down pixels (truncated, so a strip of background may stay at the
// right and the bottom), each a rounded rectangle outlined in the grid colour and filled with the
// grid background colour; then the area of the colour found at (10, 10) surface-filled with the
// range selection colour. When the grid colour equals the grid background colour nothing stops
// that fill at the cell outlines, and it covers every cell it reaches. Counts below 1 count as 1.
// The panel around the preview takes the background colour as well.
[[nodiscard]] Bitmap drawSchemePreview(const BoardColours& colours, int across, int down,
                                       Size size = kSchemePreviewSize);

} // namespace cellaro
