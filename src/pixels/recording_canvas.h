// A canvas that records every operation, in device coordinates (origin applied) with the clip in
// force, so tests can check what a widget painted and where.
#pragma once

#include "pixels/canvas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

enum class CanvasOpKind { FillRect, Gradient, RoundRect, Line, Text, Bitmap, BitmapStretched };

// One recorded operation; fields that don't belong to the kind keep their defaults.
struct CanvasOp {
    CanvasOpKind kind = CanvasOpKind::FillRect;
    Rect area;        // the rectangle; for Line the two points' bounding box; for Bitmap its placement
    Rect clip;        // the clip in force
    Point from;       // Line
    Point to;         // Line
    int penWidth = 0; // Line
    Size corner;      // RoundRect
    Colour colour;    // fill, gradient start, pen, line, text colour
    std::optional<Colour> second; // gradient end, round-rectangle brush, bitmap transparent colour
    bool vertical = false;        // Gradient
    std::string text;             // Text
    TextStyle style;              // Text
    Size pictureSize;             // Bitmap, BitmapStretched
};

class RecordingCanvas final : public Canvas {
public:
    // Records with the clip starting as this rectangle (device coordinates).
    explicit RecordingCanvas(const Rect& deviceClip = Rect{-100000, -100000, 100000, 100000});

    [[nodiscard]] const std::vector<CanvasOp>& ops() const { return ops_; }
    [[nodiscard]] std::size_t count(CanvasOpKind kind) const;
    // The texts drawn, in order.
    [[nodiscard]] std::vector<std::string> texts() const;
    // The first text operation with exactly this text, or null.
    [[nodiscard]] const CanvasOp* findText(std::string_view text) const;
    void clear() { ops_.clear(); }

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
    // The same approximate metric as the bitmap canvas (0.6 x height per character).
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override;
    void drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) override;
    void drawBitmapStretched(const Bitmap& picture, const Rect& area) override;

private:
    [[nodiscard]] Rect toDevice(const Rect& area) const { return area.offset(origin_.x, origin_.y); }
    [[nodiscard]] Point toDevice(Point p) const { return Point{p.x + origin_.x, p.y + origin_.y}; }
    CanvasOp& record(CanvasOpKind kind, const Rect& area);

    Point origin_;
    std::vector<Rect> clips_;
    std::vector<CanvasOp> ops_;
};

} // namespace cellaro
