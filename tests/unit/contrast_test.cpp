// The contrast rule on the colours the program meets.
#include "logic/contrast.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

TEST(Contrast, BrightnessAndDarkness) {
    struct Case {
        Colour colour;
        int brightness;
        bool dark;
    };
    for (const Case& c : {Case{Colour{2039583}, 31, true}, Case{Colour::rgb(255, 255, 255), 255, false},
                          Case{Colour::rgb(0, 0, 255), 66, true}, Case{Colour::rgb(0, 0, 0), 0, true},
                          Case{Colour{12228995}, 151, false}, Case{Colour::rgb(128, 128, 128), 128, false},
                          Case{Colour::rgb(0, 152, 0), 126, false}, Case{Colour::rgb(0, 151, 0), 126, false},
                          Case{Colour::rgb(0, 150, 0), 125, true}}) {
        EXPECT_EQ(brightness(c.colour), c.brightness) << c.colour.value;
        EXPECT_EQ(isDark(c.colour), c.dark) << c.colour.value;
    }
    EXPECT_EQ(textColourOn(Colour{2039583}), Colour::rgb(255, 255, 255));
    EXPECT_EQ(textColourOn(Colour::rgb(255, 255, 255)), Colour::rgb(0, 0, 0));
}

} // namespace
} // namespace cellaro
