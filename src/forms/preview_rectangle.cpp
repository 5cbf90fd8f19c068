// The preview rectangle's window and its placement operations.
#include "forms/preview_rectangle.h"

#include "logic/grid_board.h"
#include "widgets/panel.h"

namespace cellaro {

namespace {

NativeWindowStyle previewStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(0, PreviewRectangle::kParkedTop, 1, 1);
    style.topmost = true;
    style.toolWindow = true;
    style.noActivate = true;
    style.alpha = PreviewRectangle::kOpacity;
    // The host rebuilds the region from the client size whenever the window is resized.
    style.roundedCorners = PreviewRectangle::kCorners;
    return style;
}

} // namespace

PreviewRectangle::PreviewRectangle(FormHost& host)
    : Form(host, "fakeOkno", previewStyle()), panel_(root().add<Panel>("Panel1")) {
    panel_.setColour(BoardColours{}.resizingWindow);
    moved(bounds());
}

Colour PreviewRectangle::panelColour() const {
    return panel_.colour();
}

void PreviewRectangle::setPanelColour(Colour colour) {
    panel_.setColour(colour);
}

bool PreviewRectangle::place(const Rect& area) {
    if (bounds() == area) {
        return false;
    }
    setBounds(area);
    // Back to the front of the topmost windows, whatever came up since it was shown.
    window().setTopmost(true);
    return true;
}

void PreviewRectangle::shrink() {
    setSize(Size{1, 1});
}

void PreviewRectangle::park() {
    hide();
    setTop(kParkedTop);
}

void PreviewRectangle::parkLeft() {
    setLeft(kParkedLeft);
}

void PreviewRectangle::moved(const Rect& bounds) {
    // Panel1 is aligned to the whole client area.
    const Size size = scale().dip(Size{bounds.width(), bounds.height()});
    panel_.setBounds(Rect::fromBounds(0, 0, size.width, size.height));
}

} // namespace cellaro
