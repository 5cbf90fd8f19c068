// The bitmap canvas: clipped shapes in a Bitmap, texts kept as a list.
#include "pixels/bitmap_canvas.h"

#include "core/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace cellaro {

namespace {

// One channel of a two-colour gradient at step `index` of `steps` (the last step is `to`).
std::uint32_t blendChannel(std::uint32_t from, std::uint32_t to, int index, int steps) {
    if (steps <= 1) {
        return from;
    }
    const auto a = static_cast<long long>(from);
    const auto b = static_cast<long long>(to);
    return static_cast<std::uint32_t>(a + (b - a) * index / (steps - 1));
}

Colour blend(Colour from, Colour to, int index, int steps) {
    return Colour::rgb(static_cast<std::uint8_t>(blendChannel(from.red(), to.red(), index, steps)),
                       static_cast<std::uint8_t>(blendChannel(from.green(), to.green(), index, steps)),
                       static_cast<std::uint8_t>(blendChannel(from.blue(), to.blue(), index, steps)));
}

} // namespace

Rect intersect(const Rect& a, const Rect& b) {
    const Rect overlap{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom)};
    return overlap.empty() ? Rect{} : overlap;
}

Size approximateTextSize(std::string_view text, const Font& font) {
    const auto characters = static_cast<long long>(utf8::characterCount(text));
    const double width = 0.6 * static_cast<double>(font.height) * static_cast<double>(characters);
    return Size{static_cast<int>(std::lround(width)), font.height};
}

BitmapCanvas::BitmapCanvas(Bitmap& target) : target_(target) {
    clips_.push_back(Rect::fromBounds(0, 0, target.width(), target.height()));
}

std::string BitmapCanvas::allText() const {
    std::string joined;
    for (const DrawnText& drawn : texts_) {
        if (!joined.empty()) {
            joined += '\n';
        }
        joined += drawn.text;
    }
    return joined;
}

void BitmapCanvas::pushClip(const Rect& area) {
    clips_.push_back(intersect(clip(), toDevice(area)));
}

void BitmapCanvas::popClip() {
    if (clips_.size() > 1) {
        clips_.pop_back();
    }
}

void BitmapCanvas::fillRect(const Rect& area, Colour colour) {
    const Rect visible = intersect(toDevice(area), clip());
    if (!visible.empty()) {
        target_.fill(visible, colour);
    }
}

void BitmapCanvas::gradient(const Rect& area, Colour from, Colour to, bool vertical) {
    const Rect device = toDevice(area);
    const int steps = vertical ? device.height() : device.width();
    for (int i = 0; i < steps; ++i) {
        const Rect band = vertical ? Rect{device.left, device.top + i, device.right, device.top + i + 1}
                                   : Rect{device.left + i, device.top, device.left + i + 1, device.bottom};
        const Rect visible = intersect(band, clip());
        if (!visible.empty()) {
            target_.fill(visible, blend(from, to, i, steps));
        }
    }
}

Bitmap BitmapCanvas::copyOf(const Rect& area) const {
    Bitmap copy(area.width(), area.height());
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) {
            copy.setPixel(x, y, target_.pixel(area.left + x, area.top + y));
        }
    }
    return copy;
}

void BitmapCanvas::commit(const Bitmap& scratch, const Rect& area) {
    const Rect visible = intersect(area, clip());
    for (int y = visible.top; y < visible.bottom; ++y) {
        for (int x = visible.left; x < visible.right; ++x) {
            target_.setPixel(x, y, scratch.pixel(x - area.left, y - area.top));
        }
    }
}

void BitmapCanvas::roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                             std::optional<Colour> brush) {
    const Rect device = toDevice(area);
    if (device.empty() || intersect(device, clip()).empty()) {
        return;
    }
    const Rect local = Rect::fromBounds(0, 0, device.width(), device.height());
    Bitmap shape = copyOf(device);
    if (brush) {
        shape.roundRect(local, cornerWidth, cornerHeight, pen, *brush);
    } else {
        // The Bitmap always fills; drawn twice with two different fills, the pixels where the two
        // agree are the outline (or untouched), and where they differ the inside shows through.
        const Bitmap background = shape;
        Bitmap other = shape;
        const Colour first{0x000000U};
        const Colour second{0xFFFFFFU};
        shape.roundRect(local, cornerWidth, cornerHeight, pen, first);
        other.roundRect(local, cornerWidth, cornerHeight, pen, second);
        for (int y = 0; y < shape.height(); ++y) {
            for (int x = 0; x < shape.width(); ++x) {
                if (shape.pixel(x, y) != other.pixel(x, y)) {
                    shape.setPixel(x, y, background.pixel(x, y));
                }
            }
        }
    }
    commit(shape, device);
}

void BitmapCanvas::line(Point from, Point to, int penWidth, Colour colour) {
    const int pen = std::max(penWidth, 1);
    const Point a{from.x + origin_.x, from.y + origin_.y};
    const Point b{to.x + origin_.x, to.y + origin_.y};
    // The square pen reaches (pen - 1) / 2 before each point and the rest after it.
    const int before = (pen - 1) / 2;
    const Rect reach{std::min(a.x, b.x) - before, std::min(a.y, b.y) - before,
                     std::max(a.x, b.x) - before + pen, std::max(a.y, b.y) - before + pen};
    if (intersect(reach, clip()).empty()) {
        return;
    }
    Bitmap stroke = copyOf(reach);
    stroke.line(Point{a.x - reach.left, a.y - reach.top}, Point{b.x - reach.left, b.y - reach.top}, pen,
                colour);
    commit(stroke, reach);
}

void BitmapCanvas::text(const Rect& area, std::string_view utf8, const TextStyle& style) {
    const Rect device = toDevice(area);
    if (utf8.empty() || intersect(device, clip()).empty()) {
        return;
    }
    texts_.push_back(DrawnText{device, clip(), std::string(utf8), style});
}

Size BitmapCanvas::measureText(std::string_view utf8, const Font& font) {
    return approximateTextSize(utf8, font);
}

void BitmapCanvas::drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) {
    const Rect device =
        Rect::fromBounds(at.x + origin_.x, at.y + origin_.y, picture.width(), picture.height());
    const Rect visible = intersect(device, clip());
    for (int y = visible.top; y < visible.bottom; ++y) {
        for (int x = visible.left; x < visible.right; ++x) {
            const Colour colour = picture.pixel(x - device.left, y - device.top);
            if (!transparent || colour.value != (transparent->value & 0xFFFFFFU)) {
                target_.setPixel(x, y, colour);
            }
        }
    }
}

void BitmapCanvas::drawBitmapStretched(const Bitmap& picture, const Rect& area) {
    Bitmap stretched = picture;
    if (stretched.stretch(area.width(), area.height())) {
        drawBitmap(stretched, Point{area.left, area.top}, std::nullopt);
    }
}

} // namespace cellaro
