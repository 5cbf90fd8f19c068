// A canvas that paints into a Bitmap: every shape exactly as the Bitmap draws it, clipped. There is
// no font rasteriser here, so text leaves no pixels; the texts drawn are kept in a list instead
// (with their rectangles and styles) so that tests can read what a form shows.
#pragma once

#include "pixels/bitmap.h"
#include "pixels/canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

// A text as a canvas was asked to draw it; the area is in the canvas's device coordinates.
struct DrawnText {
    Rect area;
    Rect clip;
    std::string text;
    TextStyle style;
};

// The approximate size of a text on canvases without fonts: every character (code point) is
// 0.6 x the font height wide, rounded to the nearest pixel; the height is the font height.
[[nodiscard]] Size approximateTextSize(std::string_view utf8, const Font& font);

class BitmapCanvas final : public Canvas {
public:
    // Paints into the picture, which must outlive the canvas. The clip starts as the whole picture.
    explicit BitmapCanvas(Bitmap& target);

    [[nodiscard]] const std::vector<DrawnText>& texts() const { return texts_; }
    // The texts joined by newlines, in drawing order.
    [[nodiscard]] std::string allText() const;

    void setOrigin(Point origin) override { origin_ = origin; }
    [[nodiscard]] Point origin() const override { return origin_; }
    void pushClip(const Rect& area) override;
    void popClip() override;

    void fillRect(const Rect& area, Colour colour) override;
    void gradient(const Rect& area, Colour from, Colour to, bool vertical) override;
    void roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                   std::optional<Colour> brush) override;
    void line(Point from, Point to, int penWidth, Colour colour) override;
    void text(const Rect& area, std::string_view utf8, const TextStyle& style) override;
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override;
    void drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) override;
    void drawBitmapStretched(const Bitmap& picture, const Rect& area) override;

private:
    [[nodiscard]] Rect toDevice(const Rect& area) const { return area.offset(origin_.x, origin_.y); }
    [[nodiscard]] const Rect& clip() const { return clips_.back(); }
    // Copies the pixels of a picture drawn over a copy of the target's `area` back into the
    // target, inside the clip only.
    void commit(const Bitmap& scratch, const Rect& area);
    [[nodiscard]] Bitmap copyOf(const Rect& area) const;

    Bitmap& target_;
    Point origin_;
    std::vector<Rect> clips_; // device coordinates; the first is the whole picture
    std::vector<DrawnText> texts_;
};

// The overlap of two rectangles (empty when they don't meet).
[[nodiscard]] Rect intersect(const Rect& a, const Rect& b);

} // namespace cellaro
