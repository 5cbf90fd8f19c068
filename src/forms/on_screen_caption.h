// The on-screen caption: a small dark always-on-top window in the top-left corner of the screen
// that repeats the working window's status picture and text (the target's icon and title) while
// the full-screen grid covers the working window's own header.
#pragma once

#include "core/geometry.h"
#include "pixels/bitmap.h"
#include "platform/event_loop.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"

#include <functional>
#include <string>

namespace cellaro {

class Image;
class Panel;

// What the caption repeats, read from the working window at every refresh.
struct CaptionSource {
    std::string statusText;
    Bitmap statusPicture;
    bool workingWindowVisible = false;
};

class OnScreenCaption : public Form {
public:
    static constexpr int kRefreshIntervalMs = 250;
    static constexpr Colour kColour = Colour::rgb(0x2E, 0x30, 0x36);
    static constexpr Size kImageSize{32, 31};
    static constexpr Point kShownAt{10, 0};

    OnScreenCaption(FormHost& host, EventLoop& loop);

    // The working window's status, asked for at every tick of the refresh timer.
    void setSource(std::function<CaptionSource()> source) { source_ = std::move(source); }

    // Timer1Timer: the text becomes " " + status text + " " and the panel as wide as that text;
    // the text and picture are shown only while the working window is visible.
    void refresh(const std::string& statusText, const Bitmap& statusPicture, bool workingWindowVisible);

    // Shows the caption without taking the focus from anyone, whatever the caller asks.
    void show(bool /*activate*/ = false) { Form::show(false); }

    [[nodiscard]] Image& image() { return image_; }
    [[nodiscard]] Panel& panel() { return panel_; }
    [[nodiscard]] const FormTimer& timer() const { return timer_; }

protected:
    void shown() override;
    void activated() override;
    bool closeQuery() override;

private:
    // FormActivate: the top-left corner of the screen, and the refresh timer running.
    void placeAndStart();

    Image& image_;
    Panel& panel_;
    FormTimer timer_;
    std::function<CaptionSource()> source_;
};

} // namespace cellaro
