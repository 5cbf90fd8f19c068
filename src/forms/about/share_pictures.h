// The about window's three share pictures, drawn in code: a tile in the window's orange with a
// white sign on it, on the white of the strip that holds them.
#pragma once

#include "core/scale.h"
#include "pixels/bitmap.h"

namespace cellaro {

enum class ShareSign {
    Message, // a speech bubble: the short-message service
    Network, // three linked dots: the social network
    Mail,    // an envelope: the prepared e-mail
};

inline constexpr int kSharePictureSize = 50;

// The picture at a DPI (kSharePictureSize 96-DPI pixels square).
[[nodiscard]] Bitmap sharePicture(ShareSign sign, int dpi = kBaseDpi);

} // namespace cellaro
