// The look the program's text-box editors share (the spin editor, the shortcut editor): a white
// box with a grey border, an accent border while focused, grey text while disabled.
#pragma once

#include "core/geometry.h"

namespace cellaro::edit_look {

inline constexpr Colour kBox = Colour::rgb(0xFF, 0xFF, 0xFF);
inline constexpr Colour kBoxDisabled = Colour::rgb(0xF0, 0xF0, 0xF0);
inline constexpr Colour kBorder = Colour::rgb(0x7A, 0x7A, 0x7A);
inline constexpr Colour kAccent = Colour::rgb(0x00, 0x78, 0xD7);
inline constexpr Colour kGreyText = Colour::rgb(0xA0, 0xA0, 0xA0);

} // namespace cellaro::edit_look
