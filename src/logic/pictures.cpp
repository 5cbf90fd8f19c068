// The working window's pictures: the scaled drawing they share, the name tables of both picture
// sets, the anchor pad pictures and their recolouring, the pin indicator, idle status and "Desktop"
// pictures. The button glyphs themselves are drawn in pictures_glyphs.cpp.
#include "logic/pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace cellaro {

// ---- drawing at a DPI ---------------------------------------------------------------------------

PictureLayout::PictureLayout(int size, int dpi)
    : scale_{dpi > 0 ? dpi : kBaseDpi}, size_(std::max(scale_.physical(size), 0)) {}

Rect PictureLayout::area(const Rect& at) const {
    return scale_.physical(at);
}

int PictureLayout::strokeWidth(int width) const {
    return std::max(scale_.physical(width), 1);
}

int PictureLayout::strokeStart(int from, int width) const {
    const int physicalWidth = strokeWidth(width);
    // The middle less half the physical width, rounded half up; counted in 192ths of a physical
    // pixel so that no rounding happens before the last step.
    const long long twiceMiddle = static_cast<long long>(2 * from + width) * scale_.dpi;
    const long long numerator = twiceMiddle - static_cast<long long>(physicalWidth - 1) * kBaseDpi;
    constexpr long long kDenominator = 2LL * kBaseDpi;
    long long start = numerator / kDenominator;
    if (numerator % kDenominator != 0 && numerator < 0) {
        --start;
    }
    return std::clamp(static_cast<int>(start), 0, std::max(size_ - physicalWidth, 0));
}

ScaledPicture::ScaledPicture(int size, Colour background, int dpi)
    : layout_(size, dpi), picture_(layout_.size(), layout_.size(), background) {}

void ScaledPicture::fill(const Rect& area, Colour colour) {
    picture_.fill(layout_.area(area), colour);
}

void ScaledPicture::horizontalStroke(int left, int right, int top, int width, Colour colour) {
    const int y = layout_.strokeStart(top, width);
    picture_.fill(Rect{layout_.edge(left), y, layout_.edge(right), y + layout_.strokeWidth(width)}, colour);
}

void ScaledPicture::verticalStroke(int left, int top, int bottom, int width, Colour colour) {
    const int x = layout_.strokeStart(left, width);
    picture_.fill(Rect{x, layout_.edge(top), x + layout_.strokeWidth(width), layout_.edge(bottom)}, colour);
}

