// The core helpers: walking UTF-8 text by characters, and monitor look-ups.
#include "core/monitors.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

TEST(Utf8, CountsAndCutsWholeCharactersAndBrokenBytesOneByOne) {
    struct Case {
        std::string text;
        std::size_t characters;
        std::string firstTwo;
    };
    const std::vector<Case> cases{
        {"", 0, ""},
        {"abc", 3, "ab"},
        {"\xC3\xA9t\xC3\xA9", 3, "\xC3\xA9t"},                                // é t é
        {"\xE2\x82\xAC\xF0\x9F\x98\x80!", 3, "\xE2\x82\xAC\xF0\x9F\x98\x80"}, // € 😀 !
        {"\x80\x80x", 3, "\x80\x80"},                                         // stray continuation bytes
        {"\xE2\x82", 2, "\xE2\x82"},                                          // a sequence cut short
        {"\xC3(", 2, "\xC3("},       // a lead byte without its follower
        {"\xC0\xAF", 2, "\xC0\xAF"}, // an overlong lead starts nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8::characterCount(c.text), c.characters) << c.text;
        EXPECT_EQ(utf8::firstCharacters(c.text, 2), c.firstTwo) << c.text;
        const auto starts = utf8::characterStarts(c.text);
        ASSERT_EQ(starts.size(), c.characters + 1) << c.text;
        EXPECT_EQ(starts.back(), c.text.size());
    }
    EXPECT_EQ(utf8::firstCharacters("abc", 10), "abc");
}

TEST(Monitors, LookUpsFallBackToTheFirstOrAnEmptyMonitor) {
    Monitor left;
    left.bounds = Rect::fromBounds(-1280, 0, 1280, 1024);
    Monitor main;
    main.bounds = Rect::fromBounds(0, 0, 1920, 1080);
    main.primary = true;
    const std::vector<Monitor> monitors{left, main};
    EXPECT_EQ(monitorAt(monitors, 1), main);
    EXPECT_EQ(monitorAt(monitors, 2), left);
    EXPECT_EQ(monitorAt(monitors, -1), left);
    EXPECT_EQ(monitorAt({}, 0), Monitor{});
    EXPECT_EQ(primaryMonitor(monitors), main);
    EXPECT_EQ(primaryMonitor(std::vector<Monitor>{left}), left);
    EXPECT_EQ(primaryMonitor({}), Monitor{});
    // A window centred on the left monitor, one across the seam, and one left of everything.
    EXPECT_EQ(monitorIndexOfWindow(Rect::fromBounds(-900, 10, 400, 300), monitors), 0);
    EXPECT_EQ(monitorIndexOfWindow(Rect::fromBounds(-300, 10, 800, 300), monitors), 1);
    EXPECT_EQ(monitorIndexOfWindow(Rect::fromBounds(-5000, 10, 400, 300), monitors), 0);
}

} // namespace
} // namespace cellaro
