#include "exact/FreedmanRatio.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The root of Freedman's count from R 4 (uniroot, tol = 1e-14):
//   f <- function(h) n * (2 - S - S^h) - ((1 + h) / (1 - h))^2 *
//          (qnorm(1 - alpha / tails) + qnorm(power))^2
TEST(FreedmanRatio, MatchesTheRootInR)
{
    const struct
    {
        double survival, nPerGroup, power, alpha;
        bool twoTailed;
        double expected;
    } cases[] = {
        {0.7, 100, 0.8, 0.05, true, 0.403227966851},
        {0.7, 100, 0.99, 0.05, true, 0.164569959809},
        {0.4, 40, 0.9, 0.01, true, 0.172231380017},
        {0.9, 500, 0.8, 0.05, false, 0.562287312668},
    };
    for (const auto& c : cases) {
        const double h =
            FreedmanHazardRatio(c.survival, c.nPerGroup, c.power, {c.alpha, c.twoTailed});
        EXPECT_NEAR(h, c.expected, 1e-11) << c.survival << " " << c.nPerGroup;
    }
}

TEST(FreedmanRatio, FailsWhenEvenTheSmallestRatioNeedsMoreEvents)
{
    // One subject per group with half the controls surviving: h near 0 needs
    // 2.8^2 / 0.5 = 15.7 subjects per group.
    EXPECT_TRUE(std::isnan(FreedmanHazardRatio(0.5, 1, 0.8, {0.05, true})));
    EXPECT_TRUE(std::isnan(FreedmanHazardRatio(0.5, 100, 0.04, {0.05, true})));
    EXPECT_TRUE(std::isnan(FreedmanHazardRatio(1, 100, 0.8, {0.05, true})));
    const double h = FreedmanHazardRatio(0.5, 1e6, 0.8, {0.05, true});
    EXPECT_GT(h, 0.99);
    EXPECT_LT(h, 1);
}

// One-tailed, a power a hair above the level leaves z of the tail plus z of the power near
// 0: the events needed stay below those expected up to the largest ratio searched, where the
// ratio saturates instead of failing.
TEST(FreedmanRatio, SaturatesJustAboveTheLevel)
{
    const double largest = 1 - std::ldexp(1.0, -40);
    const struct
    {
        double survival, nPerGroup, power;
    } cases[] = {{0.5, 1000, 0.05 + 1e-13}, {0.9, 100, 0.05 + 1e-14}, {0.2, 10, 0.05 + 1e-14}};
    for (const auto& c : cases)
        EXPECT_EQ(FreedmanHazardRatio(c.survival, c.nPerGroup, c.power, {0.05, false}), largest)
            << c.survival;
    // At the level itself nothing is detected; a little above it the ratio is below 1.
    EXPECT_TRUE(std::isnan(FreedmanHazardRatio(0.5, 1000, 0.05, {0.05, false})));
    EXPECT_LT(FreedmanHazardRatio(0.5, 1000, 0.5, {0.05, false}), 0.99);
}

} // namespace