Rect ScaledPicture::frame(const Rect& area, Colour colour, int width) {
    const Rect outer = layout_.area(area);
    const int w = layout_.strokeWidth(width);
    picture_.fill(Rect{outer.left, outer.top, outer.right, outer.top + w}, colour);
    picture_.fill(Rect{outer.left, outer.bottom - w, outer.right, outer.bottom}, colour);
    picture_.fill(Rect{outer.left, outer.top, outer.left + w, outer.bottom}, colour);
    picture_.fill(Rect{outer.right - w, outer.top, outer.right, outer.bottom}, colour);
    return Rect{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
}

void ScaledPicture::line(Point from, Point to, int penWidth, Colour colour) {
    // Bitmap::line puts a pen's square (pen - 1) / 2 pixels up and left of each point: place the
    // squares at both ends as strokes, then run the line between them with the scaled pen.
    const int pen = std::max(penWidth, 1);
    const int before = (pen - 1) / 2;
    const int physicalPen = layout_.strokeWidth(pen);
    const int physicalBefore = (physicalPen - 1) / 2;
    const auto place = [&](Point at) {
        return Point{layout_.strokeStart(at.x - before, pen) + physicalBefore,
                     layout_.strokeStart(at.y - before, pen) + physicalBefore};
    };
    picture_.line(place(from), place(to), physicalPen, colour);
}

void ScaledPicture::roundRect(const Rect& area, int cornerSize, Colour pen, Colour brush, int penWidth) {
    roundRectWithPen(picture_, layout_.area(area), layout_.edge(cornerSize), layout_.strokeWidth(penWidth),
                     pen, brush);
}

void roundRectWithPen(Bitmap& picture, const Rect& area, int cornerSize, int penWidth, Colour pen,
                      Colour brush) {
    const int inset = std::max(penWidth, 1) - 1;
    if (inset == 0) {
        picture.roundRect(area, cornerSize, cornerSize, pen, brush);
        return;
    }
    // The whole shape in the pen colour, then the inside with its one-pixel outline, inset by the
    // rest of the pen along corners of the same centres.
    picture.roundRect(area, cornerSize, cornerSize, pen, pen);
    const Rect inner{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    if (inner.empty()) {
        return;
    }
    const int innerCorner = std::max(cornerSize - 2 * inset, 0);
    picture.roundRect(inner, innerCorner, innerCorner, pen, brush);
}

// ---- the working window's pictures ----------------------------------------------------------------

namespace {

struct PictureEntry {
    std::string_view name;
    Glyph glyph;
    PictureSet set;
};

using enum Glyph;
constexpr PictureSet kLight = PictureSet::LightBackground;
constexpr PictureSet kDark = PictureSet::DarkBackground;

constexpr std::array<PictureEntry, 44> kPictures{{
    {"D1", Grid, kLight},
    {"T1", Grid, kDark},
    {"D2", Undo, kLight},
    {"T2", Undo, kDark},
    {"D3", Settings, kLight},
    {"T3", Settings, kDark},
    {"D4", Close, kLight},
    {"T4", Close, kDark},
    {"D11", Arrange, kLight},
    {"T11", Arrange, kDark},
    {"D12", Groups, kLight},
    {"T12", Groups, kDark},
    {"t22", ManageGroups, kLight},
    {"d22", ManageGroups, kDark},
    {"d104", FullScreen, kLight},
    {"t104", FullScreen, kDark},
    {"v31", NextMonitor, kLight},
    {"b31", NextMonitor, kDark},
    {"w3", Tile, kLight},
    {"B3", Tile, kDark},
    {"w4", Transparent, kLight},
    {"B4", Transparent, kDark},
    {"w5", StayOnTop, kLight},
    {"B5", StayOnTop, kDark},
    {"W6", Minimise, kLight},
    {"B6", Minimise, kDark},
    {"W7", Restore, kLight},
    {"B7", Restore, kDark},
    {"W8", Maximise, kLight},
    {"B8", Maximise, kDark},
    {"W9", Sleep, kLight},
    {"B9", Sleep, kDark},
    {"T20", PreviousGroupShowOnly, kLight},
    {"D20", PreviousGroupShowOnly, kDark},
    {"T21", NextGroupShowOnly, kLight},
    {"D21", NextGroupShowOnly, kDark},
    {"t40", PreviousGroupToFront, kLight},
    {"d40", PreviousGroupToFront, kDark},
    {"T41", NextGroupToFront, kLight},
    {"d41", NextGroupToFront, kDark},
    {"d15", ShowGroupOnly, kLight},
    {"t15", ShowGroupOnly, kDark},
    {"d16", BringGroupToFront, kLight},
    {"t16", BringGroupToFront, kDark},
}};

constexpr auto kPictureNames = [] {
    std::array<std::string_view, kPictures.size()> names{};
    for (std::size_t i = 0; i < kPictures.size(); ++i) {
        names.at(i) = kPictures.at(i).name;
    }
    return names;
}();

// Which picture each button of the working window shows, light-background set first.
struct ButtonPictures {
    std::string_view button;
    std::string_view light;
    std::string_view dark;
};

constexpr std::array<ButtonPictures, 36> kButtonPictures{{
    {"xClose2", "D4", "T4"},   {"sbHome", "D1", "T1"},     {"SbMonitor", "D11", "T11"},
    {"SbGroup", "D12", "T12"}, {"SbSelect", "t22", "d22"}, {"XiFull", "d104", "t104"},
    {"SBUNdo", "D2", "T2"},    {"SBTools", "D3", "T3"},    {"xi1", "v31", "b31"},
    {"XI3", "w3", "B3"},       {"XI4", "w4", "B4"},        {"XI5", "w5", "B5"},
    {"XI6", "W6", "B6"},       {"XI7", "W7", "B7"},        {"XI8", "W8", "B8"},
    {"XI9", "W9", "B9"},       {"GA1", "W6", "B6"},        {"GB1", "W6", "B6"},
    {"GC1", "W6", "B6"},       {"GD1", "W6", "B6"},        {"GA2", "W7", "B7"},
    {"GB2", "W7", "B7"},       {"GC2", "W7", "B7"},        {"GD2", "W7", "B7"},
    {"GA3", "T20", "D20"},     {"GB3", "T21", "D21"},      {"GC3", "t40", "d40"},
    {"GD3", "T41", "d41"},     {"GA4", "d15", "t15"},      {"GB4", "d15", "t15"},
    {"GC4", "d15", "t15"},     {"GD4", "d15", "t15"},      {"GA5", "d16", "t16"},
    {"GB5", "d16", "t16"},     {"GC5", "d16", "t16"},      {"GD5", "d16", "t16"},
}};

// The theming pass's fill points, one per anchor position in reading order. The pad's walls are
// placed so that each point lies inside its own cell.
constexpr std::array<Point, 9> kAnchorMarkPoints{{
    {13, 13},
    {19, 13},
    {25, 13},
    {13, 20},
    {20, 20},
    {26, 20},
    {13, 25},
    {20, 26},
    {26, 26},
}};

// The anchor pad: a 2-pixel outer wall from 8 to 31 and 1-pixel inner walls at 16 and 23, which
// leaves three 6-pixel cells per row and column (10..15, 17..22, 24..29).
constexpr int kPadOuter = 8;
constexpr int kPadEnd = 32;
constexpr int kPadOuterWall = 2;
constexpr std::array<int, 2> kPadInnerWalls{16, 23};

// The anchor pad in physical pixels at one DPI; alike along both axes.
struct AnchorPad {
    Rect outer;
    int outerWall = 0;
    int innerWall = 0;
    std::array<int, 2> walls{}; // the first pixel of each inner wall

    // The first and one past the last pixel of the cells in column or row `index` (0..2).
    [[nodiscard]] std::pair<int, int> cellSpan(int index) const {
        const int first =
            index == 0 ? outer.left + outerWall : walls.at(static_cast<std::size_t>(index - 1)) + innerWall;
        const int end = index == 2 ? outer.right - outerWall : walls.at(static_cast<std::size_t>(index));
        return {first, end};
    }
};

AnchorPad anchorPad(const PictureLayout& layout) {
    AnchorPad pad;
    pad.outer = layout.area(Rect{kPadOuter, kPadOuter, kPadEnd, kPadEnd});
    pad.outerWall = layout.strokeWidth(kPadOuterWall);
    pad.innerWall = layout.strokeWidth(1);
    for (std::size_t i = 0; i < kPadInnerWalls.size(); ++i) {
        pad.walls.at(i) = layout.strokeStart(kPadInnerWalls.at(i), 1);
    }
    return pad;
}

constexpr Colour kAnchorStrokeOnDark = Colour::rgb(0xC8, 0xC8, 0xC8);
constexpr Colour kAnchorStrokeOnLight = Colour::rgb(0x40, 0x40, 0x40);

const PictureEntry* findPicture(std::string_view name) {
    const auto* found = std::find_if(kPictures.begin(), kPictures.end(),
                                     [name](const PictureEntry& entry) { return entry.name == name; });
    return found == kPictures.end() ? nullptr : found;
}

// "C1" ... "C9" or "V1" ... "V9" as (k, dark grid); nothing for any other name.
std::optional<std::pair<int, bool>> parseAnchorName(std::string_view name) {
    if (name.size() != 2 || (name[0] != 'C' && name[0] != 'V') || name[1] < '1' || name[1] > '9') {
        return std::nullopt;
    }
    return std::pair{name[1] - '0', name[0] == 'C'};
}

// The pushpin in picture coordinates, upright: cap, body, collar and needle.
bool insidePushpin(double x, double y) {
    const auto within = [x, y](double left, double top, double right, double bottom) {
        return x >= left && x < right && y >= top && y < bottom;
    };
    return within(6, 1, 14, 3.5) || within(7.5, 3.5, 12.5, 9) || within(4, 9, 16, 11.5) ||
           within(9, 11.5, 11, 19);
}

} // namespace

std::span<const std::string_view> buttonPictureNames() {
    return kPictureNames;
}

std::optional<PictureSet> pictureSetOf(std::string_view name) {
    const PictureEntry* entry = findPicture(name);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->set;
}

Bitmap buttonPicture(std::string_view name, int dpi) {
    if (const PictureEntry* entry = findPicture(name)) {
        return drawGlyph(entry->glyph, entry->set, dpi);
    }
    if (const auto anchor = parseAnchorName(name)) {
        return anchorPicture(anchor->first, anchor->second, dpi);
    }
    return Bitmap{};
}

std::string_view pictureNameForButton(std::string_view buttonName, PictureSet set) {
    for (const ButtonPictures& entry : kButtonPictures) {
        if (entry.button == buttonName) {
            return set == kLight ? entry.light : entry.dark;
        }
    }
    return {};
}

Bitmap anchorPicture(int k, bool darkGrid, int dpi) {
    if (k < 1 || k > 9) {
        return Bitmap{};
    }
    const Colour stroke = darkGrid ? kAnchorStrokeOnDark : kAnchorStrokeOnLight;
    ScaledPicture picture(kAnchorPictureSize, kPictureTransparent, dpi);
    const Rect pad{kPadOuter, kPadOuter, kPadEnd, kPadEnd};
    picture.frame(pad, stroke, kPadOuterWall);
    for (const int wall : kPadInnerWalls) {
        picture.verticalStroke(wall, pad.top, pad.bottom, 1, stroke);
        picture.horizontalStroke(pad.left, pad.right, wall, 1, stroke);
    }
    // Softened outer corners: a one-stroke square off each corner of the thicker outer wall, which
    // stays closed through the pixels diagonally inside.
    const AnchorPad layout = anchorPad(picture.layout());
    const Rect outer = layout.outer;
    const int cut = layout.innerWall;
    for (const int x : {outer.left, outer.right - cut}) {
        for (const int y : {outer.top, outer.bottom - cut}) {
            picture.bitmap().fill(Rect{x, y, x + cut, y + cut}, kPictureTransparent);
        }
    }
    return std::move(picture).take();
}

std::optional<Point> anchorMarkPoint(int k, int dpi) {
    if (k < 1 || k > 9) {
        return std::nullopt;
    }
    const Point point = kAnchorMarkPoints.at(static_cast<std::size_t>(k - 1));
    const PictureLayout layout(kAnchorPictureSize, dpi);
    const AnchorPad pad = anchorPad(layout);
    // The middle of the 96-DPI pixel, scaled, kept inside the cell's span (at 96 DPI the point
    // itself).
    const auto place = [&](int at, int cell) {
        const auto [first, end] = pad.cellSpan(cell);
        const long long middle = (2LL * at + 1) * layout.scale().dpi / (2LL * kBaseDpi);
        return std::max(first, std::min(static_cast<int>(middle), end - 1));
    };
    return Point{place(point.x, (k - 1) % 3), place(point.y, (k - 1) / 3)};
}

bool recolourAnchor(Bitmap& picture, int k, int dpi) {
    const auto point = anchorMarkPoint(k, dpi);
    if (!point || !picture.inside(point->x, point->y)) {
        return false;
    }
    picture.floodFill(point->x, point->y, kAnchorMark);
    return true;
}

Bitmap pinPicture(bool pinned, int dpi) {
    // Painted straight onto whatever lies under the target's title bar, so it carries its own
    // outline: a red pin pushed in, or a grey one pulled out and tilted.
    const Colour outline = pinned ? Colour::rgb(0x50, 0x10, 0x10) : Colour::rgb(0x30, 0x30, 0x30);
    const Colour body = pinned ? Colour::rgb(0xE0, 0x30, 0x30) : Colour::rgb(0xD0, 0xD0, 0xD0);
    const double tilt = pinned ? 0.0 : std::numbers::pi / 4.0;
    const double cosine = std::cos(tilt);
    const double sine = std::sin(tilt);
    constexpr double kCentre = kPinPictureSize / 2.0;
    const PictureLayout layout(kPinPictureSize, dpi);
    const int size = layout.size();
    const double toDesign = static_cast<double>(kBaseDpi) / layout.scale().dpi;
    // Which pixels the pin covers: each pixel centre, in 96-DPI coordinates, turned back by the
    // tilt and tested against the upright pin.
    const auto index = [size](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x);
    };
    std::vector<bool> covered(index(0, size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) * toDesign - kCentre;
            const double dy = (y + 0.5) * toDesign - kCentre;
            covered[index(x, y)] =
                insidePushpin(kCentre + dx * cosine + dy * sine, kCentre - dx * sine + dy * cosine);
        }
    }
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && covered[index(x, y)];
    };
    // The outline is one stroke wide: a pixel with an uncovered pixel that close straight beside,
    // above or below it.
    const int outlineWidth = layout.strokeWidth(1);
    const auto onOutline = [&](int x, int y) {
        for (int d = 1; d <= outlineWidth; ++d) {
            if (!inside(x - d, y) || !inside(x + d, y) || !inside(x, y - d) || !inside(x, y + d)) {
                return true;
            }
        }
        return false;
    };
    Bitmap picture(size, size, kPinTransparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (inside(x, y)) {
                picture.setPixel(x, y, onOutline(x, y) ? outline : body);
            }
        }
    }
    return picture;
}

