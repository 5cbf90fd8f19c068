// The screen grab window (TWMGrab): a borderless, topmost, dark grey window over the whole virtual
// screen that shows a frozen picture of it, with the highlight frame drawn on it when the window
// activates. A click on the picture closes the window.
//
// The window works in physical pixels throughout: the picture is the physical screen, so the window
// is sized with setBounds in physical screen pixels and its image shows the picture 1:1 from the
// top-left corner, whatever the scale of the monitor the window counts as being on.
#pragma once

#include "core/geometry.h"
#include "widgets/form.h"

#include <functional>
#include <optional>
#include <string_view>

namespace cellaro {

class Bitmap;
class Image;

class ScreenGrab final : public Form {
public:
    static constexpr std::string_view kTitle = "tVbar-802.40";
    static constexpr Colour kBackground = Colour::rgb(64, 64, 64);

    // FormCreate: hidden, over the area given (the virtual screen, physical pixels).
    ScreenGrab(FormHost& host, const Rect& screen);

    // The image `imagegrab` that fills the window.
    [[nodiscard]] Image& image() { return image_; }

    // Puts the window over the area (physical screen pixels); the image follows.
    void cover(const Rect& area);
    // The frozen picture, pixel (0, 0) at the window's top-left corner; the frame is not drawn yet.
    void setPicture(Bitmap picture);
    // The highlight rectangle, in the picture's pixels, with the DPI its pen is made for; the
    // frame is drawn when the window next activates (or by drawFrame).
    void setFrame(const Rect& area, int dpi);
    // FormActivate's drawing: the frame round the highlight rectangle, once per setFrame.
    void drawFrame();
    [[nodiscard]] bool frameDrawn() const { return !frame_.has_value(); }

    // Runs when the window is closed (ImageGrabClick, the system's close): the highlight is ready
    // again.
    std::function<void()> onClosed;

protected:
    // The window keeps its physical rectangle when the system calls it onto a monitor of another
    // scale: the picture is in physical pixels, and a window over several monitors has no one scale.
    [[nodiscard]] Rect boundsAtNewScale(const Rect& /*suggested*/) const override { return bounds(); }
    void activated() override; // FormActivate
    void closed() override;    // FormClose
    void moved(const Rect& bounds) override;

private:
    Image& image_;
    std::optional<Rect> frame_;
    int frameDpi_ = kBaseDpi;
};

} // namespace cellaro
