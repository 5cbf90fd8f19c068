// Painting through GDI: rectangles, gradients, rounded rectangles, lines, text and pictures.
#include "platform/win32/win32_gdi_canvas.h"

#include "pixels/bitmap.h"
#include "platform/win32/win32_text.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace cellaro::win32 {

namespace {

// The longest face name the system keeps (LF_FACESIZE counts the terminating NUL).
constexpr std::size_t kMaxFaceLength = LF_FACESIZE - 1;
// Black and white as the colour and mask passes of a transparent blit need them.
constexpr Colour kBlack = Colour::rgb(0, 0, 0);
constexpr Colour kWhite = Colour::rgb(0xFF, 0xFF, 0xFF);

// Fills a device rectangle with one colour without creating a brush: an opaque empty text output
// paints its rectangle in the background colour.
void fillDeviceRect(HDC dc, const RECT& area, COLORREF colour) {
    const COLORREF previous = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

std::uint8_t blend(std::uint8_t from, std::uint8_t to, int step, int steps) {
    if (steps <= 1) {
        return from;
    }
    const int value = from + (to - from) * step / (steps - 1);
    return static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF));
}

bool hasLineBreak(std::wstring_view text) {
    return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

// Text colour, background mode and font for one text call, put back afterwards.
class TextState {
public:
    TextState(HDC dc, HFONT font, COLORREF colour)
        : dc_(dc), font_(dc, font), previousColour_(::SetTextColor(dc, colour)),
          previousMode_(::SetBkMode(dc, TRANSPARENT)) {}
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;
    TextState(TextState&&) = delete;
    TextState& operator=(TextState&&) = delete;
    ~TextState() {
        ::SetBkMode(dc_, previousMode_);
        ::SetTextColor(dc_, previousColour_);
    }

private:
    HDC dc_;
    ScopedSelection font_;
    COLORREF previousColour_;
    int previousMode_;
};

} // namespace

HFONT GdiFontCache::font(const Font& wanted) {
    for (const auto& [font, handle] : fonts_) {
        if (font == wanted) {
            return static_cast<HFONT>(handle.get());
        }
    }
    std::wstring face = toWide(wanted.face);
    if (face.size() > kMaxFaceLength) {
        face.resize(kMaxFaceLength);
    }
    // A negative height asks for the character height rather than the cell height.
    const HFONT created = ::CreateFontW(-std::abs(wanted.height), 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL,
                                        wanted.italic ? TRUE : FALSE, wanted.underline ? TRUE : FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (created == nullptr) {
        return nullptr;
    }
    fonts_.emplace_back(wanted, ScopedGdiObject(created));
    return created;
}

DibPixels toDib(const Bitmap& picture) {
    DibPixels dib;
    const int width = picture.width();
    const int height = picture.height();
    dib.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    dib.info.bmiHeader.biWidth = width;
    dib.info.bmiHeader.biHeight = -height; // rows from the top, as the picture keeps them
    dib.info.bmiHeader.biPlanes = 1;
    dib.info.bmiHeader.biBitCount = 24;
    dib.info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3U + 3U) & ~std::size_t{3U};
    dib.bytes.assign(stride * static_cast<std::size_t>(height), 0);
    const auto& pixels = picture.pixels();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = dib.bytes.data() + static_cast<std::size_t>(y) * stride;
        const std::uint32_t* in =
            pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x, out += 3) {
            const Colour colour{in[x]};
            out[0] = colour.blue();
            out[1] = colour.green();
            out[2] = colour.red();
        }
    }
    return dib;
}

GdiCanvas::GdiCanvas(HDC dc, GdiFontCache& fonts) : dc_(dc), fonts_(fonts) {}

GdiCanvas::~GdiCanvas() {
    if (!savedStates_.empty()) {
        ::RestoreDC(dc_, savedStates_.front());
    }
}

RECT GdiCanvas::toDevice(const Rect& area) const {
    return RECT{area.left + origin_.x, area.top + origin_.y, area.right + origin_.x, area.bottom + origin_.y};
}