Bitmap idleStatusPicture(Colour background, int dpi) {
    const PictureLayout layout(kStatusPictureSize, dpi);
    return Bitmap(layout.size(), layout.size(), background);
}

Bitmap desktopPicture(int dpi) {
    ScaledPicture picture(kStatusPictureSize, kPictureTransparent, dpi);
    const Colour bezel = Colour::rgb(0x3C, 0x3C, 0x3C);
    const Colour edge = Colour::rgb(0x9A, 0x9A, 0x9A);
    const Colour screen = Colour::rgb(0x2E, 0x6C, 0xC4);
    const Colour screenLight = Colour::rgb(0x5A, 0x92, 0xDE);
    const Colour window = Colour::rgb(0xF0, 0xF0, 0xF0);
    const Colour title = Colour::rgb(0x42, 0x67, 0xB2);
    picture.roundRect(Rect{1, 3, 31, 25}, 4, edge, bezel);
    picture.fill(Rect{3, 5, 29, 22}, screen);
    // A lighter band across the top of the screen and one small window on the desktop, its title
    // bar two pixels high.
    picture.fill(Rect{3, 5, 29, 9}, screenLight);
    const Rect smallWindow{7, 10, 19, 19};
    picture.fill(smallWindow, window);
    const Rect titleBar = picture.layout().area(smallWindow);
    picture.bitmap().fill(
        Rect{titleBar.left, titleBar.top, titleBar.right, titleBar.top + picture.layout().strokeWidth(2)},
        title);
    picture.fill(Rect{22, 18, 27, 20}, window);
    // Stand.
    picture.fill(Rect{13, 25, 19, 28}, bezel);
    picture.roundRect(Rect{8, 27, 24, 30}, 2, edge, bezel);
    return std::move(picture).take();
}

} // namespace cellaro
