// The button glyphs of the working window, drawn pixel-exact in two inks: dark strokes for light
// backgrounds and light strokes for dark ones, on the transparent colour. Strip glyphs are 16 x 16,
// command and group glyphs 20 x 20 (96-DPI pixels); both are laid out symmetrically about their
// centre line and drawn at the DPI asked for through ScaledPicture.
#include "logic/pictures.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <span>
#include <utility>

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

void triangle(ScaledPicture& picture, PointF a, PointF b, PointF c, Colour colour) {
    const std::array corners{a, b, c};
    picture.paintWhere([&](double x, double y) { return insidePolygon(corners, x, y); }, colour);
}

// A window: outline with a two-pixel title bar; an opaque window hides what lies behind it.
void window(ScaledPicture& picture, const Rect& area, Colour colour, bool opaque = true) {
    if (opaque) {
        picture.fill(area, kPictureTransparent);
    }
    picture.frame(area, colour);
    // The title bar hangs from the outline's top edge.
    const Rect outer = picture.layout().area(area);
    picture.bitmap().fill(
        Rect{outer.left, outer.top, outer.right, outer.top + picture.layout().strokeWidth(2)}, colour);
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

void drawGrid(ScaledPicture& p, const Ink& ink) {
    for (const int at : {0, 5, 10, 15}) {
        p.verticalStroke(at, 0, 16, 1, ink.stroke);
        p.horizontalStroke(0, 16, at, 1, ink.stroke);
    }
    // The outer corners are left out: the square where the outer strokes cross.
    const PictureLayout& layout = p.layout();
    const int near = layout.strokeStart(0, 1);
    const int far = layout.strokeStart(15, 1);
    const int width = layout.strokeWidth(1);
    for (const int x : {near, far}) {
        for (const int y : {near, far}) {
            p.bitmap().fill(Rect{x, y, x + width, y + width}, kPictureTransparent);
        }
    }
}

void drawArrange(ScaledPicture& p, const Ink& ink) {
    // One tall tile on the left, two stacked on the right: windows arranged on a screen.
    p.fill(Rect{1, 1, 7, 15}, ink.stroke);
    p.fill(Rect{9, 1, 15, 7}, ink.stroke);
    p.fill(Rect{9, 9, 15, 15}, ink.stroke);
}

void drawGroups(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{6, 1, 16, 9}, ink.soft);
    window(p, Rect{3, 4, 13, 12}, ink.soft);
    window(p, Rect{0, 7, 10, 15}, ink.stroke);
}

void drawManageGroups(ScaledPicture& p, const Ink& ink) {
    int row = 0;
    for (const int top : {1, 6, 11}) {
        const Rect box{1, top, 5, top + 4};
        p.frame(box, ink.stroke);
        if (row != 1) {
            p.fill(box, ink.stroke);
        }
        p.horizontalStroke(7, 15, top + 1, 2, ink.stroke);
        ++row;
    }
}

void drawFullScreen(ScaledPicture& p, const Ink& ink) {
    // The four corners of a frame from 1 to 15, two pixels thick, each arm five pixels long.
    const PictureLayout& layout = p.layout();
    const Rect outer = layout.area(Rect{1, 1, 15, 15});
    const int thickness = layout.strokeWidth(2);
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            const int armLeft = right ? layout.edge(10) : outer.left;
            const int armRight = right ? outer.right : layout.edge(6);
            const int armTop = bottom ? layout.edge(10) : outer.top;
            const int armBottom = bottom ? outer.bottom : layout.edge(6);
            const int barTop = bottom ? outer.bottom - thickness : outer.top;
            const int barLeft = right ? outer.right - thickness : outer.left;
            p.bitmap().fill(Rect{armLeft, barTop, armRight, barTop + thickness}, ink.stroke);
            p.bitmap().fill(Rect{barLeft, armTop, barLeft + thickness, armBottom}, ink.stroke);
        }
    }
    p.fill(Rect{6, 6, 10, 10}, ink.soft);
}

void drawUndo(ScaledPicture& p, const Ink& ink) {
    // An arrow pointing back to the left, its shaft turning down and round to the left below.
    triangle(p, {0.5, 5.0}, {6.0, 0.5}, {6.0, 9.5}, ink.stroke);
    // The shaft reaches into the head, so that no scale leaves a gap between them.
    p.horizontalStroke(5, 10, 4, 2, ink.stroke);
    p.paintWhere(
        [](double x, double y) {
            const double distance = std::hypot(x - 10.0, y - 8.5);
            return x >= 10.0 && distance <= 4.5 && distance >= 2.5;
        },
        ink.stroke);
    p.horizontalStroke(4, 10, 11, 2, ink.stroke);
}

