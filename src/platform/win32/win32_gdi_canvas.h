// The canvas over a GDI device context, and the cache of the fonts it draws text with.
#pragma once

#include "pixels/canvas.h"
#include "platform/win32/win32_handles.h"

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace cellaro::win32 {

// Fonts created on first use and kept until the cache goes, so a repaint does not create them again.
class GdiFontCache {
public:
    GdiFontCache() = default;
    GdiFontCache(const GdiFontCache&) = delete;
    GdiFontCache& operator=(const GdiFontCache&) = delete;
    GdiFontCache(GdiFontCache&&) = delete;
    GdiFontCache& operator=(GdiFontCache&&) = delete;
    ~GdiFontCache() = default; // the scoped handles delete the fonts

    // The font, created now if needed; null only when the system refuses to create it.
    HFONT font(const Font& font);

private:
    // A form uses a handful of fonts: a linear search beats a map here.
    std::vector<std::pair<Font, ScopedGdiObject>> fonts_;
};

// Draws on a device context it does not own. The origin is applied by offsetting every coordinate;
// clips are kept with SaveDC / RestoreDC, and whatever is still pushed when the canvas goes is
// popped, so the context is handed back as it came.
class GdiCanvas final : public Canvas {
public:
    GdiCanvas(HDC dc, GdiFontCache& fonts);
    ~GdiCanvas() override;

    void setOrigin(Point origin) override { origin_ = origin; }
    [[nodiscard]] Point origin() const override { return origin_; }
    void pushClip(const Rect& area) override;
    void popClip() override;

    void fillRect(const Rect& area, Colour colour) override;
    void gradient(const Rect& area, Colour from, Colour to, bool vertical) override;
    void roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen,
                   std::optional<Colour> brush) override;
    void line(Point from, Point to, int penWidth, Colour colour) override;
    void text(const Rect& area, std::string_view utf8, const TextStyle& style) override;
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override;
    void drawBitmap(const Bitmap& picture, Point at, std::optional<Colour> transparent) override;
    void drawBitmapStretched(const Bitmap& picture, const Rect& area) override;

private:
    [[nodiscard]] RECT toDevice(const Rect& area) const;

    HDC dc_;
    GdiFontCache& fonts_;
    Point origin_;
    // SaveDC levels, one per pushed clip.
    std::vector<int> savedStates_;
};

// A picture as a top-down 24-bit DIB: blue, green, red per pixel, each row padded to four bytes.
struct DibPixels {
    BITMAPINFO info{};
    std::vector<std::uint8_t> bytes;
};
[[nodiscard]] DibPixels toDib(const Bitmap& picture);

// 0x00BBGGRR is already the system's COLORREF layout.
[[nodiscard]] inline COLORREF toColorRef(Colour colour) {
    return static_cast<COLORREF>(colour.value & 0x00FFFFFFU);
}

} // namespace cellaro::win32
