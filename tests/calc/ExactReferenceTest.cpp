// Exact cells of all twelve calculators against R 4, one- and two-tailed, N from 2 to 10^6.
// Each table names the R expressions; the helpers are
//   tpow <- function(ncp, df, a, tails) { c <- qt(1 - a / tails, df)
//     pt(c, df, ncp, lower.tail = FALSE) + (tails == 2) * pt(-c, df, ncp) }
//   tncp <- function(power, df, a, tails)
//     uniroot(function(d) tpow(d, df, a, tails) - power, c(0, 1e4), tol = 1e-12)$root
//   fpow <- function(l, d1, d2, a) pf(qf(1 - a, d1, d2), d1, d2, l, lower.tail = FALSE)
//   fncp <- function(power, d1, d2, a)
//     uniroot(function(l) fpow(l, d1, d2, a) - power, c(0, 1e4), tol = 1e-12)$root
//   pz <- function(n1, p1, n2, p2, a, tails): the enumeration of the uncorrected chi-square
//     test (sum of dbinom(x1) dbinom(x2) over the outcomes where |z| (or z) > qnorm(1 - a /
//     tails), z the pooled statistic; none where the pooled proportion is 0 or 1)
//   fr <- function(S, n, power, a, tails): uniroot(function(h) n (2 - S - S^h) -
//     ((1 + h) / (1 - h))^2 (qnorm(1 - a / tails) + qnorm(power))^2, c(1e-12, 1 - 1e-12),
//     tol = 1e-14)$root
// A one-tailed level a is stored by the calculators as the two-tailed 2a.
#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/CalcTestSupport.h"

#include <cmath>
#include <string>

namespace {

using ExactReferenceTest = CalcPageTest;

// The single cell of a calculator given one power (and one N), in the exact method.
double SampleCell(CSampleCalc& calc, double n, double alpha, int tails, double power)
{
    calc.SetMethod(CalcMethod::Exact);
    calc.SetAlpha(tails == 2 ? alpha : 2 * alpha, tails == 2);
    calc.ParsePowers(std::to_string(power));
    calc.ParseNs(std::to_string(static_cast<long>(n)));
    double value = -1;
    EXPECT_TRUE(calc.ComputeCell(0, 0, &value));
    return value;
}

double PowerCell(CPowerCalc& calc, double alpha, int tails, double power)
{
    calc.SetMethod(CalcMethod::Exact);
    calc.SetAlpha(tails == 2 ? alpha : 2 * alpha, tails == 2);
    calc.ParsePowers(std::to_string(power));
    double value = -1;
    EXPECT_TRUE(calc.ComputeCell(0, &value));
    return value;
}

struct TCase
{
    double n, sd, alpha;
    int tails;
    double power, expected;
};

// R's pt is good to about 1e-12 here; the roots to 1e-12.
constexpr double TTolerance = 1e-9;

TEST_F(ExactReferenceTest, UnpairedSampleSize)
{
    // tncp(power / 100, 2 n - 2, a, tails) * sd * sqrt(2 / n)
    const TCase cases[] = {
        {2, 1, 0.05, 2, 80, 5.65348926619228},      {3, 1, 0.05, 2, 80, 3.07089226635998},
        {5, 2.5, 0.05, 2, 90, 5.86987781581339},    {10, 1, 0.05, 1, 80, 1.15629714370531},
        {10, 1, 0.01, 2, 95, 2.08624650472274},     {1000, 1, 0.05, 2, 80, 0.125350808902013},
        {1e6, 3, 0.05, 2, 50, 0.00831495573406848}, {3, 1, 0.10, 1, 99, 3.34782624926831},
    };
    for (const TCase& c : cases) {
        CSampleUnpairedCalc calc;
        calc.SetSD(c.sd);
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power), c.expected,
                    TTolerance * c.expected)
            << c.n << " " << c.power;
    }
}

