// The status strip: target display and the full-screen button.
#include "forms/working/status_strip.h"

#include "core/utf8.h"
#include "logic/contrast.h"
#include "logic/pictures.h"
#include "platform/form_host.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <array>
#include <string_view>

namespace cellaro {

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr Rect kPictureBounds = Rect::fromBounds(10, 0, 32, 32);
constexpr Rect kTextBounds = Rect::fromBounds(50, 10, 239, 18);

constexpr std::array<ButtonSpec, 1> kButtons{{
    {"XiFull", Rect::fromBounds(354, 9, 31, 20), "Full Screen", ButtonRole::Strip},
}};

} // namespace

StatusStrip::StatusStrip(Widget& root, Size window, FormHost& host) : host_(host) {
    panel_ = &root.add<Panel>("Panel2");
    panel_->setBounds(Rect{0, window.height - kHeight, window.width, window.height});
    picture_ = &panel_->add<Image>("Image1");
    picture_->setBounds(kPictureBounds);
    text_ = &panel_->add<Label>("Label1");
    text_->setBounds(kTextBounds);
    Font bold = text_->font();
    bold.bold = true;
    text_->setFont(bold);
    text_->setEndEllipsis(true);
    fullScreenButton_ = &buttons_.add(*panel_, kButtons[0]);
    fullScreenButton_->setEnabled(false);
}

void StatusStrip::layOut() {
    picture_->setBounds(kPictureBounds);
    text_->setBounds(
        Rect::fromBounds(kTextBounds.left, kTextBounds.top, kTextBounds.width(), text_->bounds().height()));
}

void StatusStrip::applyTheme(const BoardColours& colours, Scale scale) {
    background_ = colours.background;
    scale_ = scale;
    panel_->setColour(background_);
    text_->setFontColour(textColourOn(background_));
    // The idle picture takes the new colour; a target's icon and title stay as they are.
    if (text_->text().empty()) {
        showNothing();
    }
}

void StatusStrip::showNothing() {
    const Size size = scale_.physical(Size{kPictureBounds.width(), kPictureBounds.height()});
    picture_->setPicture(Bitmap(size.width, size.height, background_));
    text_->setText(std::string());
}

void StatusStrip::showTarget(const Bitmap& icon, const std::string& title) {
    if (!(picture_->picture() == icon)) {
        picture_->setPicture(icon);
    }
    text_->setText(title);
}

void StatusStrip::showDesktop() {
    // The picture's transparent surround takes the strip's colour.
    if (desktopPicture_.empty() || desktopPictureBackground_ != background_ ||
        desktopPicture_.width() != scale_.physical(kPictureBounds.width())) {
        desktopPicture_ = desktopPicture(scale_.dpi);
        for (int y = 0; y < desktopPicture_.height(); ++y) {
            for (int x = 0; x < desktopPicture_.width(); ++x) {
                if (desktopPicture_.pixel(x, y) == kPictureTransparent) {
                    desktopPicture_.setPixel(x, y, background_);
                }
            }
        }
        desktopPictureBackground_ = background_;
    }
    if (!(picture_->picture() == desktopPicture_)) {
        picture_->setPicture(desktopPicture_);
    }
    text_->setText("Desktop");
}

std::string StatusStrip::fit(const std::string& title) const {
    const Font& font = text_->font();
    const int width = text_->bounds().width();
    if (host_.measureText(title, font).width <= width) {
        return title;
    }
    // The longest run of whole characters that still fits with the ellipsis behind it.
    const std::vector<std::size_t> starts = utf8::characterStarts(title);
    std::size_t low = 0;                  // fits
    std::size_t high = starts.size() - 1; // does not fit (the whole title)
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        std::string candidate = title.substr(0, starts[middle]);
        candidate += kEllipsis;
        if (host_.measureText(candidate, font).width <= width) {
            low = middle;
        } else {
            high = middle;
        }
    }
    std::string fitted = title.substr(0, starts[low]);
    fitted += kEllipsis;
    return fitted;
}

} // namespace cellaro
