// The two transparency pages: layout and their pictures.
#include "forms/settings/transparency_pages.h"

#include "forms/settings/page_label.h"
#include "widgets/button_look.h"
#include "widgets/gradient_button.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/track_bar.h"
#include "widgets/translucent_panel.h"

#include <cstddef>

namespace cellaro {

namespace {

constexpr Colour kWhite{0xFFFFFF};
constexpr Colour kMockUpTitle{0x0000FF};
constexpr Colour kButton{0xB26742};
constexpr Colour kButtonHover{0x7D4829};
constexpr int kLeft = 24;
constexpr int kPictureTop = 48;
constexpr int kSliderTop = 470;
constexpr int kSliderWidth = 520;
constexpr int kSliderMaximum = 255;
constexpr int kTickEvery = 26;

void addHeading(Widget& parent, std::string_view text) {
    Label& label =
        addPageLabel(parent, parent.name() + "Heading", Rect::fromBounds(kLeft, 16, 500, 22), text);
    Font font = label.font();
    font.bold = true;
    font.height = 16;
    label.setFont(font);
}

TrackBar& addSlider(Widget& parent, const char* name, EventLoop& loop, Label*& percent) {
    addPageLabel(parent, std::string(name) + "Label", Rect::fromBounds(kLeft, kSliderTop - 18, 120, 16),
                 "Transparency");
    auto& slider = parent.add<TrackBar>(name);
    slider.setBounds(Rect::fromBounds(kLeft, kSliderTop, kSliderWidth, TrackBar::kPreferredHeight));
    slider.setRange(0, kSliderMaximum);
    slider.setTickFrequency(kTickEvery);
    slider.setEventLoop(loop);
    percent = &addPageLabel(parent, std::string(name) + "Percent",
                            Rect::fromBounds(kLeft + kSliderWidth + 12, kSliderTop + 4, 60, 18), "");
    Font font = percent->font();
    font.bold = true;
    percent->setFont(font);
    return slider;
}

} // namespace

int sliderPercent(int position) {
    const int counted = position <= 0 ? 1 : position;
    // The nearest whole number to counted / 255 x 100, halves rounded up.
    return (counted * 200 + kSliderMaximum) / (2 * kSliderMaximum);
}

std::string percentText(int percent) {
    return std::to_string(percent) + " %";
}

FullScreenGridPage::FullScreenGridPage(Page& page, EventLoop& loop) {
    addHeading(page, "Fullscreen grid transparency");
    veil_ = &page.add<TranslucentPanel>("PMreza");
    veil_->setBounds(Rect::fromBounds(kLeft, kPictureTop, kPictureSize.width, kPictureSize.height));
    for (int line = 0; line < kLineCount; ++line) {
        auto& across = veil_->add<TranslucentPanel>("LineH" + std::to_string(line + 1));
        across.setBounds(Rect::fromBounds(0, (line + 1) * kHorizontalLineStep, kPictureSize.width, 1));
        auto& down = veil_->add<TranslucentPanel>("LineV" + std::to_string(line + 1));
        down.setBounds(Rect::fromBounds((line + 1) * kVerticalLineStep, 0, 1, kPictureSize.height));
        const auto slot = static_cast<std::size_t>(line) * 2;
        lines_.at(slot) = &across;
        lines_.at(slot + 1) = &down;
    }
    slider_ = &addSlider(page, "xiMMM", loop, percent_);
}

void FullScreenGridPage::setSnapshot(const Bitmap& snapshot) {
    veil_->setPicture(snapshot);
}

void FullScreenGridPage::show(Colour gridBackground, Colour grid) {
    const int percent = sliderPercent(slider_->position());
    percent_->setText(percentText(percent));
    veil_->setPercent(percent);
    veil_->setColour(gridBackground);
    for (TranslucentPanel* line : lines_) {
        line->setColour(grid);
        line->setPercent(percent + percent / 4);
    }
}

SetWindowPage::SetWindowPage(Page& page, EventLoop& loop) {
    addHeading(page, "Windows transparency");
    desk_ = &page.add<TranslucentPanel>("PDesk");
    desk_->setBounds(Rect::fromBounds(kLeft, kPictureTop, kPictureSize.width, kPictureSize.height));
    desk_->setPercent(TranslucentPanel::kMaxPercent);
    const int left = (kPictureSize.width - kMockUpSize.width) / 2;
    const int top = (kPictureSize.height - kMockUpSize.height) / 2;
    mockUp_ = &desk_->add<TranslucentPanel>("PPreview");
    mockUp_->setBounds(Rect::fromBounds(left, top, kMockUpSize.width, kMockUpSize.height));
    mockUp_->setColour(kWhite);
    mockUpTitle_ = &desk_->add<TranslucentPanel>("PPreviewTitle");
    mockUpTitle_->setBounds(Rect::fromBounds(left, top, kMockUpSize.width, kMockUpTitleHeight));
    mockUpTitle_->setColour(kMockUpTitle);
    Label& title = addPageLabel(*mockUpTitle_, "LPreviewTitle",
                                Rect::fromBounds(0, 0, kMockUpSize.width, kMockUpTitleHeight),
                                "  Cellaro - Preview transparency");
    title.setFontColour(kWhite);
    title.setVerticalCentre(true);
    slider_ = &addSlider(page, "xtr", loop, percent_);

    colourButton_ = &page.add<GradientButton>("XiPreviewColour");
    colourButton_->setBounds(Rect::fromBounds(kLeft, kSliderTop + 50, 200, 25));
    colourButton_->setCaption("  Change preview window color");
    applyFlatLook(*colourButton_, FlatButtonLook{kButton, kButtonHover, kButtonHover, kWhite});
}

void SetWindowPage::setSnapshot(const Bitmap& snapshot) {
    desk_->setPicture(snapshot);
}

void SetWindowPage::show() {
    const int percent = sliderPercent(slider_->position());
    percent_->setText(percentText(percent));
    mockUp_->setPercent(percent);
    mockUpTitle_->setPercent(percent);
}

void SetWindowPage::setMockUpColour(Colour colour) {
    mockUp_->setColour(colour);
}

} // namespace cellaro
