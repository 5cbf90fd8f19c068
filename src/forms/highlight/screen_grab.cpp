// The screen grab window.
#include "forms/highlight/screen_grab.h"

#include "logic/highlight_frame.h"
#include "pixels/bitmap.h"
#include "widgets/image.h"

#include <utility>

namespace cellaro {

namespace {

NativeWindowStyle grabStyle(const Rect& screen) {
    NativeWindowStyle style;
    style.title = std::string(ScreenGrab::kTitle);
    style.bounds = screen;
    style.topmost = true;
    style.toolWindow = true;
    return style;
}

} // namespace

ScreenGrab::ScreenGrab(FormHost& host, const Rect& screen)
    : Form(host, "WMGrab", grabStyle(screen)), image_(root().add<Image>("imagegrab")) {
    root().setColour(kBackground);
    image_.setFit(ImageFit::TopLeft);
    image_.onClick = [this] { close(); };
    // The form scales a style's size to its monitor; this window wants the physical rectangle.
    cover(screen);
}

void ScreenGrab::cover(const Rect& area) {
    if (bounds() != area) {
        setBounds(area);
    }
    moved(bounds());
}

void ScreenGrab::setPicture(Bitmap picture) {
    frame_.reset();
    image_.setPicture(std::move(picture));
}

void ScreenGrab::setFrame(const Rect& area, int dpi) {
    frame_ = area;
    frameDpi_ = dpi;
}

void ScreenGrab::drawFrame() {
    if (!frame_) {
        return;
    }
    Bitmap framed = image_.picture();
    drawHighlightFrame(framed, *frame_, frameDpi_);
    frame_.reset();
    image_.setPicture(std::move(framed));
}

void ScreenGrab::activated() {
    drawFrame();
}

void ScreenGrab::closed() {
    if (onClosed) {
        onClosed();
    }
}

void ScreenGrab::moved(const Rect& bounds) {
    // imagegrab is aligned to the whole client area.
    const Size size = scale().dip(Size{bounds.width(), bounds.height()});
    image_.setBounds(Rect::fromBounds(0, 0, size.width, size.height));
}

} // namespace cellaro
