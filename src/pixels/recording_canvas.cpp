// The recording canvas.
#include "pixels/recording_canvas.h"

#include "pixels/bitmap.h"
#include "pixels/bitmap_canvas.h"

#include <algorithm>
#include <utility>

namespace cellaro {

RecordingCanvas::RecordingCanvas(const Rect& deviceClip) {
    clips_.push_back(deviceClip);
}

std::size_t RecordingCanvas::count(CanvasOpKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(ops_.begin(), ops_.end(), [kind](const CanvasOp& op) { return op.kind == kind; }));
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> result;
    for (const CanvasOp& op : ops_) {
        if (op.kind == CanvasOpKind::Text) {
            result.push_back(op.text);
        }
    }
    return result;
}

const CanvasOp* RecordingCanvas::findText(std::string_view text) const {
    const auto found = std::find_if(ops_.begin(), ops_.end(), [text](const CanvasOp& op) {
        return op.kind == CanvasOpKind::Text && op.text == text;
    });
    return found == ops_.end() ? nullptr : &*found;
}

void RecordingCanvas::pushClip(const Rect& area) {
    clips_.push_back(intersect(clips_.back(), toDevice(area)));
}

void RecordingCanvas::popClip() {
    if (clips_.size() > 1) {
        clips_.pop_back();
    }
}

CanvasOp& RecordingCanvas::record(CanvasOpKind kind, const Rect& area) {
    CanvasOp op;
    op.kind = kind;
    op.area = area;
    op.clip = clips_.back();
    ops_.push_back(std::move(op));
    return ops_.back();
}

void RecordingCanvas::fillRect(const Rect& area, Colour colour) {
    record(CanvasOpKind::FillRect, toDevice(area)).colour = colour;
}

void RecordingCanvas::gradient(const Rect& area, Colour from, Colour to, bool vertical) {
    CanvasOp& op = record(CanvasOpKind::Gradient, toDevice(area));
    op.colour = from;
    op.second = to;
    op.vertical = vertical;
}

void RecordingCanvas::roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                                std::optional<Colour> brush) {
    CanvasOp& op = record(CanvasOpKind::RoundRect, toDevice(area));
    op.corner = Size{cornerWidth, cornerHeight};
    op.colour = pen;
    op.second = brush;
}

void RecordingCanvas::line(Point from, Point to, int penWidth, Colour colour) {
    const Point a = toDevice(from);
    const Point b = toDevice(to);
    CanvasOp& op = record(CanvasOpKind::Line, Rect{std::min(a.x, b.x), std::min(a.y, b.y),
                                                   std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1});
    op.from = a;
    op.to = b;
    op.penWidth = penWidth;
    op.colour = colour;
}

void RecordingCanvas::text(const Rect& area, std::string_view utf8, const TextStyle& style) {
    CanvasOp& op = record(CanvasOpKind::Text, toDevice(area));
    op.text = std::string(utf8);
    op.style = style;
    op.colour = style.colour;
}

Size RecordingCanvas::measureText(std::string_view utf8, const Font& font) {
    return approximateTextSize(utf8, font);
}

void RecordingCanvas::drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) {
    const Point device = toDevice(at);
    CanvasOp& op =
        record(CanvasOpKind::Bitmap, Rect::fromBounds(device.x, device.y, picture.width(), picture.height()));
    op.second = transparent;
    op.pictureSize = Size{picture.width(), picture.height()};
}

void RecordingCanvas::drawBitmapStretched(const Bitmap& picture, const Rect& area) {
    record(CanvasOpKind::BitmapStretched, toDevice(area)).pictureSize =
        Size{picture.width(), picture.height()};
}

} // namespace cellaro
