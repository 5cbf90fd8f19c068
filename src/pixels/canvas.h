// The drawing surface through which widgets paint, so a form looks the same wherever a canvas
// exists: a GDI device context in the Windows build, a bitmap or a recording in tests.
#pragma once

#include "core/geometry.h"
#include "core/scale.h"

#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

class Bitmap;

struct Font {
    std::string face = "Tahoma";
    int height = 11; // character height in pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class TextAlign { Left, Centre, Right };

struct TextStyle {
    Font font;
    Colour colour;
    TextAlign align = TextAlign::Left;
    bool verticalCentre = true;
    bool endEllipsis = false; // cut with "..." when the text is wider than its rectangle
    bool wordWrap = false;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas(Canvas&&) = delete;
    Canvas& operator=(Canvas&&) = delete;
    virtual ~Canvas() = default;

    // Everything below is in the coordinates of the current origin, clipped to the current clip.
    virtual void setOrigin(Point origin) = 0;
    [[nodiscard]] virtual Point origin() const = 0;
    // Intersects the clip with the rectangle (current coordinates); popClip undoes one call.
    virtual void pushClip(const Rect& area) = 0;
    virtual void popClip() = 0;

    virtual void fillRect(const Rect& area, Colour colour) = 0;
    // A two-colour gradient from top to bottom (vertical) or left to right.
    virtual void gradient(const Rect& area, Colour from, Colour to, bool vertical) = 0;
    // Rounded rectangle with a one-pixel outline and an optional fill.
    virtual void roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                           std::optional<Colour> brush) = 0;
    virtual void line(Point from, Point to, int penWidth, Colour colour) = 0;
    virtual void text(const Rect& area, std::string_view utf8, const TextStyle& style) = 0;
    [[nodiscard]] virtual Size measureText(std::string_view utf8, const Font& font) = 0;
    // Draws the picture at its own size; pixels of the transparent colour are left out.
    virtual void drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) = 0;
    // Draws the picture stretched into the rectangle.
    virtual void drawBitmapStretched(const Bitmap& picture, const Rect& area) = 0;
    // Draws the picture at its own size centred in the rectangle.
    virtual void drawBitmapCentred(const Bitmap& picture, const Rect& area,
                                   std::optional<Colour> transparent);

    // The scale from the canvas's coordinates to the pixels it paints: pictures are in those pixels,
    // so a picture of n pixels covers scale().dip(n) of the canvas's coordinates.
    [[nodiscard]] virtual Scale scale() const { return Scale{}; }
};

} // namespace cellaro
