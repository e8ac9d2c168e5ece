#include "engine/Distributions.h"

#include "engine/detail/FTailDetail.h"
#include "engine/detail/IncompleteBeta.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using engine_detail::FUpperTailBeta;
using engine_detail::FUpperTailSeries;
using engine_detail::Real;
using engine_detail::RegularizedIncompleteBeta;
using engine_detail::TailFunction;

const double kPi = 3.14159265358979323846;

struct TailCase
{
    double x;
    double df1;
    double df2;
    double expected;
};

// Tails with a closed form, one for each branch of the series.
std::vector<TailCase> ClosedFormCases()
{
    std::vector<TailCase> cases;
    for (double x : {0.1, 1.0, 3.5, 40.0}) {
        // df1 = 2: (1 + 2x / df2)^(-df2 / 2).
        for (double df2 : {1.0, 2.0, 3.0, 10.0, 1001.0, 2e7})
            cases.push_back({x, 2, df2, std::exp(-df2 / 2 * std::log1p(2 * x / df2))});
        // df2 = 2: 1 - (df1 x / (2 + df1 x))^(df1 / 2).
        for (double df1 : {1.0, 3.0, 19.0})
            cases.push_back({x, df1, 2, 1 - std::pow(df1 * x / (2 + df1 * x), df1 / 2)});
        // F(1, 1) and F(1, 3) are squared t variates (Abramowitz and Stegun 26.7.3).
        const double theta1 = std::atan(std::sqrt(x));
        cases.push_back({x, 1, 1, 1 - 2 / kPi * theta1});
        const double theta3 = std::atan(std::sqrt(x / 3));
        cases.push_back({x, 1, 3, 1 - 2 / kPi * (theta3 + std::sin(theta3) * std::cos(theta3))});
    }
    return cases;
}

TEST(FUpperTailTest, EveryEvaluationMatchesTheClosedForms)
{
    const TailFunction tails[] = {FUpperTail, FUpperTailSeries, FUpperTailBeta};
    for (const TailCase& c : ClosedFormCases())
        for (TailFunction tail : tails)
            EXPECT_NEAR(tail(c.x, c.df1, c.df2), c.expected, 1e-15 + 1e-13 * c.expected)
                << c.x << " " << c.df1 << " " << c.df2;
}

TEST(FUpperTailTest, SeriesHonoursTheReciprocalOfF)
{
    // P(F(a, b) > x) + P(F(b, a) > 1 / x) = 1 ties the odd and even branches together.
    const double dfs[] = {1, 2, 3, 4, 5, 8, 9, 19, 20};
    for (double df1 : dfs)
        for (double df2 : dfs)
            for (double x : {0.3, 1.0, 2.7, 11.0})
                EXPECT_NEAR(FUpperTailSeries(x, df1, df2) + FUpperTailSeries(1 / x, df2, df1), 1,
                            2e-15)
                    << x << " " << df1 << " " << df2;
}

TEST(FUpperTailTest, StaysAProbabilityAtExtremeArguments)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Df
    {
        double df1;
        double df2;
    };
    // Includes pairs whose series sum overflows double while the power factor underflows.
    const Df dfs[] = {{1, 1}, {2, 3}, {3, 4}, {19, 1}, {19, 999}, {2000, 2e7}, {1000, 5}};
    for (const Df& d : dfs) {
        for (double x : {0.0, 1e-300, 1e-8, 0.5, 1.0, 1.05, 2.0, 1e3, 1e8, 1e300, inf}) {
            const double series = FUpperTailSeries(x, d.df1, d.df2);
            const double beta = FUpperTailBeta(x, d.df1, d.df2);
            const auto where = ::testing::Message() << x << " " << d.df1 << " " << d.df2;
            ASSERT_TRUE(series >= -1e-15 && series <= 1 + 1e-15) << where << " " << series;
            ASSERT_TRUE(beta >= 0 && beta <= 1) << where << " " << beta;
            EXPECT_NEAR(series, beta, 1e-13) << where;
        }
        EXPECT_EQ(FUpperTailBeta(0, d.df1, d.df2), 1);
        EXPECT_EQ(FUpperTailBeta(inf, d.df1, d.df2), 0);
    }
}

TEST(FUpperTailTest, SeriesSumsBeyondTheDoubleRangeGiveTheRightProbability)
{
    // df1 odd, df2 even: a sum of about 1e2000 times (1 - w)^(df1 / 2) of about 1e-2000.
    for (double x : {0.9, 1.0, 1.05, 1.3, 50.0}) {
        const double series = FUpperTailSeries(x, 2001, 2e5);
        ASSERT_TRUE(std::isfinite(series)) << x;
        EXPECT_NEAR(series, FUpperTailBeta(x, 2001, 2e5), 1e-13) << x;
    }
}

TEST(FUpperTailTest, IncompleteBetaMeetsItsIdentities)
{
    for (Real x : {1e-6L, 0.1L, 0.5L, 0.73L, 0.999L}) {
        const Real y = 1 - x;
        for (Real a : {0.5L, 1.0L, 3.0L, 12.5L, 1e6L}) {
            EXPECT_NEAR(double(RegularizedIncompleteBeta(x, y, a, 1)), double(std::pow(x, a)),
                        1e-15)
                << x << " " << a;
            EXPECT_NEAR(double(RegularizedIncompleteBeta(x, y, 1, a)),
                        double(-std::expm1(a * std::log1p(-x))), 1e-15)
                << x << " " << a;
            EXPECT_NEAR(double(RegularizedIncompleteBeta(x, y, a, 7.5L) +
                               RegularizedIncompleteBeta(y, x, 7.5L, a)),
                        1, 1e-15)
                << x << " " << a;
            EXPECT_NEAR(double(RegularizedIncompleteBeta(0.5L, 0.5L, a, a)), 0.5, 1e-15) << a;
        }
        EXPECT_NEAR(double(RegularizedIncompleteBeta(x, y, 0.5L, 0.5L)),
                    2 / kPi * std::asin(std::sqrt(double(x))), 1e-15)
            << x;
    }
    EXPECT_TRUE(std::isnan(RegularizedIncompleteBeta(0.5L, 0.5L, 0, 2)));
    EXPECT_TRUE(std::isnan(RegularizedIncompleteBeta(0.5L, 0.5L, 2, -1)));
}

// A continued fraction cut off before it converges is reported as NaN, not returned as a
// value that merely looks like one; given its terms it agrees with the identities above.
TEST(FUpperTailTest, AFractionThatDoesNotConvergeIsReported)
{
    const struct
    {
        Real x, a, b;
    } cases[] = {{0.3L, 12.5L, 12.5L}, {0.45L, 40, 60}, {0.6L, 200, 3.5L}};
    for (const auto& c : cases) {
        EXPECT_TRUE(std::isnan(double(RegularizedIncompleteBeta(c.x, 1 - c.x, c.a, c.b, 3))))
            << c.x << " " << c.a << " " << c.b;
        const Real full = RegularizedIncompleteBeta(c.x, 1 - c.x, c.a, c.b);
        EXPECT_TRUE(full > 0 && full < 1) << c.x;
        EXPECT_NEAR(double(full + RegularizedIncompleteBeta(1 - c.x, c.x, c.b, c.a)), 1, 1e-15);
    }
}

} // namespace
