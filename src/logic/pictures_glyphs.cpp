// The button glyphs of the working window, drawn pixel-exact in two inks: dark strokes for light
// backgrounds and light strokes for dark ones, on the transparent colour. Strip glyphs are 16 x 16,
// command and group glyphs 20 x 20; both are laid out symmetrically about their centre line.
#include "logic/pictures.h"

#include <array>
#include <cmath>
#include <numbers>

namespace cellaro {

namespace {

// The main stroke colour and a softer one for things in the background (windows behind, windows
// minimised).
struct Ink {
    Colour stroke;
    Colour soft;
};

constexpr Ink kInkForLightBackground{Colour::rgb(0x30, 0x30, 0x30), Colour::rgb(0x8C, 0x8C, 0x8C)};
constexpr Ink kInkForDarkBackground{Colour::rgb(0xE8, 0xE8, 0xE8), Colour::rgb(0x98, 0x98, 0x98)};

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

Bitmap blank(int size) {
    return Bitmap(size, size, kPictureTransparent);
}

// Sets every pixel whose centre lies inside the shape.
template <typename Inside> void paintWhere(Bitmap& picture, Inside inside, Colour colour) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (inside(x + 0.5, y + 0.5)) {
                picture.setPixel(x, y, colour);
            }
        }
    }
}

// Even-odd test against a closed polygon.
bool insidePolygon(std::span<const PointF> corners, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const PointF& a = corners[i];
        const PointF& b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

void triangle(Bitmap& picture, PointF a, PointF b, PointF c, Colour colour) {
    const std::array corners{a, b, c};
    paintWhere(
        picture, [&](double x, double y) { return insidePolygon(corners, x, y); }, colour);
}

// A rectangle outline of the given thickness, inside the rectangle.
void frame(Bitmap& picture, const Rect& area, Colour colour, int thickness = 1) {
    picture.fill(Rect{area.left, area.top, area.right, area.top + thickness}, colour);
    picture.fill(Rect{area.left, area.bottom - thickness, area.right, area.bottom}, colour);
    picture.fill(Rect{area.left, area.top, area.left + thickness, area.bottom}, colour);
    picture.fill(Rect{area.right - thickness, area.top, area.right, area.bottom}, colour);
}

// A window: outline with a two-pixel title bar; an opaque window hides what lies behind it.
void window(Bitmap& picture, const Rect& area, Colour colour, bool opaque = true) {
    if (opaque) {
        picture.fill(area, kPictureTransparent);
    }
    frame(picture, area, colour);
    picture.fill(Rect{area.left, area.top, area.right, area.top + 2}, colour);
}

// Left-right mirror image.
Bitmap mirrored(const Bitmap& picture) {
    Bitmap result(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            result.setPixel(picture.width() - 1 - x, y, picture.pixel(x, y));
        }
    }
    return result;
}

// ---- strip glyphs, 16 x 16 -------------------------------------------------------------------

void drawGrid(Bitmap& p, const Ink& ink) {
    for (const int at : {0, 5, 10, 15}) {
        p.fill(Rect{at, 0, at + 1, 16}, ink.stroke);
        p.fill(Rect{0, at, 16, at + 1}, ink.stroke);
    }
    for (const Point corner : {Point{0, 0}, Point{15, 0}, Point{0, 15}, Point{15, 15}}) {
        p.setPixel(corner.x, corner.y, kPictureTransparent);
    }
}

void drawArrange(Bitmap& p, const Ink& ink) {
    // One tall tile on the left, two stacked on the right: windows arranged on a screen.
    p.fill(Rect{1, 1, 7, 15}, ink.stroke);
    p.fill(Rect{9, 1, 15, 7}, ink.stroke);
    p.fill(Rect{9, 9, 15, 15}, ink.stroke);
}

void drawGroups(Bitmap& p, const Ink& ink) {
    window(p, Rect{6, 1, 16, 9}, ink.soft);
    window(p, Rect{3, 4, 13, 12}, ink.soft);
    window(p, Rect{0, 7, 10, 15}, ink.stroke);
}

void drawManageGroups(Bitmap& p, const Ink& ink) {
    int row = 0;
    for (const int top : {1, 6, 11}) {
        const Rect box{1, top, 5, top + 4};
        frame(p, box, ink.stroke);
        if (row != 1) {
            p.fill(box, ink.stroke);
        }
        p.fill(Rect{7, top + 1, 15, top + 3}, ink.stroke);
        ++row;
    }
}

