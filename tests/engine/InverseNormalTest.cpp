#include "engine/Distributions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(InverseNormalTest, MatchesThePublishedDeviatesToTheirPrintedDigits)
{
    struct Case
    {
        double p;
        long rounded; // result * 1e5, as printed
    };
    const Case cases[] = {
        {0.05, 195997}, {0.10, 164485}, {0.01, 257582}, {0.02, 232635}, {0.20, 128155},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::lround(InverseTwoTailedNormal(c.p) * 1e5), c.rounded) << "p = " << c.p;
}

TEST(InverseNormalTest, StopsAfterTwentyThreePassesAndReturnsTheDeviateTested)
{
    // p >= 1 (and NaN) moves u up in each pass: 22 updates give u = 1 - 2^-23 before the
    // last pass, whose own update is not used.
    const double smallest = 1 / (1 - std::ldexp(1.0, -23)) - 1;
    EXPECT_EQ(InverseTwoTailedNormal(1.0), smallest);
    EXPECT_EQ(std::lround(InverseTwoTailedNormal(1.0) * 1e9), 119);
    EXPECT_EQ(InverseTwoTailedNormal(3.0), smallest);
    EXPECT_EQ(InverseTwoTailedNormal(std::nan("")), smallest);
    // A negative p moves u down every time: u = 2^-23, z = 2^23 - 1.
    EXPECT_EQ(InverseTwoTailedNormal(-1.0), 8388607.0);
}

TEST(InverseNormalTest, StaysWithinTheApproximationErrorOfTheExactTail)
{
    // With the cut coefficients the approximation is within 3.2e-7 of the two-tailed tail
    // (3.11e-7 at its worst, near z = 1.37). The bisection ends within 2^-23 of u = 1/(1+z),
    // that is within 2^-23 (1+z)^2 of z, and moves the tail by at most that times the
    // density 2 phi(z).
    const double pi = 3.14159265358979323846;
    for (double p = 0.001; p < 1; p += 0.00713) {
        const double z = InverseTwoTailedNormal(p);
        const double density = 2 * std::exp(-z * z / 2) / std::sqrt(2 * pi);
        const double bisection = std::ldexp(1.0, -23) * (1 + z) * (1 + z) * density;
        EXPECT_NEAR(std::erfc(z / std::sqrt(2.0)), p, 3.2e-7 + 1.05 * bisection) << "p = " << p;
    }
}

} // namespace
