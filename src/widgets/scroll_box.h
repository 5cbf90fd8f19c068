// A scroll box: a white area whose rows are stacked from the top in a content widget taller than the
// box, with a flat vertical scroll bar at the right that appears when the rows do not fit. The
// bar's arrows, its track and its thumb scroll, and so does the mouse wheel anywhere over the box.
#pragma once

#include "widgets/widget.h"

#include <functional>
#include <string>

namespace cellaro {

class ScrollBox : public Widget {
public:
    // The system's vertical scroll bar width at 96 DPI.
    static constexpr int kScrollBarWidth = 17;
    // One wheel notch (delta 120) scrolls this many pixels; an arrow click scrolls kLineStep.
    static constexpr int kWheelStep = 48;
    static constexpr int kLineStep = 16;

    explicit ScrollBox(std::string name);

    // The widget that holds the rows: add them here. Its width follows clientWidth().
    [[nodiscard]] Widget& content() { return *content_; }
    // Stacks the content's visible children from the top in their order, each as wide as the
    // client width and as high as it is, and sizes the content to them; shows or hides the scroll
    // bar as needed, keeps the scroll position in range and tells onClientWidthChanged when the
    // client width changed. Call after adding, removing or hiding rows.
    void stackRows();

    [[nodiscard]] bool scrollBarShown() const { return scrollBarShown_; }
    // The width left for the rows: the box's width, less the scroll bar when it is shown.
    [[nodiscard]] int clientWidth() const;
    [[nodiscard]] int contentHeight() const;
    // Scroll position: how far the content is moved up (0 at the top).
    [[nodiscard]] int position() const { return position_; }
    [[nodiscard]] int maxPosition() const;
    // Both clamp to 0..maxPosition().
    void scrollTo(int position);
    void scrollBy(int delta);

    std::function<void()> onClientWidthChanged;

    // The mouse wheel over the box or any of its rows (delta 120 per notch away from the user,
    // which scrolls up).
    bool mouseWheel(Point at, int delta) override;
    void paint(Canvas& canvas) const override;

protected:
    void resized() override;

private:
    class Bar;

    Widget* content_ = nullptr;
    Bar* bar_ = nullptr;
    bool scrollBarShown_ = false;
    int position_ = 0;
    int reportedClientWidth_ = 0; // the client width onClientWidthChanged last told of
};

} // namespace cellaro