void drawFullScreen(Bitmap& p, const Ink& ink) {
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            const int x = right ? 10 : 1;
            const int y = bottom ? 13 : 1;
            p.fill(Rect{x, y, x + 5, y + 2}, ink.stroke);
            const int armX = right ? 13 : 1;
            const int armY = bottom ? 10 : 1;
            p.fill(Rect{armX, armY, armX + 2, armY + 5}, ink.stroke);
        }
    }
    p.fill(Rect{6, 6, 10, 10}, ink.soft);
}

void drawUndo(Bitmap& p, const Ink& ink) {
    // An arrow pointing back to the left, its shaft turning down and round to the left below.
    triangle(p, {0.5, 5.0}, {6.0, 0.5}, {6.0, 9.5}, ink.stroke);
    p.fill(Rect{6, 4, 10, 6}, ink.stroke);
    paintWhere(
        p,
        [](double x, double y) {
            const double distance = std::hypot(x - 10.0, y - 8.5);
            return x >= 10.0 && distance <= 4.5 && distance >= 2.5;
        },
        ink.stroke);
    p.fill(Rect{4, 11, 10, 13}, ink.stroke);
}

void drawSettings(Bitmap& p, const Ink& ink) {
    // A gear with eight teeth and a hole.
    paintWhere(
        p,
        [](double x, double y) {
            const double dx = x - 8.0;
            const double dy = y - 8.0;
            const double distance = std::hypot(dx, dy);
            const double turns = std::atan2(dy, dx) / (2.0 * std::numbers::pi) * 8.0;
            const double fromTooth = std::abs(turns - std::round(turns));
            const double outer = fromTooth < 0.27 ? 7.6 : 5.6;
            return distance <= outer && distance >= 2.6;
        },
        ink.stroke);
}

void drawClose(Bitmap& p, const Ink& ink) {
    p.line(Point{3, 3}, Point{11, 11}, 2, ink.stroke);
    p.line(Point{11, 3}, Point{3, 11}, 2, ink.stroke);
}

// ---- command glyphs, 20 x 20 -----------------------------------------------------------------

void drawNextMonitor(Bitmap& p, const Ink& ink) {
    // The screen the window leaves, the one it goes to, and the way.
    for (const int left : {1, 11}) {
        const Rect screen{left, 1, left + 8, 8};
        frame(p, screen, left == 1 ? ink.soft : ink.stroke);
        if (left == 11) {
            p.fill(Rect{left + 2, 3, left + 6, 6}, ink.stroke);
        }
        const Colour stand = left == 1 ? ink.soft : ink.stroke;
        p.fill(Rect{left + 3, 8, left + 5, 9}, stand);
        p.fill(Rect{left + 1, 9, left + 7, 10}, stand);
    }
    p.fill(Rect{2, 14, 13, 16}, ink.stroke);
    triangle(p, {12.0, 11.0}, {12.0, 19.0}, {18.5, 15.0}, ink.stroke);
}

void drawTile(Bitmap& p, const Ink& ink) {
    for (const int left : {1, 11}) {
        for (const int top : {2, 11}) {
            window(p, Rect{left, top, left + 8, top + 7}, ink.stroke);
        }
    }
}

void drawTransparent(Bitmap& p, const Ink& ink) {
    const Rect square{3, 3, 17, 17};
    frame(p, square, ink.stroke, 2);
    p.fill(Rect{5, 5, 10, 15}, ink.stroke);
    for (int y = 5; y < 15; ++y) {
        for (int x = 10; x < 15; ++x) {
            if ((x + y) % 2 == 0) {
                p.setPixel(x, y, ink.stroke);
            }
        }
    }
}

void drawStayOnTop(Bitmap& p, const Ink& ink) {
    p.fill(Rect{6, 1, 14, 4}, ink.stroke);
    p.fill(Rect{8, 4, 12, 9}, ink.stroke);
    p.fill(Rect{4, 9, 16, 12}, ink.stroke);
    p.fill(Rect{9, 12, 11, 19}, ink.stroke);
}

void drawMinimise(Bitmap& p, const Ink& ink) {
    p.fill(Rect{4, 14, 16, 16}, ink.stroke);
}

void drawRestore(Bitmap& p, const Ink& ink) {
    window(p, Rect{7, 3, 17, 13}, ink.stroke);
    window(p, Rect{3, 7, 13, 17}, ink.stroke);
}

void drawMaximise(Bitmap& p, const Ink& ink) {
    window(p, Rect{3, 3, 17, 17}, ink.stroke);
}

