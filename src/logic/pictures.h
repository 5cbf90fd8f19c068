// The pictures of the working window, drawn in code: the button glyphs in a set for light and a set
// for dark backgrounds, the anchor pad pictures with their recolouring, the pin indicator pictures,
// the idle status picture and the "Desktop" picture.
//
// Every picture is laid out in 96-DPI pixels and drawn at the dots per inch it is asked for, at
// the physical resolution: Scale{dpi}.physical(size) square, geometry scaled, strokes as wide as
// their scaled width rounded (at least one pixel) and equally wide along their length. Only the
// picture's own colours appear; nothing is blended. At 96 DPI each picture is the 96-DPI drawing,
// pixel for pixel.
#pragma once

#include "core/geometry.h"
#include "core/scale.h"
#include "pixels/bitmap.h"

#include <optional>
#include <span>
#include <string_view>
#include <utility>

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
// kStripPictureSize square, the others kCommandPictureSize, both in 96-DPI pixels.
[[nodiscard]] Bitmap drawGlyph(Glyph glyph, PictureSet set, int dpi = kBaseDpi);

// The names of all button pictures of both sets ("D1", "T1", ..., "w3", "B3", ..., "d16", "t16"),
// anchor pictures not included.
[[nodiscard]] std::span<const std::string_view> buttonPictureNames();
// The set a button picture name belongs to; nothing for an unknown name. Names are
// case-sensitive: "t22" is the light-background picture of SbSelect, "T2" the dark one of SBUNdo.
[[nodiscard]] std::optional<PictureSet> pictureSetOf(std::string_view name);
// The picture of that name: a button picture of either set, or an anchor picture "C1" ... "C9"
// (dark grid) or "V1" ... "V9" (light grid). Empty for an unknown name.
[[nodiscard]] Bitmap buttonPicture(std::string_view name, int dpi = kBaseDpi);
// The name of the picture that a button of the working window shows in the given set, by the
// button's control name ("xClose2", "sbHome", "XI5", "GC3", "GB4", ...); the anchor buttons x1 ...
// X9 are not in this table (see anchorPicture). Empty for a button without picture.
[[nodiscard]] std::string_view pictureNameForButton(std::string_view buttonName, PictureSet set);

// Anchor picture k (1..9, reading order of the 3 x 3 pad) for a dark grid background (C1 ... C9)
// or a light one (V1 ... V9): a 3 x 3 pad of closed cells on the transparent colour, cell k
// containing fill point k. Empty for k outside 1..9.
[[nodiscard]] Bitmap anchorPicture(int k, bool darkGrid, int dpi = kBaseDpi);
// The point at which anchor picture k (1..9) drawn at that DPI is recoloured: at 96 DPI the theming
// pass's fixed point; at any other DPI the same point scaled, kept inside the k-th cell.
[[nodiscard]] std::optional<Point> anchorMarkPoint(int k, int dpi = kBaseDpi);
// Recolours anchor picture k drawn at that DPI: the area of the colour found at the k-th point,
// 4-connected, becomes kAnchorMark. Repeating it changes nothing. False, and the picture untouched,
// for k outside 1..9 or a picture that does not contain the point.
bool recolourAnchor(Bitmap& picture, int k, int dpi = kBaseDpi);

// The pin indicator pictures, 20 x 20 (96-DPI pixels) on pure blue: the pinned pushpin (Image3) or
// the pulled, tilted one (Image5).
[[nodiscard]] Bitmap pinPicture(bool pinned, int dpi = kBaseDpi);
// The idle status picture Image2: 32 x 32 (96-DPI pixels) entirely in the background colour.
[[nodiscard]] Bitmap idleStatusPicture(Colour background, int dpi = kBaseDpi);
// The "Desktop" status picture Image6: a 32 x 32 (96-DPI pixels) monitor on the transparent colour.
[[nodiscard]] Bitmap desktopPicture(int dpi = kBaseDpi);

// ---- drawing a picture at a DPI ----------------------------------------------------------------

// Where the 96-DPI pixels of a square picture land at a DPI. Areas keep their scaled edges, so
// neighbouring areas stay neighbours; a stroke keeps its scaled middle and gets a whole width, the
// same for every stroke of one 96-DPI width, so strokes stay crisp and even. A DPI below 1 counts
// as 96.
class PictureLayout {
public:
    PictureLayout(int size, int dpi);

    [[nodiscard]] const Scale& scale() const { return scale_; }
    // The picture's side in physical pixels.
    [[nodiscard]] int size() const { return size_; }
    // An edge between pixels, scaled.
    [[nodiscard]] int edge(int at) const { return scale_.physical(at); }
    // An area, each edge scaled.
    [[nodiscard]] Rect area(const Rect& at) const;
    // A stroke width: scaled and rounded, at least one pixel.
    [[nodiscard]] int strokeWidth(int width) const;
    // The first physical pixel of a stroke over the 96-DPI pixels [from, from + width): the
    // stroke's middle scaled, the stroke kept inside the picture.
    [[nodiscard]] int strokeStart(int from, int width) const;

private:
    Scale scale_;
    int size_ = 0;
};

// A square picture drawn at a DPI from a 96-DPI layout (see PictureLayout). At 96 DPI every step
// sets exactly the pixels of the 96-DPI drawing.
class ScaledPicture {
public:
    ScaledPicture(int size, Colour background, int dpi);

    [[nodiscard]] const PictureLayout& layout() const { return layout_; }
    // The picture in physical pixels, for steps drawn there directly.
    [[nodiscard]] Bitmap& bitmap() { return picture_; }

    // An area, edges scaled.
    void fill(const Rect& area, Colour colour);
    // A stroke `width` pixels high along [left, right), its top at the 96-DPI row `top`.
    void horizontalStroke(int left, int right, int top, int width, Colour colour);
    // A stroke `width` pixels wide along [top, bottom), its left at the 96-DPI column `left`.
    void verticalStroke(int left, int top, int bottom, int width, Colour colour);
    // The outline of an area, `width` pixels thick inside its scaled edges. Gives the physical area
    // inside the outline.
    Rect frame(const Rect& area, Colour colour, int width = 1);
    // A straight line between two 96-DPI pixels, both included, with a square pen.
    void line(Point from, Point to, int penWidth, Colour colour);
    // A rounded rectangle (corner ellipse cornerSize x cornerSize) outlined with a pen `penWidth`
    // pixels wide and filled with the brush.
    void roundRect(const Rect& area, int cornerSize, Colour pen, Colour brush, int penWidth = 1);
    // Sets every physical pixel whose centre, in 96-DPI coordinates, lies inside the shape.
    template <typename Inside> void paintWhere(Inside inside, Colour colour) {
        const double toDesign = static_cast<double>(kBaseDpi) / layout_.scale().dpi;
        for (int y = 0; y < picture_.height(); ++y) {
            for (int x = 0; x < picture_.width(); ++x) {
                if (inside((x + 0.5) * toDesign, (y + 0.5) * toDesign)) {
                    picture_.setPixel(x, y, colour);
                }
            }
        }
    }

    // The finished picture.
    [[nodiscard]] Bitmap take() && { return std::move(picture_); }

private:
    PictureLayout layout_;
    Bitmap picture_;
};

// A rounded rectangle in physical pixels with a pen of any width: as Bitmap::roundRect, whose pen is
// one pixel, with the outline grown inwards to penWidth pixels along concentric corners. With a
// one-pixel pen it is Bitmap::roundRect.
void roundRectWithPen(Bitmap& picture, const Rect& area, int cornerSize, int penWidth, Colour pen,
                      Colour brush);

} // namespace cellaro
