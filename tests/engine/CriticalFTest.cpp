#include "engine/Distributions.h"

#include "engine/detail/FTailDetail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using engine_detail::CriticalFBisection;

struct FCase
{
    double alpha;
    double df1;
    double df2;
    double expected;
};

// The bisection ends within 2^-26 of the exact u = 1 / (1 + F), i.e. within
// 2^-26 (1 + F)^2 of F.
double Resolution(double f)
{
    return 1.05 * std::ldexp(1.0, -26) * (1 + f) * (1 + f);
}

TEST(CriticalFTest, MatchesThePublishedValuesToTheirPrintedDigits)
{
    const FCase cases[] = {
        {0.05, 2, 27, 3.3541}, {0.05, 3, 36, 2.8663}, {0.05, 1, 10, 4.9646},
        {0.01, 4, 20, 4.4307}, {0.05, 3, 5, 5.4095},
    };
    for (const FCase& c : cases)
        EXPECT_EQ(std::lround(CriticalF(c.alpha, c.df1, c.df2) * 1e4),
                  std::lround(c.expected * 1e4))
            << c.alpha << " " << c.df1 << " " << c.df2;
}

TEST(CriticalFTest, AgreesWithQuantilesOfTheFDistribution)
{
    // Upper quantiles computed to 12 or more digits with an arbitrary-precision
    // integration of the F density; the small-df ones agree with printed F tables
    // (161.45, 4052.2, 18.51, 49.50, 2.6049, 2.9966).
    const FCase cases[] = {
        {0.05, 1, 1, 161.447638797588},   {0.01, 1, 1, 4052.18069547683},
        {0.05, 1, 2, 18.5128205128205},   {0.10, 2, 1, 49.5},
        {0.20, 5, 3, 2.9651811203},       {0.05, 2, 27, 3.3541308285292},
        {0.05, 3, 36, 2.86626555094018},  {0.05, 1, 10, 4.96460274373071},
        {0.01, 4, 20, 4.43069016143778},  {0.05, 3, 5, 5.40945131805649},
        {0.05, 2, 1e4, 2.99662989399922}, {0.10, 7, 12345, 1.71720747144},
        {0.05, 19, 19980, 1.58702327403}, {0.02, 10, 1e5, 2.11621600371},
        {0.05, 3, 1e6, 2.60491817697615}, {0.01, 2, 1e7, 4.60517230675},
        {0.05, 19, 2e7, 1.58650195318},   {0.01, 19, 2e7, 1.90478349961},
        {0.20, 19, 2e7, 1.25791691271},   {0.05, 4, 2e7, 2.3719327032},
        {0.20, 1, 2e7, 1.64237452364},    {0.01, 1, 2e7, 6.63489786744},
    };
    for (const FCase& c : cases)
        EXPECT_NEAR(CriticalF(c.alpha, c.df1, c.df2), c.expected, Resolution(c.expected))
            << c.alpha << " " << c.df1 << " " << c.df2;
}

std::vector<double> g_testedX;

double RecordingTail(double x, double, double)
{
    g_testedX.push_back(x);
    return x > 3 ? 0.01 : 0.5;
}

TEST(CriticalFTest, RunsTwentySixPassesAndReturnsTheValueTestedLast)
{
    g_testedX.clear();
    const double result = CriticalFBisection(0.05, 2, 10, RecordingTail);
    ASSERT_EQ(g_testedX.size(), 26u);
    EXPECT_EQ(g_testedX.front(), 1.0);
    EXPECT_EQ(result, g_testedX.back());
    EXPECT_NEAR(result, 3, Resolution(3));

    // alpha above every tail moves u up each time: 25 updates give u = 1 - 2^-26.
    EXPECT_EQ(CriticalF(2, 3, 8), 1 / (1 - std::ldexp(1.0, -26)) - 1);
    // alpha below every tail moves u down: u = 2^-26, F = 2^26 - 1.
    EXPECT_EQ(CriticalF(-1, 3, 8), 67108863.0);
    EXPECT_EQ(CriticalF(-1, 19, 2e7), 67108863.0);
}

TEST(CriticalFTest, StaysFiniteAndOrderedForEveryTableSize)
{
    const double alphas[] = {0.20, 0.10, 0.05, 0.02, 0.01};
    std::vector<double> df2s;
    for (double df2 = 1; df2 < 2e7; df2 = std::ceil(df2 * 1.6))
        df2s.push_back(df2);
    df2s.push_back(2e7);

    for (double df1 = 1; df1 <= 19; ++df1) {
        std::vector<double> previousAlpha(df2s.size(), 0);
        for (double alpha : alphas) {
            double previousDf2 = HUGE_VAL;
            for (std::size_t i = 0; i < df2s.size(); ++i) {
                const double f = CriticalF(alpha, df1, df2s[i]);
                const auto where = ::testing::Message()
                                   << alpha << " " << df1 << " " << df2s[i] << " -> " << f;
                ASSERT_TRUE(std::isfinite(f)) << where;
                ASSERT_GT(f, 0) << where;
                // Critical values fall as df2 grows and rise as alpha falls.
                EXPECT_LE(f, previousDf2 + Resolution(f)) << where;
                EXPECT_GT(f, previousAlpha[i]) << where;
                previousDf2 = f;
                previousAlpha[i] = f;
            }
        }
    }
}

TEST(CriticalFTest, ApproachesTheChiSquareLimitForHugeDenominators)
{
    // df1 F(alpha; df1, df2) tends to the chi-square quantile as df2 grows; at df2 = 2e7 the
    // two differ by a few parts in 1e7. Chi-square quantiles from printed tables.
    struct ChiCase
    {
        double alpha;
        double df1;
        double chiSquare;
    };
    const ChiCase cases[] = {
        {0.05, 1, 3.841459},   {0.05, 2, 5.991465},   {0.05, 3, 7.814728},  {0.02, 5, 13.388223},
        {0.10, 7, 12.017037},  {0.10, 10, 15.987179}, {0.01, 4, 13.276704}, {0.01, 19, 36.190869},
        {0.05, 19, 30.143527}, {0.20, 19, 23.900417}, {0.20, 1, 1.642374},  {0.01, 1, 6.634897},
    };
    for (const ChiCase& c : cases) {
        const double limit = c.chiSquare / c.df1;
        EXPECT_NEAR(CriticalF(c.alpha, c.df1, 2e7), limit, 2e-6 * limit) << c.alpha << " " << c.df1;
    }
}

// A tail that cannot be computed leaves no critical value: the bisection says so at once
// instead of ending at whatever point its comparisons with NaN walked it to.
TEST(CriticalFTest, ATailThatCannotBeComputedGivesNoCriticalValue)
{
    const auto noTail = [](double, double, double) { return std::nan(""); };
    EXPECT_TRUE(std::isnan(CriticalFBisection(0.05, 3, 20, noTail)));
    // A tail that fails only far out in the search fails the value as well.
    const auto farOut = [](double x, double df1, double df2) {
        return x > 100 ? std::nan("") : FUpperTail(x, df1, df2);
    };
    EXPECT_TRUE(std::isnan(CriticalFBisection(1e-9, 1, 1, farOut)));
}

} // namespace
