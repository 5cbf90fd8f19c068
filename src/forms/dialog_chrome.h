// The look the program's dialogs share (the settings window and the window manager list): their
// palette, and the title strip with its caption and close button, which drags the dialog.
#pragma once

#include "core/geometry.h"
#include "widgets/button_look.h"

#include <string>

namespace cellaro {

class Form;
class GradientPanel;

namespace dialog_chrome {

inline constexpr Colour kWhite{0xFFFFFF};
inline constexpr Colour kTitleColour{0x7E5E47};
inline constexpr Colour kBarButton{0xB26742};
inline constexpr Colour kBarButtonHover{0x7D4829};
inline constexpr Colour kBarButtonPressed{0xAE5700};
inline constexpr int kTitleHeight = 26;

// The dialogs' buttons: white captions on the bar colour, darker under the pointer.
inline constexpr FlatButtonLook kBarButtonLook{kBarButton, kBarButtonHover, kBarButtonPressed, kWhite};
// The title strip's close button: the strip's colour until the pointer comes.
inline constexpr FlatButtonLook kCloseButtonLook{kTitleColour, kBarButtonHover, kBarButtonPressed, kWhite};

// The font made bold, and of this height when one is given.
[[nodiscard]] inline Font bold(Font font, int height = 0) {
    font.bold = true;
    if (height > 0) {
        font.height = height;
    }
    return font;
}

struct TitleStrip {
    GradientPanel* panel = nullptr;
    GradientButton* closeButton = nullptr;
};

// The strip across the top of the form's root (bold white caption at the left, dragging the
// window), with its close button of this size named `closeName` and hinted "Close"; the close
// button's picture is drawn for the form's scale, and again by closeGlyphChanged at a new scale.
TitleStrip addTitleStrip(Form& form, int width, const std::string& caption, const std::string& closeName,
                         Size closeButtonSize);
void closeGlyphChanged(Form& form, GradientButton& closeButton);

} // namespace dialog_chrome
} // namespace cellaro