void GdiCanvas::pushClip(const Rect& area) {
    const int level = ::SaveDC(dc_);
    if (level == 0) {
        return;
    }
    savedStates_.push_back(level);
    const RECT device = toDevice(area);
    ::IntersectClipRect(dc_, device.left, device.top, device.right, device.bottom);
}

void GdiCanvas::popClip() {
    if (savedStates_.empty()) {
        return;
    }
    ::RestoreDC(dc_, savedStates_.back());
    savedStates_.pop_back();
}

void GdiCanvas::fillRect(const Rect& area, Colour colour) {
    if (!area.empty()) {
        fillDeviceRect(dc_, toDevice(area), toColorRef(colour));
    }
}

void GdiCanvas::gradient(const Rect& area, Colour from, Colour to, bool vertical) {
    if (area.empty()) {
        return;
    }
    // One-pixel bands give the same steps everywhere and need no extra system library.
    const RECT device = toDevice(area);
    const int steps = vertical ? area.height() : area.width();
    for (int step = 0; step < steps; ++step) {
        const Colour colour = Colour::rgb(blend(from.red(), to.red(), step, steps),
                                          blend(from.green(), to.green(), step, steps),
                                          blend(from.blue(), to.blue(), step, steps));
        RECT band = device;
        if (vertical) {
            band.top = device.top + step;
            band.bottom = band.top + 1;
        } else {
            band.left = device.left + step;
            band.right = band.left + 1;
        }
        fillDeviceRect(dc_, band, toColorRef(colour));
    }
}

void GdiCanvas::roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                          std::optional<Colour> brush) {
    if (area.empty()) {
        return;
    }
    const ScopedGdiObject penHandle(::CreatePen(PS_SOLID, 1, toColorRef(pen)));
    ScopedGdiObject brushHandle;
    if (brush) {
        brushHandle.reset(::CreateSolidBrush(toColorRef(*brush)));
    }
    const ScopedSelection penSelection(dc_, penHandle.get());
    const ScopedSelection brushSelection(dc_, brush ? brushHandle.get() : ::GetStockObject(NULL_BRUSH));
    const RECT device = toDevice(area);
    ::RoundRect(dc_, device.left, device.top, device.right, device.bottom, cornerWidth, cornerHeight);
}

void GdiCanvas::line(Point from, Point to, int penWidth, Colour colour) {
    const POINT start{from.x + origin_.x, from.y + origin_.y};
    const POINT end{to.x + origin_.x, to.y + origin_.y};
    const COLORREF colourRef = toColorRef(colour);
    if (penWidth <= 1) {
        const ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, colourRef));
        const ScopedSelection selection(dc_, pen.get());
        ::MoveToEx(dc_, start.x, start.y, nullptr);
        ::LineTo(dc_, end.x, end.y);
        ::SetPixelV(dc_, end.x, end.y, colourRef); // the system leaves the last pixel out
        return;
    }
    if (start.x == end.x && start.y == end.y) {
        // A geometric pen draws nothing for a line without length: paint its square end instead.
        const int half = penWidth / 2;
        const RECT dot{start.x - half, start.y - half, start.x - half + penWidth, start.y - half + penWidth};
        fillDeviceRect(dc_, dot, colourRef);
        return;
    }
    LOGBRUSH brush{};
    brush.lbStyle = BS_SOLID;
    brush.lbColor = colourRef;
    const ScopedGdiObject pen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                                             static_cast<DWORD>(penWidth), &brush, 0, nullptr));
    const ScopedSelection selection(dc_, pen.get());
    ::MoveToEx(dc_, start.x, start.y, nullptr);
    ::LineTo(dc_, end.x, end.y);
}

