// The 24-bit raster picture and its BMP and PNG encodings.
#include "pixels/bitmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <utility>

namespace cellaro {

namespace {

int clampToZero(int value) {
    return std::max(value, 0);
}

} // namespace

Bitmap::Bitmap(int width, int height) : Bitmap(width, height, Colour{}) {}

Bitmap::Bitmap(int width, int height, Colour fill) {
    assign(width, height, fill);
}

void Bitmap::assign(int width, int height, Colour fill) {
    width_ = clampToZero(width);
    height_ = clampToZero(height);
    if (width_ == 0 || height_ == 0) {
        width_ = 0;
        height_ = 0;
    }
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   fill.value & 0xFFFFFFU);
}

Colour Bitmap::pixel(int x, int y) const {
    if (!inside(x, y)) {
        return Colour{};
    }
    return Colour{pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)]};
}

void Bitmap::setPixel(int x, int y, Colour colour) {
    if (inside(x, y)) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = colour.value & 0xFFFFFFU;
    }
}

void Bitmap::fill(const Rect& area, Colour colour) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, width_);
    const int bottom = std::min(area.bottom, height_);
    if (left >= right) {
        return; // wholly left or right of the picture
    }
    const std::uint32_t value = colour.value & 0xFFFFFFU;
    for (int y = top; y < bottom; ++y) {
        auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        std::fill(row + left, row + right, value);
    }
}

void Bitmap::veil(const Rect& area, Colour colour, int throughPercent) {
    constexpr int kWhole = 100;
    const int through = std::clamp(throughPercent, 0, kWhole);
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, width_);
    const int bottom = std::min(area.bottom, height_);
    const auto mix = [through](int picture, int veil) {
        return static_cast<std::uint8_t>((picture * through + veil * (kWhole - through) + kWhole / 2) /
                                         kWhole);
    };
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Colour below = pixel(x, y);
            setPixel(x, y,
                     Colour::rgb(mix(below.red(), colour.red()), mix(below.green(), colour.green()),
                                 mix(below.blue(), colour.blue())));
        }
    }
}

void Bitmap::roundRect(const Rect& area, int cornerWidth, int cornerHeight, Colour pen, Colour brush) {
    const int w = area.width();
    const int h = area.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // The shape, row by row, as the first and last column it covers (relative to the area). The
    // corners follow the quarter ellipses: a pixel belongs when its centre lies inside.
    const double rx = std::min(std::max(cornerWidth, 0), w) / 2.0;
    const double ry = std::min(std::max(cornerHeight, 0), h) / 2.0;
    std::vector<int> first(static_cast<std::size_t>(h), 0);
    for (int j = 0; j < h; ++j) {
        const double yc = j + 0.5;
        double dy = 0.0;
        if (yc < ry) {
            dy = ry - yc;
        } else if (yc > h - ry) {
            dy = yc - (h - ry);
        }
        int inset = 0;
        if (dy > 0.0 && ry > 0.0 && rx > 0.0) {
            const double ratio = std::min(dy / ry, 1.0);
            const double dx = rx * std::sqrt(1.0 - ratio * ratio);
            inset = static_cast<int>(std::ceil(rx - dx - 0.5));
        }
        first[static_cast<std::size_t>(j)] = std::clamp(inset, 0, (w - 1) / 2);
    }
    const auto inShape = [&](int i, int j) {
        if (j < 0 || j >= h) {
            return false;
        }
        const int lo = first[static_cast<std::size_t>(j)];
        return i >= lo && i <= w - 1 - lo;
    };
    for (int j = 0; j < h; ++j) {
        const int lo = first[static_cast<std::size_t>(j)];
        for (int i = lo; i <= w - 1 - lo; ++i) {
            // A pixel with a 4-neighbour outside the shape is on the outline, which therefore
            // closes the inside against a 4-connected fill.
            const bool edge =
                !inShape(i - 1, j) || !inShape(i + 1, j) || !inShape(i, j - 1) || !inShape(i, j + 1);
            setPixel(area.left + i, area.top + j, edge ? pen : brush);
        }
    }
}

void Bitmap::floodFill(int x, int y, Colour colour) {
    if (!inside(x, y)) {
        return;
    }
    const std::uint32_t target = pixel(x, y).value;
    const std::uint32_t replacement = colour.value & 0xFFFFFFU;
    if (target == replacement) {
        return;
    }
    // Scanline fill with an explicit stack: no recursion, whatever the size of the area.
    std::vector<std::pair<int, int>> stack;
    stack.emplace_back(x, y);
    const auto at = [this](int px, int py) -> std::uint32_t& {
        return pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(px)];
    };
    while (!stack.empty()) {
        auto [sx, sy] = stack.back();
        stack.pop_back();
        if (at(sx, sy) != target) {
            continue;
        }
        int left = sx;
        while (left > 0 && at(left - 1, sy) == target) {
            --left;
        }
        int right = sx;
        while (right + 1 < width_ && at(right + 1, sy) == target) {
            ++right;
        }
        for (int px = left; px <= right; ++px) {
            at(px, sy) = replacement;
        }
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height_) {
                continue;
            }
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool matches = at(px, ny) == target;
                if (matches && !inRun) {
                    stack.emplace_back(px, ny);
                }
                inRun = matches;
            }
        }
    }
}

