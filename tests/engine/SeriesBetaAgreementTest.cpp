// The finite series and the incomplete beta fraction are two evaluations of one tail; where
// FUpperTail switches from one to the other no critical value may move.

#include "engine/detail/FTailDetail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using engine_detail::CriticalFBisection;
using engine_detail::FUpperTailBeta;
using engine_detail::FUpperTailSeries;

std::vector<double> AgreementDf2()
{
    std::vector<double> df2s;
    for (double df2 = 1; df2 <= 40; ++df2)
        df2s.push_back(df2);
    // Around the switch to the beta form and beyond it, with both parities.
    for (double df2 : {47.0,  64.0,  99.0,   100.0,  101.0,  255.0,  256.0,  460.0,   461.0,
                       479.0, 480.0, 481.0,  482.0,  483.0,  498.0,  499.0,  500.0,   501.0,
                       502.0, 997.0, 1000.0, 1001.0, 2047.0, 2048.0, 4999.0, 10000.0, 10001.0})
        df2s.push_back(df2);
    return df2s;
}

TEST(SeriesBetaAgreementTest, TailsAgreeToRoundingOverTheBisectionRange)
{
    double worst = 0;
    for (double df1 = 1; df1 <= 19; ++df1)
        for (double df2 : AgreementDf2())
            for (double x = 0.01; x < 1000; x *= 1.37) {
                const double difference =
                    std::fabs(FUpperTailSeries(x, df1, df2) - FUpperTailBeta(x, df1, df2));
                EXPECT_LE(difference, 2e-15) << x << " " << df1 << " " << df2;
                worst = std::max(worst, difference);
            }
    RecordProperty("worst_absolute_tail_difference", ::testing::PrintToString(worst));
    std::printf("worst absolute tail difference: %.3g\n", worst);
}

TEST(SeriesBetaAgreementTest, CriticalValuesAgreeWhereBothAreComputed)
{
    double worst = 0;
    for (double alpha : {0.01, 0.02, 0.05, 0.10, 0.20})
        for (double df1 = 1; df1 <= 19; ++df1)
            for (double df2 : AgreementDf2()) {
                const double series = CriticalFBisection(alpha, df1, df2, FUpperTailSeries);
                const double beta = CriticalFBisection(alpha, df1, df2, FUpperTailBeta);
                const double relative = std::fabs(series - beta) / series;
                EXPECT_LE(relative, 1e-10) << alpha << " " << df1 << " " << df2;
                worst = std::max(worst, relative);
            }
    RecordProperty("worst_relative_critical_difference", ::testing::PrintToString(worst));
    std::printf("worst relative critical-value difference: %.3g\n", worst);
}

} // namespace