void drawSettings(ScaledPicture& p, const Ink& ink) {
    // A gear with eight teeth and a hole.
    p.paintWhere(
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

void drawClose(ScaledPicture& p, const Ink& ink) {
    p.line(Point{3, 3}, Point{11, 11}, 2, ink.stroke);
    p.line(Point{11, 3}, Point{3, 11}, 2, ink.stroke);
}

// ---- command glyphs, 20 x 20 -----------------------------------------------------------------

void drawNextMonitor(ScaledPicture& p, const Ink& ink) {
    // The screen the window leaves, the one it goes to, and the way.
    for (const int left : {1, 11}) {
        const Colour colour = left == 1 ? ink.soft : ink.stroke;
        p.frame(Rect{left, 1, left + 8, 8}, colour);
        if (left == 11) {
            p.fill(Rect{left + 2, 3, left + 6, 6}, ink.stroke);
        }
        // The stand: a neck from the screen's lower edge down to a foot.
        p.fill(Rect{left + 3, 8, left + 5, 9}, colour);
        p.horizontalStroke(left + 1, left + 7, 9, 1, colour);
    }
    p.horizontalStroke(2, 13, 14, 2, ink.stroke);
    triangle(p, {12.0, 11.0}, {12.0, 19.0}, {18.5, 15.0}, ink.stroke);
}

void drawTile(ScaledPicture& p, const Ink& ink) {
    for (const int left : {1, 11}) {
        for (const int top : {2, 11}) {
            window(p, Rect{left, top, left + 8, top + 7}, ink.stroke);
        }
    }
}

void drawTransparent(ScaledPicture& p, const Ink& ink) {
    // A framed square, its left half solid, its right half a checkerboard of one-stroke squares.
    const Rect inside = p.frame(Rect{3, 3, 17, 17}, ink.stroke, 2);
    const int middle = p.layout().edge(10);
    p.bitmap().fill(Rect{inside.left, inside.top, middle, inside.bottom}, ink.stroke);
    const int check = p.layout().strokeWidth(1);
    for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = middle; x < inside.right; ++x) {
            if ((x / check + y / check) % 2 == 0) {
                p.bitmap().setPixel(x, y, ink.stroke);
            }
        }
    }
}

void drawStayOnTop(ScaledPicture& p, const Ink& ink) {
    p.fill(Rect{6, 1, 14, 4}, ink.stroke);
    p.fill(Rect{8, 4, 12, 9}, ink.stroke);
    p.fill(Rect{4, 9, 16, 12}, ink.stroke);
    p.verticalStroke(9, 12, 19, 2, ink.stroke);
}

void drawMinimise(ScaledPicture& p, const Ink& ink) {
    p.horizontalStroke(4, 16, 14, 2, ink.stroke);
}

void drawRestore(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{7, 3, 17, 13}, ink.stroke);
    window(p, Rect{3, 7, 13, 17}, ink.stroke);
}

void drawMaximise(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{3, 3, 17, 17}, ink.stroke);
}

void drawSleep(ScaledPicture& p, const Ink& ink) {
    p.paintWhere(
        [](double x, double y) {
            return std::hypot(x - 9.0, y - 11.0) <= 7.5 && std::hypot(x - 13.0, y - 7.5) > 6.2;
        },
        ink.stroke);
    // A small "z" in the bite of the moon.
    p.horizontalStroke(14, 19, 1, 1, ink.stroke);
    p.line(Point{17, 2}, Point{15, 4}, 1, ink.stroke);
    p.horizontalStroke(14, 19, 5, 1, ink.stroke);
}

// ---- group glyphs, 20 x 20 -------------------------------------------------------------------

void drawSingleWindowMark(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{9, 5, 19, 15}, ink.stroke);
}

void drawStackedWindowsMark(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{12, 3, 19, 10}, ink.soft);
    window(p, Rect{9, 8, 17, 16}, ink.stroke);
}

void drawBackArrow(ScaledPicture& p, const Ink& ink) {
    triangle(p, {0.5, 10.0}, {7.0, 3.5}, {7.0, 16.5}, ink.stroke);
}

void drawShowGroupOnly(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{4, 1, 16, 12}, ink.stroke);
    p.horizontalStroke(2, 9, 15, 2, ink.soft);
    p.horizontalStroke(11, 18, 15, 2, ink.soft);
}

void drawBringGroupToFront(ScaledPicture& p, const Ink& ink) {
    window(p, Rect{8, 1, 19, 11}, ink.soft);
    window(p, Rect{1, 6, 12, 17}, ink.stroke);
    triangle(p, {13.0, 16.0}, {19.0, 16.0}, {16.0, 12.5}, ink.stroke);
    p.verticalStroke(15, 15, 19, 2, ink.stroke); // reaching into the head, as the undo arrow's
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

Bitmap drawGlyph(Glyph glyph, PictureSet set, int dpi) {
    const Ink& ink = set == PictureSet::LightBackground ? kInkForLightBackground : kInkForDarkBackground;
    ScaledPicture p(glyphSize(glyph), kPictureTransparent, dpi);
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
        return mirrored(p.bitmap());
    }
    return std::move(p).take();
}

} // namespace cellaro
