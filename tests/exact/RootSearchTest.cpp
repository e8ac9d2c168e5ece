#include "exact/RootSearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// A rising function that cannot be evaluated (NaN) on most of the bracket below its root,
// as a distribution's series that gives up: the search must read NaN as "still below".
double nanBelow(double x)
{
    if (x == 0)
        return -1;
    return x < 0.69 ? NaN : std::pow(x, 3) - 0.343;
}

TEST(RootSearch, NaNInsideTheBracketCountsAsBelowTheRoot)
{
    EXPECT_NEAR(SolveRising(nanBelow, 0, 1), 0.7, 1e-12);
    EXPECT_NEAR(SolveRisingUpward(nanBelow, 0, 1, 10), 0.7, 1e-12);
    // The near search decides its bracket outside the NaN region only.
    EXPECT_TRUE(std::isnan(SolveRisingNear(nanBelow, 0, 0.9, 0.25, 10)));
}

TEST(RootSearch, NearSearchFindsTheRootFromEitherSide)
{
    const auto cube = [](double x) { return x * x * x - 8; };
    const struct
    {
        double guess;
        double limit;
        double expected;
    } cases[] = {
        {2, 100, 2},   {1.9, 100, 2}, {2.1, 100, 2},   {0.01, 100, 2},
        {90, 100, 2},  {1e-9, 3, 2},  {1.5, 1.9, NaN}, // the root lies beyond the limit
        {100, 100, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.guess);
        const double root = SolveRisingNear(cube, 0, c.guess, c.guess / 32, c.limit);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(root));
        else
            EXPECT_NEAR(root, c.expected, 1e-12);
    }
    // No root above lo, a guess outside (lo, limit], no step, and NaN where the bracket is
    // decided.
    EXPECT_TRUE(std::isnan(SolveRisingNear(cube, 0, 1, 0, 10)));
    EXPECT_TRUE(std::isnan(SolveRisingNear([](double x) { return x + 1; }, 0, 1, 0.1, 10)));
    EXPECT_TRUE(std::isnan(SolveRisingNear(cube, 0, 0, 0.1, 10)));
    EXPECT_TRUE(std::isnan(SolveRisingNear(cube, 0, 20, 0.1, 10)));
    EXPECT_TRUE(std::isnan(SolveRisingNear([](double) { return NaN; }, 0, 1, 0.1, 10)));
}

} // namespace