void drawSleep(Bitmap& p, const Ink& ink) {
    paintWhere(
        p,
        [](double x, double y) {
            return std::hypot(x - 9.0, y - 11.0) <= 7.5 && std::hypot(x - 13.0, y - 7.5) > 6.2;
        },
        ink.stroke);
    // A small "z" in the bite of the moon.
    p.fill(Rect{14, 1, 19, 2}, ink.stroke);
    p.setPixel(17, 2, ink.stroke);
    p.setPixel(16, 3, ink.stroke);
    p.setPixel(15, 4, ink.stroke);
    p.fill(Rect{14, 5, 19, 6}, ink.stroke);
}

// ---- group glyphs, 20 x 20 -------------------------------------------------------------------

void drawSingleWindowMark(Bitmap& p, const Ink& ink) {
    window(p, Rect{9, 5, 19, 15}, ink.stroke);
}

void drawStackedWindowsMark(Bitmap& p, const Ink& ink) {
    window(p, Rect{12, 3, 19, 10}, ink.soft);
    window(p, Rect{9, 8, 17, 16}, ink.stroke);
}

void drawBackArrow(Bitmap& p, const Ink& ink) {
    triangle(p, {0.5, 10.0}, {7.0, 3.5}, {7.0, 16.5}, ink.stroke);
}

void drawShowGroupOnly(Bitmap& p, const Ink& ink) {
    window(p, Rect{4, 1, 16, 12}, ink.stroke);
    p.fill(Rect{2, 15, 9, 17}, ink.soft);
    p.fill(Rect{11, 15, 18, 17}, ink.soft);
}

void drawBringGroupToFront(Bitmap& p, const Ink& ink) {
    window(p, Rect{8, 1, 19, 11}, ink.soft);
    window(p, Rect{1, 6, 12, 17}, ink.stroke);
    triangle(p, {13.0, 16.0}, {19.0, 16.0}, {16.0, 12.5}, ink.stroke);
    p.fill(Rect{15, 16, 17, 19}, ink.stroke);
}

int glyphSize(Glyph glyph) {
    switch (glyph) {
    case Glyph::Grid:
    case Glyph::Arrange:
    case Glyph::Groups:
    case Glyph::ManageGroups:
    case Glyph::FullScreen:
    case Glyph::Undo:
    case Glyph::Settings:
    case Glyph::Close:
        return kStripPictureSize;
    default:
        return kCommandPictureSize;
    }
}

} // namespace

Bitmap drawGlyph(Glyph glyph, PictureSet set) {
    const Ink& ink = set == PictureSet::LightBackground ? kInkForLightBackground : kInkForDarkBackground;
    Bitmap p = blank(glyphSize(glyph));
    switch (glyph) {
    case Glyph::Grid:
        drawGrid(p, ink);
        break;
    case Glyph::Arrange:
        drawArrange(p, ink);
        break;
    case Glyph::Groups:
        drawGroups(p, ink);
        break;
    case Glyph::ManageGroups:
        drawManageGroups(p, ink);
        break;
    case Glyph::FullScreen:
        drawFullScreen(p, ink);
        break;
    case Glyph::Undo:
        drawUndo(p, ink);
        break;
    case Glyph::Settings:
        drawSettings(p, ink);
        break;
    case Glyph::Close:
        drawClose(p, ink);
        break;
    case Glyph::NextMonitor:
        drawNextMonitor(p, ink);
        break;
    case Glyph::Tile:
        drawTile(p, ink);
        break;
    case Glyph::Transparent:
        drawTransparent(p, ink);
        break;
    case Glyph::StayOnTop:
        drawStayOnTop(p, ink);
        break;
    case Glyph::Minimise:
        drawMinimise(p, ink);
        break;
    case Glyph::Restore:
        drawRestore(p, ink);
        break;
    case Glyph::Maximise:
        drawMaximise(p, ink);
        break;
    case Glyph::Sleep:
        drawSleep(p, ink);
        break;
    case Glyph::PreviousGroupShowOnly:
    case Glyph::NextGroupShowOnly:
        drawBackArrow(p, ink);
        drawSingleWindowMark(p, ink);
        break;
    case Glyph::PreviousGroupToFront:
    case Glyph::NextGroupToFront:
        drawBackArrow(p, ink);
        drawStackedWindowsMark(p, ink);
        break;
    case Glyph::ShowGroupOnly:
        drawShowGroupOnly(p, ink);
        break;
    case Glyph::BringGroupToFront:
        drawBringGroupToFront(p, ink);
        break;
    }
    if (glyph == Glyph::NextGroupShowOnly || glyph == Glyph::NextGroupToFront) {
        return mirrored(p);
    }
    return p;
}

} // namespace cellaro