// tncp(power / 100, n - 1, a, tails) * sd / sqrt(n): one-sample, paired by the SD of the
// differences, and completed paired and one-sample experiments.
const TCase OneGroupSampleCases[] = {
    {2, 1, 0.05, 2, 80, 11.549888435864},       {3, 1, 0.05, 2, 50, 2.0949330587955},
    {5, 1, 0.05, 2, 80, 1.68199696595352},      {10, 1, 0.05, 2, 80, 0.996001371455106},
    {10, 2, 0.05, 1, 90, 2.00970059947678},     {1000, 1, 0.01, 2, 99, 0.155278526375114},
    {1e6, 1, 0.05, 2, 80, 0.00280158447756048}, {5, 1, 0.10, 1, 50, 0.641076703540758},
};
const TCase OneGroupPowerCases[] = {
    {2, 1, 0.05, 2, 80, 11.549888435864},       {3, 1, 0.05, 2, 90, 3.92344850808014},
    {5, 1, 0.05, 2, 80, 1.68199696595352},      {10, 1, 0.05, 2, 80, 0.996001371455106},
    {20, 1, 0.05, 2, 80, 0.66044165462283},     {10, 3, 0.05, 1, 70, 2.2303010032008},
    {1000, 1, 0.05, 2, 60, 0.0700571724832639}, {1e6, 1, 0.01, 1, 99, 0.00465270204307528},
};

TEST_F(ExactReferenceTest, OneSampleAndPairedSampleSize)
{
    for (const TCase& c : OneGroupSampleCases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.power);
        CSampleOneCalc one;
        one.SetSD(c.sd);
        EXPECT_NEAR(SampleCell(one, c.n, c.alpha, c.tails, c.power), c.expected,
                    TTolerance * c.expected);
        CSamplePairedCalc paired;
        paired.m_useR = false;
        paired.SetSD(c.sd);
        EXPECT_NEAR(SampleCell(paired, c.n, c.alpha, c.tails, c.power), c.expected,
                    TTolerance * c.expected);
    }
    // With each group's SD and r: tncp(...) * sd * sqrt(2 (1 - r)) / sqrt(n).
    const struct
    {
        double n, sd, r, alpha;
        int tails;
        double power, expected;
    } withR[] = {
        {4, 1, 0.5, 0.05, 2, 80, 2.12794934325665},
        {12, 3, 0.8, 0.05, 1, 90, 1.71268943864282},
        {30, 1, 0.2, 0.01, 2, 80, 0.837632922851364},
    };
    for (const auto& c : withR) {
        CSamplePairedCalc paired;
        paired.SetSD(c.sd);
        paired.SetR(c.r);
        EXPECT_NEAR(SampleCell(paired, c.n, c.alpha, c.tails, c.power), c.expected,
                    TTolerance * c.expected)
            << c.n;
    }
}

TEST_F(ExactReferenceTest, CompletedOneSampleAndPairedExperiments)
{
    for (const TCase& c : OneGroupPowerCases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.power);
        CPowerOneCalc one;
        one.SetSD(c.sd);
        one.SetSampleSize(c.n);
        EXPECT_NEAR(PowerCell(one, c.alpha, c.tails, c.power), c.expected, TTolerance * c.expected);
        CPowerPairedCalc paired;
        paired.SetSD(c.sd);
        paired.SetPairs(c.n);
        EXPECT_NEAR(PowerCell(paired, c.alpha, c.tails, c.power), c.expected,
                    TTolerance * c.expected);
    }
}

TEST_F(ExactReferenceTest, CompletedUnpairedExperiment)
{
    // sp = sqrt((sd1^2 (n1 - 1) + sd2^2 (n2 - 1)) / (n1 + n2 - 2));
    // tncp(power / 100, n1 + n2 - 2, a, tails) * sp * sqrt(1 / n1 + 1 / n2)
    const struct
    {
        double n1, n2, sd1, sd2, alpha;
        int tails;
        double power, expected;
    } cases[] = {
        {2, 2, 1, 1, 0.05, 2, 80, 5.65348926619228},
        {10, 12, 1, 1.2, 0.05, 2, 80, 1.40551548588952},
        {3, 50, 2, 1, 0.05, 1, 90, 1.86394477433831},
        {1000, 1000, 1, 1, 0.05, 2, 50, 0.0876894380986607},
        {1e6, 5e5, 1, 2, 0.01, 2, 99, 0.0120078439909912},
    };
    for (const auto& c : cases) {
        CPowerUnpairedCalc calc;
        calc.SetGroups(c.n1, c.n2, c.sd1, c.sd2);
        EXPECT_NEAR(PowerCell(calc, c.alpha, c.tails, c.power), c.expected, TTolerance * c.expected)
            << c.n1 << " " << c.n2;
    }
}

