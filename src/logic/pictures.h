// The pictures of the working window, drawn in code: the button glyphs in a set for light and a set
// for dark backgrounds, the anchor pad pictures with their recolouring, the pin indicator pictures,
// the idle status picture and the "Desktop" picture.
#pragma once

#include "core/geometry.h"
#include "pixels/bitmap.h"

#include <optional>
#include <span>
#include <string_view>

namespace cellaro {

// Button and anchor pictures leave their background in this colour; buttons and images draw it
// transparently. No stroke of any picture uses it.
inline constexpr Colour kPictureTransparent = Colour::rgb(255, 0, 255);
// The pin indicator pictures use pure blue as their transparent colour.
inline constexpr Colour kPinTransparent = Colour::rgb(0, 0, 255);
// The colour with which the theming pass marks the anchor position in an anchor picture.
inline constexpr Colour kAnchorMark = Colour::rgb(66, 103, 178);

// Picture sizes (square). Strip buttons are 30 x 20 (31 x 20 for XiFull); window-command buttons
// 30 x 28; group buttons 30 x 28 and 36 x 28; anchor buttons about 67 x 41.
inline constexpr int kStripPictureSize = 16;
inline constexpr int kCommandPictureSize = 20;
inline constexpr int kAnchorPictureSize = 40;
inline constexpr int kPinPictureSize = 20;
inline constexpr int kStatusPictureSize = 32;

// Which backgrounds a button picture is drawn for: dark strokes for light backgrounds, light
// strokes for dark backgrounds.
enum class PictureSet { LightBackground, DarkBackground };

// What a button picture shows; each is drawn in both sets.
enum class Glyph {
    Grid,                  // sbHome "Grid": a 3 x 3 grid
    Arrange,               // SbMonitor "Arrange": a tiled screen
    Groups,                // SbGroup "Groups": stacked windows
    ManageGroups,          // SbSelect "Manage Groups": a ticked list
    FullScreen,            // XiFull "Full Screen": four corners
    Undo,                  // SBUNdo "Undo": a turning-back arrow
    Settings,              // SBTools "Settings": a gear
    Close,                 // xClose2 "Close": a cross
    NextMonitor,           // xi1 "Move to Next Monitor": two screens and an arrow
    Tile,                  // XI3 "Tile": four windows side by side
    Transparent,           // XI4 "Transparent": a half-solid, half-shaded square
    StayOnTop,             // XI5 "Stay on top": a pushpin
    Minimise,              // XI6 and GA1 ... GD1 "Minimize"
    Restore,               // XI7 and GA2 ... GD2 "Restore"
    Maximise,              // XI8 "Maximize"
    Sleep,                 // XI9 "Sleep": a crescent moon
    PreviousGroupShowOnly, // GA3: arrow back and a single window
    NextGroupShowOnly,     // GB3: arrow forward and a single window
    PreviousGroupToFront,  // GC3: arrow back and stacked windows
    NextGroupToFront,      // GD3: arrow forward and stacked windows
    ShowGroupOnly,         // GA4 ... GD4: one window, the others minimised
    BringGroupToFront,     // GA5 ... GD5: a window raised in front of another
};

// A glyph drawn for one set, on kPictureTransparent: strip glyphs (Grid to Close) are
// kStripPictureSize square, the others kCommandPictureSize.
[[nodiscard]] Bitmap drawGlyph(Glyph glyph, PictureSet set);

// The names of all button pictures of both sets ("D1", "T1", ..., "w3", "B3", ..., "d16", "t16"),
// anchor pictures not included.
[[nodiscard]] std::span<const std::string_view> buttonPictureNames();
// The set a button picture name belongs to; nothing for an unknown name. Names are
// case-sensitive: "t22" is the light-background picture of SbSelect, "T2" the dark one of SBUNdo.
[[nodiscard]] std::optional<PictureSet> pictureSetOf(std::string_view name);
// The picture of that name: a button picture of either set, or an anchor picture "C1" ... "C9"
// (dark grid) or "V1" ... "V9" (light grid). Empty for an unknown name.
[[nodiscard]] Bitmap buttonPicture(std::string_view name);
// The name of the picture that a button of the working window shows in the given set, by the
// button's control name ("xClose2", "sbHome", "XI5", "GC3", "GB4", ...); the anchor buttons x1 ...
// X9 are not in this table (see anchorPicture). Empty for a button without picture.
[[nodiscard]] std::string_view pictureNameForButton(std::string_view buttonName, PictureSet set);

// Anchor picture k (1..9, reading order of the 3 x 3 pad) for a dark grid background (C1 ... C9)
// or a light one (V1 ... V9): a 3 x 3 pad of closed cells on the transparent colour, cell k
// containing fill point k. Empty for k outside 1..9.
[[nodiscard]] Bitmap anchorPicture(int k, bool darkGrid);
// The fixed point at which anchor picture k (1..9) is recoloured.
[[nodiscard]] std::optional<Point> anchorMarkPoint(int k);
// Recolours anchor picture k: the area of the colour found at the k-th point, 4-connected, becomes
// kAnchorMark. Repeating it changes nothing. False, and the picture untouched, for k outside 1..9
// or a picture that does not contain the point.
bool recolourAnchor(Bitmap& picture, int k);

// The pin indicator pictures, 20 x 20 on pure blue: the pinned pushpin (Image3) or the pulled,
// tilted one (Image5).
[[nodiscard]] Bitmap pinPicture(bool pinned);
// The idle status picture Image2: 32 x 32 entirely in the background colour.
[[nodiscard]] Bitmap idleStatusPicture(Colour background);
// The "Desktop" status picture Image6: a 32 x 32 monitor on the transparent colour.
[[nodiscard]] Bitmap desktopPicture();

} // namespace cellaro
