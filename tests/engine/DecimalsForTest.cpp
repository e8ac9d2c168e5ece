#include "engine/Distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct DecimalsCase
{
    double x;
    int decimals;
};

TEST(DecimalsForTest, FollowsTheSizeOfTheScale)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const DecimalsCase cases[] = {
        {5, 2},
        {1, 2},
        {0.5, 2},
        {0.05, 3},
        {0.002, 4},
        {0.000002, 7},
        {0.01, 4},
        {1e-9, 11},
        {1.5e-10, 11},
        // At or below 1e-10, including zero and negative values.
        {1e-10, 10},
        {0, 10},
        {-3, 10},
        {-inf, 10},
        {1e300, 2},
        {inf, 2},
        {nan, 10},
    };
    for (const DecimalsCase& c : cases)
        EXPECT_EQ(DecimalsFor(c.x), c.decimals) << "x = " << c.x;
}

} // namespace
