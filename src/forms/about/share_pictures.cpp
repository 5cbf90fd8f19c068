// The share pictures: each shape is a test of a 96-DPI point, so the pictures stay smooth at every
// scale.
#include "forms/about/share_pictures.h"

#include "logic/pictures.h"

#include <algorithm>
#include <cmath>

namespace cellaro {

namespace {

constexpr Colour kTileColour = Colour::rgb(0xF4, 0x68, 0x0B);
constexpr Colour kSignColour = Colour::rgb(0xFF, 0xFF, 0xFF);
constexpr Colour kStripColour = Colour::rgb(0xFF, 0xFF, 0xFF);
constexpr double kTileInset = 2.0;
constexpr double kTileCorner = 9.0;

struct DesignPoint {
    double x;
    double y;
};

double distanceToSegment(DesignPoint p, DesignPoint a, DesignPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = (dx * dx) + (dy * dy);
    const double t =
        length == 0.0 ? 0.0 : std::clamp((((p.x - a.x) * dx) + ((p.y - a.y) * dy)) / length, 0.0, 1.0);
    return std::hypot(p.x - (a.x + (t * dx)), p.y - (a.y + (t * dy)));
}

bool insideEllipse(DesignPoint p, DesignPoint centre, double radiusX, double radiusY) {
    const double x = (p.x - centre.x) / radiusX;
    const double y = (p.y - centre.y) / radiusY;
    return (x * x) + (y * y) <= 1.0;
}

// The tile: a square with rounded corners, a little inside the picture.
bool insideTile(DesignPoint p) {
    const double low = kTileInset + kTileCorner;
    const double high = kSharePictureSize - kTileInset - kTileCorner;
    const double x = std::clamp(p.x, low, high);
    const double y = std::clamp(p.y, low, high);
    return std::hypot(p.x - x, p.y - y) <= kTileCorner;
}

// A speech bubble with its tail at the lower left.
bool insideBubble(DesignPoint p) {
    if (insideEllipse(p, {25.0, 22.0}, 15.0, 11.0)) {
        return true;
    }
    // The tail: a triangle from the bubble's lower left down to its point.
    constexpr DesignPoint a{14.0, 27.0};
    constexpr DesignPoint b{23.0, 31.0};
    constexpr DesignPoint c{12.0, 39.0};
    const auto side = [](DesignPoint from, DesignPoint to, DesignPoint q) {
        return ((to.x - from.x) * (q.y - from.y)) - ((to.y - from.y) * (q.x - from.x));
    };
    const double ab = side(a, b, p);
    const double bc = side(b, c, p);
    const double ca = side(c, a, p);
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

// Three dots, the left one linked to the two on the right.
bool insideNetwork(DesignPoint p) {
    constexpr DesignPoint left{16.0, 25.0};
    constexpr DesignPoint upper{33.0, 15.0};
    constexpr DesignPoint lower{33.0, 35.0};
    constexpr double kDot = 5.5;
    constexpr double kLink = 1.6;
    return std::hypot(p.x - left.x, p.y - left.y) <= kDot ||
           std::hypot(p.x - upper.x, p.y - upper.y) <= kDot ||
           std::hypot(p.x - lower.x, p.y - lower.y) <= kDot || distanceToSegment(p, left, upper) <= kLink ||
           distanceToSegment(p, left, lower) <= kLink;
}

// An envelope seen from the front: its body, less the two strokes of the flap.
bool insideEnvelope(DesignPoint p) {
    constexpr DesignPoint topLeft{11.0, 15.0};
    constexpr DesignPoint fold{25.0, 27.0};
    constexpr DesignPoint topRight{39.0, 15.0};
    if (p.x < topLeft.x || p.x > topRight.x || p.y < topLeft.y || p.y > 35.0) {
        return false;
    }
    constexpr double kFlapStroke = 1.3;
    return distanceToSegment(p, topLeft, fold) > kFlapStroke &&
           distanceToSegment(p, fold, topRight) > kFlapStroke;
}

} // namespace

Bitmap sharePicture(ShareSign sign, int dpi) {
    ScaledPicture picture(kSharePictureSize, kStripColour, dpi);
    picture.paintWhere([](double x, double y) { return insideTile({x, y}); }, kTileColour);
    const auto inside = [sign](double x, double y) {
        const DesignPoint p{x, y};
        switch (sign) {
        case ShareSign::Message:
            return insideBubble(p);
        case ShareSign::Network:
            return insideNetwork(p);
        case ShareSign::Mail:
            return insideEnvelope(p);
        }
        return false;
    };
    picture.paintWhere(inside, kSignColour);
    return std::move(picture).take();
}

} // namespace cellaro
