// The working window's pictures: the name tables of both picture sets, the anchor pad pictures and
// their recolouring, the pin indicator, idle status and "Desktop" pictures. The button glyphs
// themselves are drawn in pictures_glyphs.cpp.
#include "logic/pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace cellaro {

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
constexpr std::array<int, 2> kPadInnerWalls{16, 23};

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

Bitmap buttonPicture(std::string_view name) {
    if (const PictureEntry* entry = findPicture(name)) {
        return drawGlyph(entry->glyph, entry->set);
    }
    if (const auto anchor = parseAnchorName(name)) {
        return anchorPicture(anchor->first, anchor->second);
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

Bitmap anchorPicture(int k, bool darkGrid) {
    if (k < 1 || k > 9) {
        return Bitmap{};
    }
    const Colour stroke = darkGrid ? kAnchorStrokeOnDark : kAnchorStrokeOnLight;
    Bitmap picture(kAnchorPictureSize, kAnchorPictureSize, kPictureTransparent);
    const Rect pad{kPadOuter, kPadOuter, kPadEnd, kPadEnd};
    picture.fill(pad, stroke);
    picture.fill(Rect{pad.left + 2, pad.top + 2, pad.right - 2, pad.bottom - 2}, kPictureTransparent);
    for (const int wall : kPadInnerWalls) {
        picture.fill(Rect{wall, pad.top, wall + 1, pad.bottom}, stroke);
        picture.fill(Rect{pad.left, wall, pad.right, wall + 1}, stroke);
    }
    // Softened outer corners; the wall stays closed through the pixel diagonally inside.
    for (const Point corner : {Point{pad.left, pad.top}, Point{pad.right - 1, pad.top},
                               Point{pad.left, pad.bottom - 1}, Point{pad.right - 1, pad.bottom - 1}}) {
        picture.setPixel(corner.x, corner.y, kPictureTransparent);
    }
    return picture;
}

std::optional<Point> anchorMarkPoint(int k) {
    if (k < 1 || k > 9) {
        return std::nullopt;
    }
    return kAnchorMarkPoints.at(static_cast<std::size_t>(k - 1));
}

bool recolourAnchor(Bitmap& picture, int k) {
    const auto point = anchorMarkPoint(k);
    if (!point || !picture.inside(point->x, point->y)) {
        return false;
    }
    picture.floodFill(point->x, point->y, kAnchorMark);
    return true;
}

Bitmap pinPicture(bool pinned) {
    // Painted straight onto whatever lies under the target's title bar, so it carries its own
    // outline: a red pin pushed in, or a grey one pulled out and tilted.
    const Colour outline = pinned ? Colour::rgb(0x50, 0x10, 0x10) : Colour::rgb(0x30, 0x30, 0x30);
    const Colour body = pinned ? Colour::rgb(0xE0, 0x30, 0x30) : Colour::rgb(0xD0, 0xD0, 0xD0);
    const double tilt = pinned ? 0.0 : std::numbers::pi / 4.0;
    const double cosine = std::cos(tilt);
    const double sine = std::sin(tilt);
    constexpr double kCentre = kPinPictureSize / 2.0;
    const auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= kPinPictureSize || y >= kPinPictureSize) {
            return false;
        }
        // Turn the pixel centre back by the tilt and test the upright pin.
        const double dx = x + 0.5 - kCentre;
        const double dy = y + 0.5 - kCentre;
        return insidePushpin(kCentre + dx * cosine + dy * sine, kCentre - dx * sine + dy * cosine);
    };
    Bitmap picture(kPinPictureSize, kPinPictureSize, kPinTransparent);
    for (int y = 0; y < kPinPictureSize; ++y) {
        for (int x = 0; x < kPinPictureSize; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            picture.setPixel(x, y, edge ? outline : body);
        }
    }
    return picture;
}

Bitmap idleStatusPicture(Colour background) {
    return Bitmap(kStatusPictureSize, kStatusPictureSize, background);
}

Bitmap desktopPicture() {
    Bitmap picture(kStatusPictureSize, kStatusPictureSize, kPictureTransparent);
    const Colour bezel = Colour::rgb(0x3C, 0x3C, 0x3C);
    const Colour edge = Colour::rgb(0x9A, 0x9A, 0x9A);
    const Colour screen = Colour::rgb(0x2E, 0x6C, 0xC4);
    const Colour screenLight = Colour::rgb(0x5A, 0x92, 0xDE);
    const Colour window = Colour::rgb(0xF0, 0xF0, 0xF0);
    const Colour title = Colour::rgb(0x42, 0x67, 0xB2);
    picture.roundRect(Rect{1, 3, 31, 25}, 4, 4, edge, bezel);
    picture.fill(Rect{3, 5, 29, 22}, screen);
    // A lighter band across the top of the screen and one small window on the desktop.
    picture.fill(Rect{3, 5, 29, 9}, screenLight);
    picture.fill(Rect{7, 10, 19, 19}, window);
    picture.fill(Rect{7, 10, 19, 12}, title);
    picture.fill(Rect{22, 18, 27, 20}, window);
    // Stand.
    picture.fill(Rect{13, 25, 19, 28}, bezel);
    picture.roundRect(Rect{8, 27, 24, 30}, 2, 2, edge, bezel);
    return picture;
}

} // namespace cellaro
