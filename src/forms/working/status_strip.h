// The working window's status strip: the target's icon and title (or the desktop picture), and the
// full-screen button.
#pragma once

#include "config/board_colours.h"
#include "core/scale.h"
#include "forms/working/button_table.h"
#include "pixels/bitmap.h"

#include <string>

namespace cellaro {

class FormHost;
class GradientButton;
class Image;
class Label;
class Panel;
class Widget;

class StatusStrip {
public:
    static constexpr int kHeight = 38;

    // Builds the strip along the bottom of a window of this width and height.
    StatusStrip(Widget& root, Size window, FormHost& host);

    [[nodiscard]] Panel& panel() { return *panel_; }
    [[nodiscard]] Label& text() { return *text_; }
    [[nodiscard]] Image& picture() { return *picture_; }
    [[nodiscard]] GradientButton& fullScreenButton() { return *fullScreenButton_; }
    [[nodiscard]] const ButtonSet& buttons() const { return buttons_; }

    // The picture and text at their places in the compact window.
    void layOut();
    // The colours, and the scale the strip's pictures are made for.
    void applyTheme(const BoardColours& colours, Scale scale);

    // The idle state: the picture in the strip's colour, no text.
    void showNothing();
    // The target's 32 x 32 icon and its fitted title; unchanged parts are not repainted.
    void showTarget(const Bitmap& icon, const std::string& title);
    // The "Desktop" picture and text.
    void showDesktop();
    // The title shortened with a trailing ellipsis to the text's width in its font.
    [[nodiscard]] std::string fit(const std::string& title) const;
    [[nodiscard]] Colour background() const { return background_; }

private:
    FormHost& host_;
    ButtonSet buttons_;
    Panel* panel_ = nullptr;
    Image* picture_ = nullptr;
    Label* text_ = nullptr;
    GradientButton* fullScreenButton_ = nullptr;
    Colour background_;
    Scale scale_;
    Bitmap desktopPicture_; // the "Desktop" picture on the strip's colour
    Colour desktopPictureBackground_;
};

} // namespace cellaro
