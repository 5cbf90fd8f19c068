// Building the working window's buttons from their tables, and colouring them by role.
#include "forms/working/button_table.h"

#include "logic/contrast.h"
#include "logic/pictures.h"
#include "widgets/button_look.h"
#include "widgets/gradient_button.h"

#include <array>
#include <string>

namespace cellaro {

namespace {

constexpr Colour kGrey = Colour::rgb(128, 128, 128);
constexpr Colour kLightGrey = Colour::rgb(170, 170, 170);
constexpr int kFocusSlot = 24;

// The anchor pad takes the grid's colours, and each picture is marked at its own position.
void themeAnchor(GradientButton& button, int position, const BoardColours& colours, int dpi) {
    setButtonFace(button, ButtonState::Normal, colours.gridBackground);
    setButtonFace(button, ButtonState::Disabled, colours.gridBackground);
    button.setSlot(kFocusSlot, colours.gridBackground);
    button.setStateColour(ButtonState::Hover, ButtonColour::Border, colours.grid);
    setButtonFace(button, ButtonState::Hover, colours.rangeSelection, false);
    Bitmap picture = anchorPicture(position, isDark(colours.gridBackground), dpi);
    recolourAnchor(picture, position, dpi);
    button.setGlyph(std::move(picture), kPictureTransparent);
}

int anchorPosition(std::string_view name) {
    // x1 ... X9: the digit is the position in the pad's reading order.
    return name.empty() ? 0 : name.back() - '0';
}

} // namespace

GradientButton& ButtonSet::add(Widget& parent, const ButtonSpec& spec) {
    auto& button = parent.add<GradientButton>(std::string(spec.name));
    button.setBounds(spec.bounds);
    button.setHint(std::string(spec.hint));
    buttons_.push_back(PlacedButton{&spec, &button});
    return button;
}

void themeButton(const PlacedButton& placed, const BoardColours& colours, int dpi) {
    GradientButton& button = *placed.button;
    const ButtonRole role = placed.spec->role;
    if (role == ButtonRole::Anchor) {
        themeAnchor(button, anchorPosition(placed.spec->name), colours, dpi);
        return;
    }
    const Colour background = colours.background;
    const bool dark = isDark(background);
    setButtonFace(button, ButtonState::Normal, background);
    // Commands not available yet sit on the window's own colour, their pictures greyed.
    setButtonFace(button, ButtonState::Disabled, background);
    button.setSlot(kFocusSlot, background);
    button.setStateColour(ButtonState::Normal, ButtonColour::Text, textColourOn(background));
    const std::string_view picture = pictureNameForButton(
        placed.spec->name, dark ? PictureSet::DarkBackground : PictureSet::LightBackground);
    if (!picture.empty()) {
        button.setGlyph(buttonPicture(picture, dpi), kPictureTransparent);
    }

    // Hover and pressed faces: a lighter grey over dark backgrounds when hovering, a darker one
    // when pressed, and the other way round over light ones. The group buttons light up only over
    // dark backgrounds and keep their face when pressed.
    const bool stripOrCommand = role == ButtonRole::Strip || role == ButtonRole::Command;
    const bool groupLit =
        dark && (role == ButtonRole::GroupNavigation || role == ButtonRole::GroupWindowAction);
    if (stripOrCommand || groupLit) {
        setButtonFace(button, ButtonState::Hover, dark ? kGrey : kLightGrey);
    }
    if (stripOrCommand) {
        const Colour keptLight = button.colourOf(ButtonState::Pressed, ButtonColour::Light);
        setButtonFace(button, ButtonState::Pressed, dark ? kLightGrey : kGrey);
        if (dark && placed.spec->name == "SbMonitor") {
            button.setStateColour(ButtonState::Pressed, ButtonColour::Light, keptLight);
        }
    }
}

} // namespace cellaro
