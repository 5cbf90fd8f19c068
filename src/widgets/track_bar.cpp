// The track bar: position arithmetic, the user's keys and mouse, and the flat drawing.
#include "widgets/track_bar.h"

#include "core/scale.h"

#include <algorithm>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kChannel = Colour::rgb(0xE7, 0xEA, 0xEA);
constexpr Colour kChannelBorder = Colour::rgb(0xD6, 0xD6, 0xD6);
constexpr Colour kAccent = Colour::rgb(0x00, 0x78, 0xD7);
constexpr Colour kThumbDragged = Colour::rgb(0x00, 0x54, 0x99);
constexpr Colour kDisabled = Colour::rgb(0xCC, 0xCC, 0xCC);
constexpr Colour kTick = Colour::rgb(0x9A, 0x9A, 0x9A);
constexpr Colour kFocus = Colour::rgb(0x00, 0x00, 0x00);
constexpr int kPageFraction = 5;

} // namespace

TrackBar::TrackBar(std::string name) : Widget(std::move(name)) {}

void TrackBar::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
    invalidate();
}

void TrackBar::setPosition(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position != position_) {
        position_ = position;
        invalidate();
    }
}

void TrackBar::setTickFrequency(int frequency) {
    tickFrequency_ = std::max(0, frequency);
    invalidate();
}

int TrackBar::pageSize() const {
    return pageSize_ > 0 ? pageSize_ : std::max(1, (maximum_ - minimum_) / kPageFraction);
}

void TrackBar::setPageSize(int size) {
    pageSize_ = std::max(0, size);
}

std::vector<int> TrackBar::tickPositions() const {
    std::vector<int> ticks;
    if (tickFrequency_ <= 0) {
        return ticks;
    }
    for (int position = minimum_; position < maximum_; position += tickFrequency_) {
        ticks.push_back(position);
    }
    ticks.push_back(maximum_);
    return ticks;
}

int TrackBar::channelSpan() const {
    return std::max(0, bounds().width() - 2 * channelLeft() - 1);
}

int TrackBar::positionX(int position) const {
    const int range = maximum_ - minimum_;
    if (range == 0) {
        return channelLeft();
    }
    return channelLeft() +
           Scale::mulDiv(std::clamp(position, minimum_, maximum_) - minimum_, channelSpan(), range);
}

int TrackBar::positionAt(int x) const {
    const int span = channelSpan();
    if (span == 0) {
        return minimum_;
    }
    const int offset = std::clamp(x - channelLeft(), 0, span);
    return minimum_ + Scale::mulDiv(offset, maximum_ - minimum_, span);
}

Rect TrackBar::thumbRect() const {
    const int left = positionX(position_) - kThumbWidth / 2;
    return Rect::fromBounds(left, kEdge, kThumbWidth, kThumbHeight);
}

void TrackBar::moveByUser(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position == position_) {
        return;
    }
    position_ = position;
    invalidate();
    if (onChange) {
        onChange();
    }
}

bool TrackBar::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (modifiers.alt) {
        return Widget::keyDown(virtualKey, modifiers);
    }
    switch (virtualKey) {
    case vk::kLeft:
    case vk::kUp:
        moveByUser(position_ - 1);
        return true;
    case vk::kRight:
    case vk::kDown:
        moveByUser(position_ + 1);
        return true;
    case vk::kPageUp:
        moveByUser(position_ - pageSize());
        return true;
    case vk::kPageDown:
        moveByUser(position_ + pageSize());
        return true;
    case vk::kHome:
        moveByUser(minimum_);
        return true;
    case vk::kEnd:
        moveByUser(maximum_);
        return true;
    default:
        return Widget::keyDown(virtualKey, modifiers);
    }
}

void TrackBar::mouseDown(Point at, MouseButton button) {
    if (button == MouseButton::Left) {
        const Rect thumb = thumbRect();
        if (at.x >= thumb.left && at.x < thumb.right) {
            dragging_ = true;
            grip_ = at.x - positionX(position_);
            invalidate();
        } else {
            pointerX_ = at.x;
            repeat_.start([this] { return pageTowardsPointer(); });
        }
    }
    Widget::mouseDown(at, button);
}

bool TrackBar::pageTowardsPointer() {
    const int target = positionAt(pointerX_);
    if (target < position_) {
        moveByUser(std::max(position_ - pageSize(), target));
    } else if (target > position_) {
        moveByUser(std::min(position_ + pageSize(), target));
    }
    return position_ != target;
}

void TrackBar::mouseMove(Point at) {
    if (dragging_) {
        moveByUser(positionAt(at.x - grip_));
    }
    pointerX_ = at.x;
    Widget::mouseMove(at);
}

void TrackBar::mouseUp(Point at, MouseButton button) {
    if (button == MouseButton::Left) {
        repeat_.stop();
        if (dragging_) {
            dragging_ = false;
            invalidate();
        }
    }
    Widget::mouseUp(at, button);
}

void TrackBar::paint(Canvas& canvas) const {
    const bool enabled = enabledInTree();
    const int width = bounds().width();
    const int channelTop = kEdge + (kThumbHeight - kChannelHeight) / 2;
    const int left = channelLeft() - kThumbWidth / 2;
    const int right = std::max(left, width - left);
    canvas.roundRect(Rect{left, channelTop, right, channelTop + kChannelHeight}, 0, 0, kChannelBorder,
                     kChannel);
    // The part of the channel up to the thumb in the accent colour.
    const int thumbCentre = positionX(position_);
    if (enabled && thumbCentre > left + 1) {
        canvas.fillRect(Rect{left + 1, channelTop + 1, thumbCentre, channelTop + kChannelHeight - 1},
                        kAccent);
    }
    const int tickTop = kEdge + kThumbHeight + kTickGap;
    for (const int tick : tickPositions()) {
        const int x = positionX(tick);
        canvas.fillRect(Rect{x, tickTop, x + 1, tickTop + kTickLength}, kTick);
    }
    const Colour thumbColour = !enabled ? kDisabled : dragging_ ? kThumbDragged : kAccent;
    canvas.roundRect(thumbRect(), 4, 4, thumbColour, thumbColour);
    if (focused()) {
        paintFocusRectangle(canvas, Rect::fromBounds(0, 0, width, bounds().height()), kFocus);
    }
}

} // namespace cellaro
