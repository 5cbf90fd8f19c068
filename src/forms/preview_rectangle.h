// The preview rectangle: a translucent, rounded, always-on-top window that shows on the monitor
// where the target window will go while the user selects a range on the grid board.
#pragma once

#include "core/geometry.h"
#include "widgets/form.h"

namespace cellaro {

class Panel;

class PreviewRectangle : public Form {
public:
    static constexpr std::uint8_t kOpacity = 100;
    static constexpr Size kCorners{16, 16};
    // Where the window waits while it is not wanted: far above (or left of) every monitor.
    static constexpr int kParkedTop = -10000;
    static constexpr int kParkedLeft = -5000;

    explicit PreviewRectangle(FormHost& host);

    // The client-aligned panel `Panel1` that gives the window its colour.
    [[nodiscard]] Panel& panel() { return panel_; }
    [[nodiscard]] Colour panelColour() const;
    // The resizing window colour of the colour scheme.
    void setPanelColour(Colour colour);

    // Shows the window without taking the focus from anyone: it never activates, whatever the
    // caller asks.
    void show(bool /*activate*/ = false) { Form::show(false); }
    // The preview timer's output: the window covers the rectangle (screen pixels) and comes to the
    // front of the topmost windows. False when it covered the rectangle already.
    bool place(const Rect& area);
    // After a placement: 1 x 1 pixel where it stands.
    void shrink();
    // The pointer left the board: hidden and moved to top -10000.
    void park();
    // The tracking tick keeps the window out of sight at left -5000.
    void parkLeft();

protected:
    void moved(const Rect& bounds) override;
    // The preview covers the screen rectangle it was given, on a monitor of any scale.
    [[nodiscard]] Rect boundsAtNewScale(const Rect& /*suggested*/) const override { return bounds(); }

private:
    Panel& panel_;
};

} // namespace cellaro
