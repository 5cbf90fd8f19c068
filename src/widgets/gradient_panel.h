// A gradient panel: a title strip painted as a two-colour gradient with a caption; pressing the
// left button on it and moving the pointer drags its form.
#pragma once

#include "widgets/widget.h"
#include "widgets/window_drag.h"

#include <functional>
#include <optional>
#include <string>

namespace cellaro {

class GradientPanel : public Widget {
public:
    explicit GradientPanel(std::string name);

    // The gradient runs from colour() to this colour; without one the panel is plain colour().
    [[nodiscard]] std::optional<Colour> gradientColour() const { return gradientColour_; }
    void setGradientColour(std::optional<Colour> colour);
    // Top to bottom (the default) or left to right.
    [[nodiscard]] bool vertical() const { return vertical_; }
    void setVertical(bool vertical);
    [[nodiscard]] TextAlign captionAlign() const { return captionAlign_; }
    void setCaptionAlign(TextAlign align);
    // Pixels between the caption and the left or right edge.
    void setCaptionMargin(int pixels);
    [[nodiscard]] bool dragsWindow() const { return dragsWindow_; }
    void setDragsWindow(bool drags);
    [[nodiscard]] bool dragging() const { return drag_.active(); }

    // Raised after each move of the form by a drag, with the form's new bounds.
    std::function<void(const Rect&)> onDragged;

    void mouseDown(Point at, MouseButton button) override;
    void mouseMove(Point at) override;
    void mouseUp(Point at, MouseButton button) override;
    void paint(Canvas& canvas) const override;

private:
    // Moves the dragged window to follow a point of this panel, telling onDragged when it moved.
    void followDrag(Point at);
    std::optional<Colour> gradientColour_;
    bool vertical_ = true;
    TextAlign captionAlign_ = TextAlign::Left;
    int captionMargin_ = 6;
    bool dragsWindow_ = true;
    WindowDrag drag_;
};

} // namespace cellaro
