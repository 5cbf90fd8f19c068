// The auto-hide fade: when the window closes, how it fades, and how the pointer brings it back.
#include "logic/auto_hide.h"

#include <gtest/gtest.h>

#include <vector>

namespace cellaro {
namespace {

constexpr Size kClient{335, 267};
constexpr Point kAway{-50, -50};

// Ticks with the pointer away until the fade closes the window; the alphas set on the way.
int ticksUntilClose(int counter, std::vector<int>* alphas = nullptr) {
    for (int tick = 1; tick < 1000; ++tick) {
        const FadeStep step = autoHideStep(counter, kAway, kClient, kClient.width, false);
        counter = step.counter;
        if (alphas != nullptr && step.alpha) {
            alphas->push_back(*step.alpha);
        }
        if (step.close) {
            return tick;
        }
    }
    return -1;
}

TEST(AutoHide, ClosesOnThe105thTickFrom220AndThe140thFrom255) {
    std::vector<int> alphas;
    EXPECT_EQ(ticksUntilClose(kFadeStartFromTray, &alphas), 105);
    EXPECT_EQ(ticksUntilClose(kFadeStartOther), 140);
    // 69 ticks at full strength, then 148, fading in steps of 2, then 7 below 111.
    ASSERT_GT(alphas.size(), 75U);
    for (int tick = 0; tick < 69; ++tick) {
        EXPECT_EQ(alphas[static_cast<std::size_t>(tick)], 220) << tick;
    }
    EXPECT_EQ(alphas[69], 148);
    EXPECT_EQ(alphas[70], 146);
    for (std::size_t i = 70; i < alphas.size(); ++i) {
        const int drop = alphas[i - 1] - alphas[i];
        EXPECT_TRUE(drop == 2 || drop == 7 || drop == 5) << i << ": " << alphas[i - 1] << " -> " << alphas[i];
    }
}

TEST(AutoHide, PointerBackInsideRestoresFullStrength) {
    int counter = kFadeStartFromTray;
    for (int tick = 0; tick < 90; ++tick) {
        counter = autoHideStep(counter, kAway, kClient, kClient.width, false).counter;
    }
    ASSERT_LT(counter, 150);
    const FadeStep inside = autoHideStep(counter, Point{100, 100}, kClient, kClient.width, false);
    EXPECT_TRUE(inside.pointerInside);
    EXPECT_EQ(inside.counter, 218);
    EXPECT_EQ(inside.alpha, std::optional<std::uint8_t>(220));
    EXPECT_FALSE(inside.close);
    // From 218 the fade starts over, two ticks shorter than from the tray's 220.
    EXPECT_EQ(ticksUntilClose(inside.counter), 103);
}

TEST(AutoHide, EdgesKeepTheWindowWithoutRestoringIt) {
    // On the border: not "inside" for the restore, but not away either.
    const FadeStep edge = autoHideStep(120, Point{0, 100}, kClient, kClient.width, false);
    EXPECT_TRUE(edge.pointerInside);
    EXPECT_EQ(edge.counter, 120);
    EXPECT_FALSE(edge.alpha.has_value());
    // A nearly faded window is not revived by the pointer, only kept.
    const FadeStep late = autoHideStep(9, Point{100, 100}, kClient, kClient.width, false);
    EXPECT_EQ(late.counter, 9);
    EXPECT_TRUE(late.pointerInside);
}

TEST(AutoHide, FullScreenKeepsItsOwnOpacityWhileAboveTheFade) {
    const FadeStep step = autoHideStep(200, kAway, kClient, kClient.width, true);
    EXPECT_EQ(step.counter, 199);
    EXPECT_FALSE(step.alpha.has_value());
    const FadeStep inside = autoHideStep(200, Point{10, 10}, kClient, kClient.width, true);
    EXPECT_FALSE(inside.alpha.has_value());
}

} // namespace
} // namespace cellaro
