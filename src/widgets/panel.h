// A panel: a rectangle filled in its colour, with an optional one-pixel border and a centred
// caption in its font colour.
#pragma once

#include "widgets/widget.h"

#include <optional>
#include <string>

namespace cellaro {

class Panel : public Widget {
public:
    explicit Panel(std::string name);

    [[nodiscard]] std::optional<Colour> borderColour() const { return borderColour_; }
    void setBorderColour(std::optional<Colour> colour);
    [[nodiscard]] TextAlign captionAlign() const { return captionAlign_; }
    void setCaptionAlign(TextAlign align);

    void paint(Canvas& canvas) const override;

private:
    std::optional<Colour> borderColour_;
    TextAlign captionAlign_ = TextAlign::Centre;
};

// Draws a one-pixel frame just inside the rectangle.
void drawFrame(Canvas& canvas, const Rect& area, Colour colour);

} // namespace cellaro
