// Laying text lines out on printed pages.
#include "core/printed_pages.h"

#include "core/utf8.h"

#include <algorithm>
#include <cstddef>

namespace cellaro {

namespace {

// The byte length of the longest run of whole characters from the start of the text that fits in
// the width; at least the first character. Widths grow with the text, so the search halves.
std::size_t fittingLength(std::string_view text, int width, const TextMeasure& measure) {
    const std::vector<std::size_t> starts = utf8::characterStarts(text); // ends with text.size()
    std::size_t fitting = 1;                                             // characters
    std::size_t low = 1;
    std::size_t high = starts.size() - 1;
    while (low <= high) {
        const std::size_t middle = low + (high - low) / 2;
        if (measure(text.substr(0, starts[middle])).width <= width) {
            fitting = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return starts[fitting];
}

class PageWriter {
public:
    explicit PageWriter(const PrintedPageMetrics& page) : page_(page), pages_(1) {}

    void draw(std::string_view text, const TextExtent& extent) {
        pages_.back().push_back(PlacedText{0, y_, std::string(text)});
        tallest_ = std::max(tallest_, extent.height);
        drawn_ = true;
    }

    void endLine() {
        const int lineHeight = drawn_ ? tallest_ + 2 : page_.characterHeight;
        y_ += lineHeight;
        if (y_ > page_.height - 2 * lineHeight) {
            pages_.emplace_back();
            y_ = 0;
        }
        tallest_ = 0;
        drawn_ = false;
    }

    std::vector<PrintedPage> pages() && { return std::move(pages_); }

private:
    PrintedPageMetrics page_;
    std::vector<PrintedPage> pages_;
    int y_ = 0;
    int tallest_ = 0;
    bool drawn_ = false;
};

} // namespace

std::vector<PrintedPage> layOutTextPages(const std::vector<std::string>& lines,
                                         const PrintedPageMetrics& page, const TextMeasure& measure) {
    PageWriter writer(page);
    for (const std::string& line : lines) {
        std::string_view rest = line;
        while (!rest.empty()) {
            const TextExtent whole = measure(rest);
            if (whole.width <= page.width) {
                writer.draw(rest, whole);
                break;
            }
            const std::size_t length = fittingLength(rest, page.width, measure);
            const std::string_view piece = rest.substr(0, length);
            writer.draw(piece, measure(piece));
            rest.remove_prefix(length);
            if (!rest.empty()) {
                writer.endLine();
            }
        }
        writer.endLine();
    }
    return std::move(writer).pages();
}

} // namespace cellaro
