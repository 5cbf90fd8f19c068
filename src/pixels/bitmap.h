// A 24-bit raster picture drawn in code: the grid board, button and anchor pictures, pin pictures
// and icons are painted into it, so tests can check pixels and no image files are needed.
#pragma once

#include "core/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cellaro {

class Bitmap {
public:
    Bitmap() = default;
    // A width x height picture filled with black; negative sizes count as zero.
    Bitmap(int width, int height);
    Bitmap(int width, int height, Colour fill);

    // Becomes what Bitmap(width, height, fill) would be, in the storage it already has when that
    // is large enough: a picture redrawn at a new size then neither allocates nor touches fresh
    // memory, which for a full-screen picture costs more than drawing it.
    void assign(int width, int height, Colour fill);

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] bool empty() const { return width_ == 0 || height_ == 0; }
    [[nodiscard]] bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Pixel access; reads outside the picture give black, writes outside are ignored.
    [[nodiscard]] Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

    // Fills the rectangle (right and bottom exclusive), clipped to the picture.
    void fill(const Rect& area, Colour colour);
    // A rectangle with rounded corners from (left, top) to (right, bottom) exclusive, as the system
    // draws it with a one-pixel pen: the outline in the pen colour, the inside in the brush colour.
    // The corners are quarter ellipses of cornerWidth x cornerHeight.
    void roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen, Colour brush);
    // Lays the colour over the rectangle (clipped) so that throughPercent of each pixel still
    // shows: 0 gives the colour alone, 100 leaves the picture as it was; values outside 0..100 are
    // taken as the nearer end. Each channel is rounded to the nearest value.
    void veil(const Rect& area, Colour colour, int throughPercent);
    // Surface fill: the 4-connected area of the colour found at (x, y) becomes the new colour.
    void floodFill(int x, int y, Colour colour);
    // A straight line from one point to the other, both ends included, with a square pen.
    void line(Point from, Point to, int penWidth, Colour colour);
    // Copies another picture onto this one at (x, y), clipped.
    void blit(const Bitmap& source, int x, int y);
    // Replaces the content by itself stretched to the new size (nearest pixel). False, and the
    // picture unchanged, for an empty target size.
    bool stretch(int newWidth, int newHeight);

    // 0x00BBGGRR values, row by row from the top.
    [[nodiscard]] const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The picture as the bytes of a 24-bit BMP file.
std::string encodeBmp(const Bitmap& bitmap);
// The picture as the bytes of a PNG file (uncompressed deflate blocks: simple, and good enough for
// pictures kept to be looked at).
std::string encodePng(const Bitmap& bitmap);

} // namespace cellaro