void Bitmap::line(Point from, Point to, int penWidth, Colour colour) {
    const int pen = std::max(penWidth, 1);
    const int before = (pen - 1) / 2;
    const auto stamp = [&](int cx, int cy) {
        fill(Rect{cx - before, cy - before, cx - before + pen, cy - before + pen}, colour);
    };
    int x = from.x;
    int y = from.y;
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    while (true) {
        stamp(x, y);
        if (x == to.x && y == to.y) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Bitmap::blit(const Bitmap& source, int x, int y) {
    for (int j = 0; j < source.height(); ++j) {
        for (int i = 0; i < source.width(); ++i) {
            setPixel(x + i, y + j, source.pixel(i, j));
        }
    }
}

bool Bitmap::stretch(int newWidth, int newHeight) {
    if (newWidth <= 0 || newHeight <= 0) {
        return false;
    }
    Bitmap result(newWidth, newHeight);
    if (!empty()) {
        for (int j = 0; j < newHeight; ++j) {
            const int sy = static_cast<int>(static_cast<long long>(j) * height_ / newHeight);
            for (int i = 0; i < newWidth; ++i) {
                const int sx = static_cast<int>(static_cast<long long>(i) * width_ / newWidth);
                result.setPixel(i, j, pixel(sx, sy));
            }
        }
    }
    *this = std::move(result);
    return true;
}

namespace {

void putLittle16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>((value >> 8U) & 0xFFU));
}

void putLittle32(std::string& out, std::uint32_t value) {
    putLittle16(out, value & 0xFFFFU);
    putLittle16(out, value >> 16U);
}

void putBig32(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>((value >> 24U) & 0xFFU));
    out.push_back(static_cast<char>((value >> 16U) & 0xFFU));
    out.push_back(static_cast<char>((value >> 8U) & 0xFFU));
    out.push_back(static_cast<char>(value & 0xFFU));
}

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
        }
        table.at(n) = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char ch : bytes) {
        c = kCrcTable.at((c ^ static_cast<std::uint8_t>(ch)) & 0xFFU) ^ (c >> 8U);
    }
    return c ^ 0xFFFFFFFFU;
}

void putChunk(std::string& out, std::string_view type, const std::string& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type);
    body += data;
    out += body;
    putBig32(out, crc32(body));
}

} // namespace

std::string encodeBmp(const Bitmap& bitmap) {
    const auto width = static_cast<std::uint32_t>(bitmap.width());
    const auto height = static_cast<std::uint32_t>(bitmap.height());
    const std::uint32_t stride = (width * 3U + 3U) & ~3U;
    const std::uint32_t imageSize = stride * height;
    std::string out;
    out.reserve(54 + imageSize);
    out += "BM";
    putLittle32(out, 54 + imageSize);
    putLittle32(out, 0);
    putLittle32(out, 54);
    putLittle32(out, 40);
    putLittle32(out, width);
    putLittle32(out, height);
    putLittle16(out, 1);
    putLittle16(out, 24);
    putLittle32(out, 0);
    putLittle32(out, imageSize);
    putLittle32(out, 2835);
    putLittle32(out, 2835);
    putLittle32(out, 0);
    putLittle32(out, 0);
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const Colour c = bitmap.pixel(x, y);
            out.push_back(static_cast<char>(c.blue()));
            out.push_back(static_cast<char>(c.green()));
            out.push_back(static_cast<char>(c.red()));
        }
        out.append(stride - width * 3U, '\0');
    }
    return out;
}

std::string encodePng(const Bitmap& bitmap) {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(bitmap.height()) *
                (1 + static_cast<std::size_t>(bitmap.width()) * 3));
    for (int y = 0; y < bitmap.height(); ++y) {
        raw.push_back('\0'); // no filter
        for (int x = 0; x < bitmap.width(); ++x) {
            const Colour c = bitmap.pixel(x, y);
            raw.push_back(static_cast<char>(c.red()));
            raw.push_back(static_cast<char>(c.green()));
            raw.push_back(static_cast<char>(c.blue()));
        }
    }
    // zlib stream of stored blocks.
    std::string zlib("\x78\x01", 2);
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        zlib.push_back(last ? '\x01' : '\x00');
        putLittle16(zlib, static_cast<std::uint32_t>(length));
        putLittle16(zlib, static_cast<std::uint32_t>(~length & 0xFFFFU));
        zlib.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char ch : raw) {
        a = (a + static_cast<std::uint8_t>(ch)) % 65521U;
        b = (b + a) % 65521U;
    }
    putBig32(zlib, (b << 16U) | a);

    std::string header;
    putBig32(header, static_cast<std::uint32_t>(bitmap.width()));
    putBig32(header, static_cast<std::uint32_t>(bitmap.height()));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace

    std::string out("\x89PNG\r\n\x1a\n", 8);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlib);
    putChunk(out, "IEND", std::string());
    return out;
}

} // namespace cellaro
