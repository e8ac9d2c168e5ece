#include "exact/CProportionPower.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// References from R 4, by full enumeration of both binomial outcomes:
//   pzpow <- function(n1, p1, n2, p2, a, tails) { c <- qnorm(1 - a / tails)
//     x1 <- rep(0:n1, times = n2 + 1); x2 <- rep(0:n2, each = n1 + 1)
//     pb <- (x1 + x2) / (n1 + n2); s <- pb * (1 - pb) * (1 / n1 + 1 / n2)
//     z <- ifelse(s > 0, (x2 / n2 - x1 / n1) / sqrt(pmax(s, 1e-300)), 0)
//     rej <- if (tails == 2) s > 0 & abs(z) > c else s > 0 & z > c
//     sum(dbinom(x1, n1, p1) * dbinom(x2, n2, p2) * rej) }
TEST(CProportionPower, PowerMatchesTheEnumerationInR)
{
    const struct
    {
        int n1;
        double p1;
        int n2;
        double p2, alpha;
        int tails;
        double expected;
    } cases[] = {
        {10, 0.2, 10, 0.7, 0.05, 2, 0.621631980426072},
        {40, 0.1, 40, 0.3, 0.05, 2, 0.632254462220237},
        {25, 0.5, 30, 0.75, 0.05, 1, 0.604347010547315},
        {200, 0.3, 150, 0.4, 0.01, 2, 0.268361241585973},
        {3, 0.1, 5, 0.9, 0.10, 2, 0.86625766},
    };
    for (const auto& c : cases) {
        const CProportionPower test(c.n1, c.n2, {c.alpha, c.tails == 2});
        EXPECT_NEAR(test.Power(c.p1, c.p2), c.expected, 1e-12) << c.n1 << " " << c.n2;
    }
}

TEST(CProportionPower, SecondProportionMatchesRAndMirrorsForLower)
{
    // uniroot(function(q) pzpow(n, p, n, q, a, tails) - power, c(p + 1e-9, 1 - 1e-12),
    //         tol = 1e-13)
    const struct
    {
        int n;
        double p, power, alpha;
        int tails;
        double expected;
    } cases[] = {
        {40, 0.1, 0.8, 0.05, 2, 0.352438632937253},
        {20, 0.5, 0.9, 0.05, 1, 0.896299877166181},
        {100, 0.3, 0.5, 0.01, 2, 0.47584961295887},
    };
    for (const auto& c : cases) {
        const CProportionPower test(c.n, c.n, {c.alpha, c.tails == 2});
        const double higher = test.SecondProportionFor(c.power, c.p, true);
        EXPECT_NEAR(higher, c.expected, 1e-10) << c.n << " " << c.p;
        EXPECT_NEAR(test.Power(c.p, higher), c.power, 1e-10);
        // Successes and failures swap: the decrease from 1 - p mirrors the increase from p.
        EXPECT_NEAR(test.SecondProportionFor(c.power, 1 - c.p, false), 1 - c.expected, 1e-10);
    }
}

TEST(CProportionPower, UnreachableAndDegenerateRequestsFail)
{
    // One subject per group never rejects at 5% two-tailed: the largest |z| is sqrt(2).
    const CProportionPower small(1, 1, {0.05, true});
    EXPECT_EQ(small.Power(0, 1), 0);
    EXPECT_TRUE(std::isnan(small.SecondProportionFor(0.8, 0.5, true)));
    const CProportionPower test(40, 40, {0.05, true});
    EXPECT_TRUE(std::isnan(test.SecondProportionFor(0.05, 0.2, true)));
    EXPECT_TRUE(std::isnan(test.SecondProportionFor(0.8, 0, true)));
    EXPECT_TRUE(std::isnan(test.Power(-0.1, 0.5)));
    // From P = 0.95 no higher proportion gives 80% power with 40 per group.
    EXPECT_TRUE(std::isnan(test.SecondProportionFor(0.8, 0.95, true)));
    EXPECT_FALSE(CProportionPower::SizesAllowed(2001, 10));
    EXPECT_FALSE(CProportionPower::SizesAllowed(10.5, 10));
    EXPECT_TRUE(CProportionPower::SizesAllowed(2000, 1));
}

TEST(CProportionPower, ArcsineWidthPutsTheLowProportionInTheNamedGroup)
{
    const double centre = std::asin(std::sqrt(0.4));
    for (bool twoTailed : {true, false}) {
        const CProportionPower test(30, 50, {0.05, twoTailed});
        for (bool firstLow : {true, false}) {
            const double b = test.ArcsineHalfWidthFor(0.8, centre, firstLow);
            ASSERT_GT(b, 0);
            const double low = std::pow(std::sin(centre - b), 2);
            const double high = std::pow(std::sin(centre + b), 2);
            const double power = firstLow ? test.Power(low, high) : test.Power(high, low);
            if (twoTailed || firstLow)
                EXPECT_NEAR(power, 0.8, 1e-10);
            else // one-tailed, group 1 high: the test of "group 2 higher" misses it
                EXPECT_LT(power, 0.05);
        }
    }
}

} // namespace
