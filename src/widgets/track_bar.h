// A horizontal track bar: a thumb that slides along a flat channel over a range of positions,
// with a tick mark below the channel every so many positions. The user moves it with the mouse (a
// press on the channel pages towards the pointer, repeating while held when the bar has an event
// loop; the thumb can be dragged) and, when it has the focus, with the keys: Left and Up one back,
// Right and Down one on, Page Up and Page Down a page, Home and End to the ends.
#pragma once

#include "widgets/press_repeat.h"
#include "widgets/widget.h"

#include <functional>
#include <string>
#include <vector>

namespace cellaro {

class TrackBar : public Widget {
public:
    // Sizes in device-independent pixels. The thumb stands kEdge below the top; the ticks start
    // kTickGap below the thumb.
    static constexpr int kEdge = 3;
    static constexpr int kThumbWidth = 11;
    static constexpr int kThumbHeight = 20;
    static constexpr int kChannelHeight = 4;
    static constexpr int kTickGap = 2;
    static constexpr int kTickLength = 4;
    // The height that shows the thumb, the ticks and the focus rectangle.
    static constexpr int kPreferredHeight = kEdge + kThumbHeight + kTickGap + kTickLength + kEdge;

    explicit TrackBar(std::string name);

    [[nodiscard]] int minimum() const { return minimum_; }
    [[nodiscard]] int maximum() const { return maximum_; }
    // A maximum below the minimum is taken as the minimum; the position is brought into range
    // without onChange.
    void setRange(int minimum, int maximum);
    [[nodiscard]] int position() const { return position_; }
    // Sets the position from the program (clamped to the range); onChange is not raised.
    void setPosition(int position);
    // A tick every so many positions from the minimum, and one at the maximum; 0: no ticks.
    [[nodiscard]] int tickFrequency() const { return tickFrequency_; }
    void setTickFrequency(int frequency);
    // How far Page Up, Page Down and a press on the channel move; 0 (the default) means a fifth
    // of the range, at least 1.
    [[nodiscard]] int pageSize() const;
    void setPageSize(int size);

    // The loop that times the paging while the mouse holds the channel down.
    void setEventLoop(EventLoop& loop) { repeat_.setLoop(loop); }

    // The positions that get a tick mark, ascending.
    [[nodiscard]] std::vector<int> tickPositions() const;
    // The horizontal centre of a position on the channel, in the bar's own coordinates.
    [[nodiscard]] int positionX(int position) const;
    [[nodiscard]] Rect thumbRect() const;
    [[nodiscard]] bool dragging() const { return dragging_; }

    // Raised after the user changed the position (every step of a drag included).
    std::function<void()> onChange;

    [[nodiscard]] bool acceptsFocus() const override { return true; }
    [[nodiscard]] AccessibleRole accessibleRole() const override { return AccessibleRole::Slider; }
    [[nodiscard]] std::string accessibleValue() const override { return std::to_string(position()); }
    [[nodiscard]] bool acceptsDoubleClicks() const override { return false; }
    bool keyDown(int virtualKey, KeyModifiers modifiers) override;
    void mouseDown(Point at, MouseButton button) override;
    void mouseMove(Point at) override;
    void mouseUp(Point at, MouseButton button) override;
    void paint(Canvas& canvas) const override;

private:
    // The channel's usable extent: a position's centre lies from channelLeft() to
    // channelLeft() + channelSpan().
    [[nodiscard]] static int channelLeft() { return kEdge + kThumbWidth / 2; }
    [[nodiscard]] int channelSpan() const;
    [[nodiscard]] int positionAt(int x) const;
    void moveByUser(int position);
    // One page towards the pointer, not past it; false once the thumb is there.
    bool pageTowardsPointer();

    int minimum_ = 0;
    int maximum_ = 255;
    int position_ = 0;
    int tickFrequency_ = 26;
    int pageSize_ = 0;
    bool dragging_ = false;
    int grip_ = 0;     // how far right of the thumb's centre the pointer took it
    int pointerX_ = 0; // where the pointer holds the channel down
    PressRepeat repeat_;
};

} // namespace cellaro
