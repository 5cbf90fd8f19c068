// The dialogs' title strip.
#include "forms/dialog_chrome.h"

#include "logic/pictures.h"
#include "widgets/form.h"
#include "widgets/gradient_panel.h"

namespace cellaro::dialog_chrome {

TitleStrip addTitleStrip(Form& form, int width, const std::string& caption, const std::string& closeName,
                         Size closeButtonSize) {
    TitleStrip strip;
    strip.panel = &form.root().add<GradientPanel>("TopPanel");
    strip.panel->setBounds(Rect::fromBounds(0, 0, width, kTitleHeight));
    strip.panel->setColour(kTitleColour);
    strip.panel->setFont(bold(strip.panel->font()));
    strip.panel->setFontColour(kWhite);
    strip.panel->setCaption(caption);
    strip.panel->setCaptionAlign(TextAlign::Left);
    strip.panel->setDragsWindow(true);

    strip.closeButton = &strip.panel->add<GradientButton>(closeName);
    strip.closeButton->setBounds(Rect::fromBounds(0, 0, closeButtonSize.width, closeButtonSize.height));
    applyFlatLook(*strip.closeButton, kCloseButtonLook);
    strip.closeButton->setHint("Close");
    closeGlyphChanged(form, *strip.closeButton);
    return strip;
}

void closeGlyphChanged(Form& form, GradientButton& closeButton) {
    closeButton.setGlyph(drawGlyph(Glyph::Close, PictureSet::DarkBackground, form.scale().dpi),
                         kPictureTransparent);
}

} // namespace cellaro::dialog_chrome