// R's noncentral beta stops at a power error of 1e-9, which moves lambda by up to about
// 1e-7 of itself; with 3 million residual df its pf is coarser still (near 1e-6).
TEST_F(ExactReferenceTest, OneWayAnova)
{
    // lambda = fncp(power / 100, k - 1, k (n - 1), a); range = sqrt(lambda / (k n)) sd /
    // sqrt((k + 1) / (12 (k - 1)))
    const struct
    {
        int groups;
        double n, sd, alpha, power, expected;
    } samples[] = {
        {3, 2, 1, 0.05, 80, 5.5704440216379},       {3, 3, 1, 0.05, 80, 3.32479854697661},
        {4, 5, 2.5, 0.01, 90, 7.9229903514872},     {5, 10, 1, 0.05, 80, 1.45631991118091},
        {20, 10, 1, 0.10, 50, 0.726089326860823},   {3, 1000, 1, 0.05, 80, 0.138883591429937},
        {3, 1e6, 1, 0.05, 80, 0.00438969027154483},
    };
    for (const auto& c : samples) {
        CSampleAnovaCalc calc;
        calc.SetSD(c.sd);
        calc.SetGroupCount(c.groups);
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, 2, c.power), c.expected,
                    (c.n > 1e5 ? 1e-6 : 2e-7) * c.expected)
            << c.groups << " " << c.n;
    }
    // The finished ANOVA: k = df treatment + 1, N = df residual + k, sd = sqrt(MS residual).
    const struct
    {
        int dfTreatment, dfResidual;
        double msResidual, alpha, power, expected;
    } finished[] = {
        {2, 27, 4, 0.05, 80, 2.93783079163775},    {3, 36, 2.25, 0.01, 90, 3.02593844086143},
        {2, 3, 1, 0.05, 80, 5.5704440216379},      {19, 180, 1, 0.10, 50, 0.726089326860823},
        {2, 2997, 1, 0.05, 80, 0.138883591429937},
    };
    for (const auto& c : finished) {
        CPowerAnovaCalc calc;
        calc.SetDfTreatment(c.dfTreatment);
        calc.SetMsGroups(1);
        calc.SetDfResidual(c.dfResidual);
        calc.SetMsResidual(c.msResidual);
        EXPECT_NEAR(PowerCell(calc, c.alpha, 2, c.power), c.expected, 2e-7 * c.expected)
            << c.dfTreatment << " " << c.dfResidual;
    }
}

