#include "exact/NoncentralF.h"
#include "exact/NoncentralT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// References from R 4 (pt and pf with ncp; uniroot(..., tol = 1e-12) for the inverse):
//   tpow <- function(ncp, df, a, tails) { c <- qt(1 - a / tails, df)
//     pt(c, df, ncp, lower.tail = FALSE) + (tails == 2) * pt(-c, df, ncp) }
//   fpow <- function(l, d1, d2, a) pf(qf(1 - a, d1, d2), d1, d2, l, lower.tail = FALSE)
struct Case
{
    double x, df1, df2, alpha;
    int tails;
    double expected;
};

TEST(NoncentralT, PowerMatchesR)
{
    const Case cases[] = {
        {2.5, 9, 0, 0.05, 2, 0.60613837420198},  {1, 1, 0, 0.05, 2, 0.072988894469894},
        {4, 29, 0, 0.01, 1, 0.931010085316485},  {0.3, 4, 0, 0.10, 2, 0.110759732531071},
        {3, 1e6, 0, 0.05, 2, 0.850838099086491},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TPower(c.x, c.df1, {c.alpha, c.tails == 2}), c.expected, 1e-10 * c.expected)
            << c.x << " " << c.df1;
}

TEST(NoncentralT, NoncentralityForPowerMatchesRAndInvertsThePower)
{
    // x is the power; expected the noncentrality from uniroot(tpow(d) - power).
    const Case cases[] = {
        {0.8, 9, 0, 0.05, 2, 3.14963288644955},    {0.99, 2, 0, 0.05, 2, 9.66503281494118},
        {0.5, 1, 0, 0.05, 2, 8.596705632893},      {0.9, 18, 0, 0.05, 1, 3.04382867428438},
        {0.2, 100, 0, 0.10, 2, 0.780459552922998}, {0.8, 999999, 0, 0.05, 2, 2.80158447756033},
    };
    for (const Case& c : cases) {
        const ExactLevel level{c.alpha, c.tails == 2};
        const double delta = TNoncentralityForPower(c.x, c.df1, level);
        EXPECT_NEAR(delta, c.expected, 1e-9 * c.expected) << c.x << " " << c.df1;
        EXPECT_NEAR(TPower(delta, c.df1, level), c.x, 1e-12);
    }
}

TEST(NoncentralT, PowersTheLevelCannotGiveHaveNoNoncentrality)
{
    const ExactLevel twoTailed{0.05, true};
    EXPECT_TRUE(std::isnan(TNoncentralityForPower(0.05, 10, twoTailed)));
    EXPECT_TRUE(std::isnan(TNoncentralityForPower(0.01, 10, twoTailed)));
    EXPECT_TRUE(std::isnan(TNoncentralityForPower(1, 10, twoTailed)));
    EXPECT_TRUE(std::isnan(TNoncentralityForPower(0.8, 0, twoTailed)));
    EXPECT_TRUE(std::isnan(TPower(1, -1, twoTailed)));
    // At noncentrality 0 the power is the level itself, in both forms.
    EXPECT_NEAR(TPower(0, 7, twoTailed), 0.05, 1e-12);
    EXPECT_NEAR(TPower(0, 7, {0.05, false}), 0.05, 1e-12);
}

// From noncentrality 1e4 on the power is P(chi-square(df) <= df (delta / t)^2); at one df that
// is erf(delta / (t sqrt 2)) with t = 1 / tan(pi alpha) one-tailed (the Cauchy quantile),
// computed by hand. Far above the critical value the power is 1, also at infinity.
TEST(NoncentralT, HugeNoncentralityGivesTheLimitWithoutThrowing)
{
    const struct
    {
        double delta, df, alpha;
        bool twoTailed;
        double expected;
    } cases[] = {
        {1e9, 1, 1e-10, false, 0.24659992092762828},
        {1e4, 1, 1e-5, false, 0.24659992100612235},
        {9999, 1, 1e-5, false, 0.2465760615519742},
        {2e6, 1, 1e-7, false, 0.47020470528071595},
        {1e5, 10, 0.05, true, 1},
        {1e12, 3, 0.01, true, 1},
        {std::numeric_limits<double>::infinity(), 5, 0.05, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delta);
        double power = 0;
        EXPECT_NO_THROW(power = TPower(c.delta, c.df, {c.alpha, c.twoTailed}));
        EXPECT_NEAR(power, c.expected, 1e-8);
    }
    EXPECT_TRUE(std::isnan(TPower(std::nan(""), 5, {0.05, true})));
}

