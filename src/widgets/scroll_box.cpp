// The scroll box: rows stacked in a content widget moved up by the scroll position, and the flat
// scroll bar beside them.
#include "widgets/scroll_box.h"

#include "core/scale.h"

#include <algorithm>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kBackground = Colour::rgb(0xFF, 0xFF, 0xFF);
constexpr Colour kTrack = Colour::rgb(0xF0, 0xF0, 0xF0);
constexpr Colour kArrowBox = Colour::rgb(0xE6, 0xE6, 0xE6);
constexpr Colour kArrow = Colour::rgb(0x60, 0x60, 0x60);
constexpr Colour kThumb = Colour::rgb(0xC0, 0xC0, 0xC0);
// The thumb never gets shorter than this, however long the rows are.
constexpr int kMinThumb = 12;
constexpr int kNotch = 120;

// Where the parts of a bar of this height lie, for a box showing `page` of `total` pixels
// scrolled to `position`. All in the bar's own coordinates.
struct BarLayout {
    int arrow = 0;    // height of each arrow box
    int trackTop = 0; // the track lies between the arrow boxes
    int trackBottom = 0;
    int thumbTop = 0;
    int thumbHeight = 0;

    BarLayout(int width, int height, int page, int total, int position, int maxPosition) {
        arrow = std::min(width, height / 2);
        trackTop = arrow;
        trackBottom = height - arrow;
        const int track = trackBottom - trackTop;
        thumbHeight = total > 0 ? static_cast<int>(static_cast<long long>(track) * page / total) : track;
        thumbHeight = std::clamp(thumbHeight, std::min(kMinThumb, track), track);
        thumbTop = trackTop;
        if (maxPosition > 0) {
            thumbTop +=
                static_cast<int>(static_cast<long long>(track - thumbHeight) * position / maxPosition);
        }
    }
    // How far the thumb can travel.
    [[nodiscard]] int travel() const { return trackBottom - trackTop - thumbHeight; }
};

// A small filled triangle pointing up or down, centred in the box.
void paintArrow(Canvas& canvas, const Rect& box, bool up) {
    const int half = std::max(1, box.width() / 4);
    const int centreX = box.left + box.width() / 2;
    const int rows = half;
    const int top = box.top + (box.height() - rows) / 2;
    for (int row = 0; row < rows; ++row) {
        // Up: the tip is the first row; down: the last.
        const int spread = up ? row : rows - 1 - row;
        canvas.fillRect(Rect{centreX - spread - 1, top + row, centreX + spread, top + row + 1}, kArrow);
    }
}

} // namespace

class ScrollBox::Bar final : public Widget {
public:
    Bar(std::string name, ScrollBox& box) : Widget(std::move(name)), box_(box) {}

    [[nodiscard]] BarLayout layout() const {
        return BarLayout{bounds().width(),     bounds().height(), box_.bounds().height(),
                         box_.contentHeight(), box_.position(),   box_.maxPosition()};
    }

    void mouseDown(Point at, MouseButton button) override {
        if (button == MouseButton::Left) {
            const BarLayout parts = layout();
            if (at.y < parts.trackTop) {
                box_.scrollBy(-kLineStep);
            } else if (at.y >= parts.trackBottom) {
                box_.scrollBy(kLineStep);
            } else if (at.y < parts.thumbTop) {
                box_.scrollBy(-box_.bounds().height());
            } else if (at.y >= parts.thumbTop + parts.thumbHeight) {
                box_.scrollBy(box_.bounds().height());
            } else {
                dragging_ = true;
                grip_ = at.y - parts.thumbTop;
            }
        }
        Widget::mouseDown(at, button);
    }

    void mouseMove(Point at) override {
        if (dragging_) {
            // The thumb follows the pointer, and the rows follow the thumb in proportion.
            const BarLayout parts = layout();
            const int travel = parts.travel();
            if (travel > 0) {
                const int offset = std::clamp(at.y - grip_ - parts.trackTop, 0, travel);
                box_.scrollTo(Scale::mulDiv(offset, box_.maxPosition(), travel));
            }
        }
        Widget::mouseMove(at);
    }