TEST_F(ExactReferenceTest, TwoProportions)
{
    // Treated proportion: uniroot(function(q) pz(n, p, n, q, a, tails) - power, c(p + 1e-12,
    // 1 - 1e-12), tol = 1e-13) when higher; lower mirrors it on 1 - p.
    const struct
    {
        int n;
        double p;
        bool higher;
        double alpha;
        int tails;
        double power, treated;
    } samples[] = {
        {10, 0.5, true, 0.05, 2, 80, 0.993668905919272},
        {20, 0.2, true, 0.05, 1, 80, 0.576526822453392},
        {40, 0.3, false, 0.05, 2, 80, 0.0692188298141477},
        {100, 0.5, true, 0.01, 2, 90, 0.759061485859035},
        {200, 0.1, true, 0.05, 2, 95, 0.231084291152963},
        {5, 0.5, false, 0.10, 1, 50, 0.207895628721685},
    };
    for (const auto& c : samples) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.p);
        CSampleChiSquareCalc calc;
        calc.SetProportion(c.p);
        calc.SetEffectKind(c.higher ? 1 : 0, 1);
        const double change = c.higher ? c.treated - c.p : c.p - c.treated;
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power), change, 1e-9);
        calc.SetEffectKind(c.higher ? 1 : 0, 2);
        const double ratio = c.higher ? c.treated / c.p : 1 - c.treated / c.p;
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power), ratio, 1e-8);
    }
    // Finished: a = asin(sqrt((p1 + p2) / 2)); the half-width b from uniroot on the power of
    // pz with the low group at sin(a - b)^2 and the high one at sin(a + b)^2, tol = 1e-13.
    const struct
    {
        double n1, n2, p1, p2, alpha;
        int tails;
        double power, b;
    } finished[] = {
        {50, 60, 0.3, 0.45, 0.05, 2, 80, 0.135084270210052},
        {20, 30, 0.1, 0.2, 0.05, 2, 50, 0.159210719644791},
        {100, 100, 0.5, 0.5, 0.05, 1, 90, 0.102673328509436},
        {3, 5, 0.4, 0.6, 0.10, 2, 50, 0.271146237564759},
    };
    for (const auto& c : finished) {
        SCOPED_TRACE(testing::Message() << c.n1 << " " << c.n2);
        const double a = std::asin(std::sqrt((c.p1 + c.p2) / 2));
        const double low = std::pow(std::sin(a - c.b), 2);
        const double high = std::pow(std::sin(a + c.b), 2);
        CPowerChiSquareCalc calc;
        calc.SetGroups(c.n1, c.n2, c.p1, c.p2);
        calc.SetEffectType(0);
        EXPECT_NEAR(PowerCell(calc, c.alpha, c.tails, c.power), high - low, 1e-9);
        calc.SetEffectType(1);
        EXPECT_NEAR(PowerCell(calc, c.alpha, c.tails, c.power), high / low, 1e-8 * high / low);
    }
}

TEST_F(ExactReferenceTest, SurvivalCurves)
{
    // fr(S, n per group, power / 100, a, tails)
    const struct
    {
        double n, survival, alpha;
        int tails;
        double power, h;
    } samples[] = {
        {20, 0.5, 0.05, 2, 80, 0.0884026474860742},  {100, 0.5, 0.05, 2, 80, 0.52399728358105},
        {1000, 0.2, 0.05, 1, 90, 0.861628662631194}, {1e6, 0.9, 0.01, 2, 99, 0.978202674848226},
        {50, 0.3, 0.10, 2, 50, 0.655038052748503},
    };
    for (const auto& c : samples) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.survival);
        CSampleLogrankCalc calc;
        calc.SetProportion(c.survival);
        calc.SetEffectKind(2);
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power), c.h, 1e-10);
        calc.SetEffectKind(1);
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power),
                    std::pow(c.survival, c.h) - c.survival, 1e-10);
        calc.SetEffectKind(3);
        EXPECT_NEAR(SampleCell(calc, c.n, c.alpha, c.tails, c.power), 1 / c.h, 1e-9 / c.h);
    }
    // Finished: fr(1 - Pc, N / 2, power / 100, a, tails).
    const struct
    {
        double n, pc, alpha;
        int tails;
        double power, h;
    } finished[] = {
        {200, 0.3, 0.05, 2, 80, 0.403227966851159},
        {40, 0.85, 0.10, 2, 50, 0.536764098915475},
        {2000, 0.1, 0.05, 1, 80, 0.678909782806927},
        {1e6, 0.5, 0.05, 2, 90, 0.990858976649289},
    };
    for (const auto& c : finished) {
        CPowerLogrankCalc calc;
        calc.SetProportion(c.pc);
        calc.SetSampleSize(c.n);
        calc.SetEffectType(2);
        EXPECT_NEAR(PowerCell(calc, c.alpha, c.tails, c.power), c.h, 1e-10) << c.n;
    }
}

} // namespace