TEST(NoncentralT, SearchFromAGuessFindsTheSameNoncentrality)
{
    const struct
    {
        double power, df, alpha;
        bool twoTailed;
        double guess;
    } cases[] = {
        {0.8, 2, 0.05, true, 1e-6}, {0.8, 2, 0.05, true, 3.5}, {0.8, 2, 0.05, true, 1e6},
        {0.99, 1, 0.01, true, 2},   {0.3, 50, 0.05, false, 1}, {0.999, 998, 0.05, true, 4.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.power << " df " << c.df << " from " << c.guess);
        const ExactLevel level{c.alpha, c.twoTailed};
        const double plain = TNoncentralityForPower(c.power, c.df, level);
        EXPECT_NEAR(TNoncentralityForPower(c.power, c.df, level, c.guess), plain, 1e-11 * plain);
    }
}

// Half-width of the interval at most ratio standard errors: P(chi-square(df) <= df (ratio /
// t)^2), by the closed form of the even-df chi-square by hand, with t = qt(0.975, df) from
// the published tables (2.144787 at 14 df, 4.302653 at 2, 2.228139 at 10).
TEST(NoncentralT, IntervalShareFollowsTheSampleVariance)
{
    const struct
    {
        double ratio, df;
        double expected;
    } cases[] = {
        {3.02, 14, 0.9846784297269568},
        {3.563694536572965, 2, 0.4964169783956407},
        {1, 10, 0.003770310032759072},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(TIntervalShare(c.ratio, c.df, {0.05, true}), c.expected, 1e-6) << c.df;
    EXPECT_EQ(TIntervalShare(0, 4, {0.05, true}), 0);
    EXPECT_TRUE(std::isnan(TIntervalShare(1, 0, {0.05, true})));
    EXPECT_TRUE(std::isnan(TIntervalShare(-1, 4, {0.05, true})));
}

TEST(NoncentralF, NoPowerAtOrBelowTheLevel)
{
    // At lambda 0 the power is the level itself: asking for exactly the level (or less) has
    // no noncentrality, while a hair above it has a small one.
    const struct
    {
        double df1, df2, alpha;
    } cases[] = {{1, 10, 0.05}, {2, 27, 0.05}, {3, 36, 0.01}, {4, 95, 0.1}, {19, 20, 0.2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.df1 << " " << c.df2 << " " << c.alpha);
        EXPECT_TRUE(std::isnan(FNoncentralityForPower(c.alpha, c.df1, c.df2, c.alpha)));
        EXPECT_TRUE(std::isnan(FNoncentralityForPower(c.alpha / 2, c.df1, c.df2, c.alpha)));
        const double above = FNoncentralityForPower(c.alpha + 1e-3, c.df1, c.df2, c.alpha);
        EXPECT_GT(above, 0);
        EXPECT_LT(above, 1);
    }
}

TEST(NoncentralF, PowerMatchesR)
{
    const Case cases[] = {
        {10, 2, 27, 0.05, 0, 0.767353621723474},
        {3, 1, 10, 0.01, 0, 0.13232951674259},
        {25, 4, 95, 0.05, 0, 0.985538631817788},
    };
    // R's noncentral beta (AS 226) stops at an error of 1e-9, so that is the tolerance here.
    for (const Case& c : cases)
        EXPECT_NEAR(FPower(c.x, c.df1, c.df2, c.alpha), c.expected, 1e-9) << c.x;
}

TEST(NoncentralF, NoncentralityForPowerMatchesRAndInvertsThePower)
{
    const Case cases[] = {
        {0.8, 2, 27, 0.05, 0, 10.7885622003688},
        {0.95, 3, 36, 0.01, 0, 26.6569413449105},
        {0.5, 19, 20, 0.10, 0, 15.029982318161},
    };
    // R's power is good to 1e-9 (above), its slope in lambda at least 0.02 here.
    for (const Case& c : cases) {
        const double lambda = FNoncentralityForPower(c.x, c.df1, c.df2, c.alpha);
        EXPECT_NEAR(lambda, c.expected, 1e-7 * c.expected) << c.x << " " << c.df2;
        EXPECT_NEAR(FPower(lambda, c.df1, c.df2, c.alpha), c.x, 1e-12);
    }
    // With 3 million residual df the test is nearly the chi-square test on 2 df, whose
    // lambda for 80% at 0.05 is 9.63468886797023 (R: uniroot on pchisq(qchisq(0.95, 2), 2,
    // l, lower.tail = FALSE) - 0.8); at 299997 df R gives 9.63478507402969, 9.6e-5 above
    // the limit, so at ten times the df the excess is near 9.6e-6. R's own pf is too coarse
    // at 3 million df to serve directly.
    const double huge = FNoncentralityForPower(0.8, 2, 2999997, 0.05);
    EXPECT_GT(huge - 9.63468886797023, 8e-6);
    EXPECT_LT(huge - 9.63468886797023, 11e-6);
    EXPECT_NEAR(FNoncentralityForPower(0.8, 2, 299997, 0.05), 9.63478507402969, 1e-6);
    EXPECT_TRUE(std::isnan(FNoncentralityForPower(0.05, 2, 10, 0.05)));
    EXPECT_NEAR(FPower(0, 2, 10, 0.05), 0.05, 1e-12);
}

} // namespace