    void mouseUp(Point at, MouseButton button) override {
        if (button == MouseButton::Left) {
            dragging_ = false;
        }
        Widget::mouseUp(at, button);
    }

    // Quick clicks on the arrows each scroll.
    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }

    void paint(Canvas& canvas) const override {
        const int width = bounds().width();
        const int height = bounds().height();
        const BarLayout parts = layout();
        canvas.fillRect(Rect::fromBounds(0, 0, width, height), kTrack);
        const Rect upper{0, 0, width, parts.trackTop};
        const Rect lower{0, parts.trackBottom, width, height};
        canvas.fillRect(upper, kArrowBox);
        canvas.fillRect(lower, kArrowBox);
        paintArrow(canvas, upper, true);
        paintArrow(canvas, lower, false);
        // A margin keeps the thumb off the track's edges.
        const int margin = width >= 8 ? 2 : 0;
        canvas.fillRect(Rect{margin, parts.thumbTop, width - margin, parts.thumbTop + parts.thumbHeight},
                        kThumb);
    }

private:
    ScrollBox& box_;
    bool dragging_ = false;
    int grip_ = 0; // where on the thumb the pointer took it
};

ScrollBox::ScrollBox(std::string name) : Widget(std::move(name)) {
    setColour(kBackground);
    content_ = &add<Widget>(this->name() + ".Content");
    bar_ = &add<Bar>(this->name() + ".Bar", *this);
    bar_->setVisible(false);
}

int ScrollBox::clientWidth() const {
    const int width = bounds().width();
    return scrollBarShown_ ? std::max(0, width - kScrollBarWidth) : width;
}

int ScrollBox::contentHeight() const {
    return content_->bounds().height();
}

int ScrollBox::maxPosition() const {
    return std::max(0, contentHeight() - bounds().height());
}

void ScrollBox::stackRows() {
    int total = 0;
    for (const auto& row : content_->children()) {
        if (row->visible()) {
            total += row->bounds().height();
        }
    }
    const int width = bounds().width();
    const int height = bounds().height();
    scrollBarShown_ = total > height;
    const int client = clientWidth();
    int top = 0;
    for (const auto& row : content_->children()) {
        if (row->visible()) {
            const int rowHeight = row->bounds().height();
            row->setBounds(Rect::fromBounds(0, top, client, rowHeight));
            top += rowHeight;
        }
    }
    content_->setBounds(Rect::fromBounds(0, -position_, client, total));
    bar_->setBounds(Rect::fromBounds(width - kScrollBarWidth, 0, kScrollBarWidth, height));
    bar_->setVisible(scrollBarShown_);
    scrollTo(position_);
    bar_->invalidate();
    if (client != reportedClientWidth_) {
        reportedClientWidth_ = client;
        if (onClientWidthChanged) {
            onClientWidthChanged();
        }
    }
}

void ScrollBox::scrollTo(int position) {
    position = std::clamp(position, 0, maxPosition());
    const Rect& area = content_->bounds();
    if (position == position_ && area.top == -position) {
        return;
    }
    position_ = position;
    content_->setBounds(Rect::fromBounds(area.left, -position, area.width(), area.height()));
    bar_->invalidate();
}

void ScrollBox::scrollBy(int delta) {
    scrollTo(position_ + delta);
}

bool ScrollBox::mouseWheel(Point at, int delta) {
    scrollBy(-delta * kWheelStep / kNotch);
    Widget::mouseWheel(at, delta);
    return true;
}

void ScrollBox::paint(Canvas& canvas) const {
    canvas.fillRect(Rect::fromBounds(0, 0, bounds().width(), bounds().height()), colour());
}

void ScrollBox::resized() {
    stackRows();
}

} // namespace cellaro
