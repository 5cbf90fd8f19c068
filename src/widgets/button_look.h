// How the program's flat buttons look: one colour per state for the whole face (face, gradient,
// dark and light edges, border), and the text colour. The forms give their palettes through this
// instead of setting the twenty-five slots one by one.
#pragma once

#include "widgets/gradient_button.h"

#include <array>
#include <optional>

namespace cellaro {

inline constexpr std::array<ButtonColour, 5> kButtonFaceParts{ButtonColour::Face, ButtonColour::Gradient,
                                                              ButtonColour::Dark, ButtonColour::Light,
                                                              ButtonColour::Border};

// Every part of the face in that state takes the colour (the border too, unless told otherwise).
inline void setButtonFace(GradientButton& button, ButtonState state, Colour colour, bool withBorder = true) {
    for (const ButtonColour part : kButtonFaceParts) {
        if (part != ButtonColour::Border || withBorder) {
            button.setStateColour(state, part, colour);
        }
    }
}

struct FlatButtonLook {
    Colour normal;
    Colour hover;
    Colour pressed;
    // The caption's colour in those three states, when it has one.
    std::optional<Colour> text = std::nullopt;
    // The disabled state's face and caption, when it has its own.
    std::optional<Colour> disabled = std::nullopt;
    std::optional<Colour> disabledText = std::nullopt;
};

// The look given to the button; the focus rectangle takes the normal face's colour.
inline void applyFlatLook(GradientButton& button, const FlatButtonLook& look) {
    setButtonFace(button, ButtonState::Normal, look.normal);
    setButtonFace(button, ButtonState::Hover, look.hover);
    setButtonFace(button, ButtonState::Pressed, look.pressed);
    if (look.text) {
        for (const ButtonState state : {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed}) {
            button.setStateColour(state, ButtonColour::Text, *look.text);
        }
    }
    if (look.disabled) {
        button.setStateColour(ButtonState::Disabled, ButtonColour::Face, *look.disabled);
    }
    if (look.disabledText) {
        button.setStateColour(ButtonState::Disabled, ButtonColour::Text, *look.disabledText);
    }
    button.setSlot(GradientButton::kFocusSlot, look.normal);
}

} // namespace cellaro