void GdiCanvas::text(const Rect& area, std::string_view utf8, const TextStyle& style) {
    if (utf8.empty() || area.empty()) {
        return;
    }
    std::wstring wide = toWide(utf8);
    const TextState state(dc_, fonts_.font(style.font), toColorRef(style.colour));

    UINT flags = DT_NOPREFIX;
    switch (style.align) {
    case TextAlign::Left:
        flags |= DT_LEFT;
        break;
    case TextAlign::Centre:
        flags |= DT_CENTER;
        break;
    case TextAlign::Right:
        flags |= DT_RIGHT;
        break;
    }
    if (style.endEllipsis) {
        flags |= DT_END_ELLIPSIS;
    }
    RECT device = toDevice(area);
    const int length = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
    if (!style.wordWrap && !hasLineBreak(wide)) {
        flags |= DT_SINGLELINE | (style.verticalCentre ? DT_VCENTER : DT_TOP);
        ::DrawTextW(dc_, wide.data(), length, &device, flags);
        return;
    }
    if (style.wordWrap) {
        flags |= DT_WORDBREAK;
    }
    if (style.verticalCentre) {
        // The system centres single lines only: measure the block and move it down by hand.
        RECT measured = device;
        const int textHeight = ::DrawTextW(dc_, wide.data(), length, &measured, flags | DT_CALCRECT);
        if (textHeight > 0 && textHeight < area.height()) {
            device.top += (area.height() - textHeight) / 2;
        }
    }
    ::DrawTextW(dc_, wide.data(), length, &device, flags);
}

Size GdiCanvas::measureText(std::string_view utf8, const Font& font) {
    if (utf8.empty()) {
        return {};
    }
    std::wstring wide = toWide(utf8);
    const int length = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
    const ScopedSelection selection(dc_, fonts_.font(font));
    if (hasLineBreak(wide)) {
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(dc_, wide.data(), length, &measured, DT_CALCRECT | DT_NOPREFIX);
        return Size{measured.right - measured.left, measured.bottom - measured.top};
    }
    SIZE extent{};
    if (::GetTextExtentPoint32W(dc_, wide.data(), length, &extent) == 0) {
        return {};
    }
    return Size{extent.cx, extent.cy};
}

void GdiCanvas::drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) {
    if (picture.empty()) {
        return;
    }
    const int x = at.x + origin_.x;
    const int y = at.y + origin_.y;
    const int width = picture.width();
    const int height = picture.height();
    if (!transparent) {
        const DibPixels dib = toDib(picture);
        ::StretchDIBits(dc_, x, y, width, height, 0, 0, width, height, dib.bytes.data(), &dib.info,
                        DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    // The classic two-pass mask: AND a mask that is black where the picture is opaque (clearing
    // those pixels and keeping the rest), then OR the picture with its transparent pixels black.
    Bitmap mask(width, height, kBlack);
    Bitmap colours = picture;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (picture.pixel(column, row) == *transparent) {
                mask.setPixel(column, row, kWhite);
                colours.setPixel(column, row, kBlack);
            }
        }
    }
    const DibPixels maskDib = toDib(mask);
    const DibPixels colourDib = toDib(colours);
    ::StretchDIBits(dc_, x, y, width, height, 0, 0, width, height, maskDib.bytes.data(), &maskDib.info,
                    DIB_RGB_COLORS, SRCAND);
    ::StretchDIBits(dc_, x, y, width, height, 0, 0, width, height, colourDib.bytes.data(), &colourDib.info,
                    DIB_RGB_COLORS, SRCPAINT);
}

void GdiCanvas::drawBitmapStretched(const Bitmap& picture, const Rect& area) {
    if (picture.empty() || area.empty()) {
        return;
    }
    const DibPixels dib = toDib(picture);
    const RECT device = toDevice(area);
    const int previousMode = ::SetStretchBltMode(dc_, HALFTONE);
    POINT previousBrushOrigin{};
    ::SetBrushOrgEx(dc_, 0, 0, &previousBrushOrigin); // HALFTONE needs it reset after the mode change
    ::StretchDIBits(dc_, device.left, device.top, area.width(), area.height(), 0, 0, picture.width(),
                    picture.height(), dib.bytes.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
    ::SetBrushOrgEx(dc_, previousBrushOrigin.x, previousBrushOrigin.y, nullptr);
    if (previousMode != 0) {
        ::SetStretchBltMode(dc_, previousMode);
    }
}

} // namespace cellaro::win32
