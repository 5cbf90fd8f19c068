// The on-screen caption's window, its refresh and its timer.
#include "forms/on_screen_caption.h"

#include "widgets/image.h"
#include "widgets/panel.h"

#include <utility>

namespace cellaro {

namespace {

NativeWindowStyle captionStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(OnScreenCaption::kShownAt.x, -1000, OnScreenCaption::kImageSize.width,
                                    OnScreenCaption::kImageSize.height);
    style.topmost = true;
    style.toolWindow = true;
    style.noActivate = true;
    return style;
}

Font captionFont() {
    Font font;
    font.height = 16;
    font.bold = true;
    return font;
}

} // namespace

OnScreenCaption::OnScreenCaption(FormHost& host, EventLoop& loop)
    : Form(host, "fNapis", captionStyle()), image_(root().add<Image>("Image1")),
      panel_(root().add<Panel>("Panel1")), timer_(loop, kRefreshIntervalMs) {
    root().setColour(kColour);
    image_.setBounds(Rect::fromBounds(0, 0, kImageSize.width, kImageSize.height));
    image_.setFit(ImageFit::Centre);
    panel_.setBounds(Rect::fromBounds(kImageSize.width, 0, 0, kImageSize.height));
    panel_.setColour(kColour);
    panel_.setFont(captionFont());
    panel_.setFontColour(Colour::rgb(255, 255, 255));
    panel_.setCaptionAlign(TextAlign::Left);
    // The refresh runs from creation on, also while the caption is hidden.
    timer_.onTimer = [this] {
        if (source_) {
            const CaptionSource source = source_();
            refresh(source.statusText, source.statusPicture, source.workingWindowVisible);
        }
    };
    timer_.setEnabled(true);
}

void OnScreenCaption::refresh(const std::string& statusText, const Bitmap& statusPicture,
                              bool workingWindowVisible) {
    std::string text = " " + statusText + " ";
    const int width = host().measureText(text, panel_.font()).width;
    panel_.setBounds(Rect::fromBounds(kImageSize.width, 0, width, kImageSize.height));
    // The window sizes itself to the image and the panel.
    setSize(scale().physical(Size{kImageSize.width + width, kImageSize.height}));
    if (workingWindowVisible) {
        panel_.setCaption(std::move(text));
        image_.setPicture(statusPicture);
    }
}

void OnScreenCaption::shown() {
    placeAndStart();
}

void OnScreenCaption::activated() {
    placeAndStart();
}

bool OnScreenCaption::closeQuery() {
    timer_.setEnabled(false);
    return true;
}

void OnScreenCaption::placeAndStart() {
    const Rect now = bounds();
    const Point at = scale().physical(kShownAt);
    setBounds(Rect::fromBounds(at.x, at.y, now.width(), now.height()));
    timer_.setEnabled(true);
}

} // namespace cellaro
