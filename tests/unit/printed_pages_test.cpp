// Text lines on printed pages: line heights, breaking of wide lines and the page-full rule.
#include "core/printed_pages.h"

#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace cellaro {
namespace {

// A fixed-pitch device: one unit per character, pieces 12 units tall, so a line takes 14.
constexpr int kTextHeight = 12;
constexpr int kLine = kTextHeight + 2;

TextExtent fixedPitch(std::string_view text) {
    return TextExtent{static_cast<int>(utf8::characterCount(text)), kTextHeight};
}

std::vector<PrintedPage> layOut(const std::vector<std::string>& lines, int width, int height,
                                int characterHeight = 20) {
    return layOutTextPages(lines, PrintedPageMetrics{width, height, characterHeight}, fixedPitch);
}

TEST(PrintedPages, LinesGoDownByTheTallestPiecePlusTwoAndEmptyOnesByTheCharacterHeight) {
    const std::vector<PrintedPage> pages = layOut({"one", "", "two", " "}, 80, 1000);
    const PrintedPage expected{{0, 0, "one"}, {0, kLine + 20, "two"}, {0, 2 * kLine + 20, " "}};
    ASSERT_EQ(pages.size(), 1U);
    EXPECT_EQ(pages[0], expected);
}

TEST(PrintedPages, AWideLineBreaksAfterTheLastCharacterThatFits) {
    struct Case {
        const char* name;
        std::string line;
        int width;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases{
        {"fits exactly", "abcdef", 6, {"abcdef"}},
        {"one over", "abcdefg", 6, {"abcdef", "g"}},
        {"several lines", "abcdefghijklm", 5, {"abcde", "fghij", "klm"}},
        {"never inside a character", "\xC3\xA9\xC3\xA9\xC3\xA9", 2, {"\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
        {"narrower than a character", "abc", 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        // The next line starts below the last piece.
        const std::vector<PrintedPage> pages = layOut({c.line, "z"}, c.width, 10000);
        ASSERT_EQ(pages.size(), 1U) << c.name;
        PrintedPage expected;
        for (const std::string& piece : c.pieces) {
            expected.push_back({0, static_cast<int>(expected.size()) * kLine, piece});
        }
        expected.push_back({0, static_cast<int>(expected.size()) * kLine, "z"});
        EXPECT_EQ(pages[0], expected) << c.name;
    }
}

TEST(PrintedPages, ANewPageStartsWhenTheNextLineWouldPassTwoLinesAboveTheBottom) {
    struct Case {
        int height;
        std::size_t linesPerPage;
    };
    // After a line y is 14, 28, 42, 56: a page takes lines while y stays at or above height - 28.
    for (const Case& c : {Case{60, 3}, Case{69, 3}, Case{70, 4}, Case{84, 5}}) {
        const std::vector<PrintedPage> pages = layOut({"1", "2", "3", "4", "5", "6"}, 80, c.height);
        ASSERT_GE(pages.size(), 2U) << c.height;
        ASSERT_EQ(pages[0].size(), c.linesPerPage) << c.height;
        EXPECT_EQ(pages[0].back(), (PlacedText{0, static_cast<int>(c.linesPerPage - 1) * kLine,
                                               std::to_string(c.linesPerPage)}));
        EXPECT_EQ(pages[1].front(), (PlacedText{0, 0, std::to_string(c.linesPerPage + 1)})) << c.height;
    }
}

TEST(PrintedPages, ABrokenLineCanContinueOnTheNextPage) {
    const std::vector<PrintedPage> pages = layOut({"1", "2", "abcdef"}, 3, 60);
    ASSERT_EQ(pages.size(), 2U);
    EXPECT_EQ(pages[0].back(), (PlacedText{0, 2 * kLine, "abc"}));
    EXPECT_EQ(pages[1], (PrintedPage{{0, 0, "def"}}));
}

TEST(PrintedPages, ALastLineThatFillsThePageLeavesAnEmptyPageAfterIt) {
    EXPECT_EQ(layOut({"1", "2", "3"}, 80, 60).size(), 2U);
    EXPECT_TRUE(layOut({"1", "2", "3"}, 80, 60).back().empty());
    EXPECT_EQ(layOut({}, 80, 60), std::vector<PrintedPage>(1));
}

} // namespace
} // namespace cellaro
