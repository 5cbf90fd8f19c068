// The share addresses and the version text: percent-encoding, filling the fields, joining numbers.
#include "logic/share_links.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

TEST(ShareLinks, PercentEncodingKeepsOnlyTheUnreservedBytes) {
    struct Case {
        std::string text;
        std::string encoded;
    };
    for (const Case& c :
         {Case{"", ""}, Case{"AZaz09-._~", "AZaz09-._~"}, Case{"a b", "a%20b"},
          Case{"https://x.example/?a=1&b=2#c", "https%3A%2F%2Fx.example%2F%3Fa%3D1%26b%3D2%23c"},
          Case{"100%+", "100%25%2B"}, Case{"\xC5\xA1\xE2\x82\xAC", "%C5%A1%E2%82%AC"},
          Case{std::string("\0\x7F", 2), "%00%7F"}}) {
        EXPECT_EQ(percentEncode(c.text), c.encoded) << c.text;
    }
}

TEST(ShareLinks, FieldsAreFilledWhereverAndHoweverOftenTheyStand) {
    struct Case {
        std::string pattern;
        std::string filled;
    };
    for (const Case& c : {Case{"https://s.example/", "https://s.example/"}, Case{"{text}", "a%20b"},
                          Case{"?t={text}&u={url}&again={text}", "?t=a%20b&u=u%2F1&again=a%20b"},
                          Case{"{url}{text}", "u%2F1a%20b"}, Case{"{txt}{url", "{txt}{url"}}) {
        EXPECT_EQ(fillShareAddress(c.pattern, "a b", "u/1"), c.filled) << c.pattern;
    }
}

TEST(FileVersionText, FourDecimalNumbersJoinedByDots) {
    EXPECT_EQ((FileVersion{{2, 0, 1, 189}}.text()), "2.0.1.189");
    EXPECT_EQ((FileVersion{{0, 0, 0, 0}}.text()), "0.0.0.0");
    EXPECT_EQ((FileVersion{{65535, 65535, 65535, 65535}}.text()), "65535.65535.65535.65535");
}

} // namespace
} // namespace cellaro
