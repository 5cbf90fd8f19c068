// Text lines laid out on printed pages, as a printer draws a plain text document: line after line
// from the top left corner of the printable area, lines too wide for the page broken onto the
// next line, a new page when the page is full. Pure: the device's text measure comes in as a
// callback, so the printer adapters and the tests share the one rule.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

// In device units.
struct TextExtent {
    int width = 0;
    int height = 0;
};

// The printable area of a page and the font's character height, in device units.
struct PrintedPageMetrics {
    int width = 0;
    int height = 0;
    int characterHeight = 0;
};

// One piece of text drawn at a position of its page.
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

using PrintedPage = std::vector<PlacedText>;
using TextMeasure = std::function<TextExtent(std::string_view text)>;

// The pages of the document, in order; the first page is always there, even for no lines.
// - Each line is drawn at the writing position and then ended. A line wider than the page is broken
//   after the last character that fits (one character at least, so a page narrower than a
//   character still makes progress) and the rest continues at the start of the next line.
// - Ending a line returns x to 0 and advances y by the line height: the tallest piece drawn on the
//   line plus 2, or the character height when nothing was drawn (an empty line). When the new y
//   is greater than the page height minus twice that line height, a new page starts at the top.
//   The new page is started at once, so a document whose last line fills its page ends with an
//   empty page, as the printer would feed it.
[[nodiscard]] std::vector<PrintedPage> layOutTextPages(const std::vector<std::string>& lines,
                                                       const PrintedPageMetrics& page,
                                                       const TextMeasure& measure);

} // namespace cellaro
