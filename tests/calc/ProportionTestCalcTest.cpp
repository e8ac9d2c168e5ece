// The proportions calculators' exact method under the test the scientist runs. References
// computed by hand in Python 3 (standard library only), outside this program: each table's
// P value from its definition (the pooled z through math.erfc, Yates's correction as
// max(0, |d| - (1/n1 + 1/n2) / 2), Fisher's weights as exact integers from math.comb, two-sided
// summing those not above the observed one times 1 + 1e-7), the power as the full double sum
// of binomial probabilities over the tables with P <= alpha, the effect by 80 bisections.
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CSampleChiSquareCalc.h"

#include "calc/CalcTestSupport.h"
#include "calc/ExactProportions.h"

#include <cmath>
#include <string>

namespace {

using ProportionTestCalcTest = CalcPageTest;

const ProportionTest Yates = ProportionTest::Yates;
const ProportionTest Fisher = ProportionTest::Fisher;

TEST_F(ProportionTestCalcTest, CompletedExperimentDetectsTheChangeWithTheTestsPower)
{
    // 20 and 20 subjects, P 0.3 and 0.7, changes centred on the arcsine of 0.5.
    const struct
    {
        ProportionTest test;
        double power, expected;
    } cases[] = {
        {Yates, 80, 0.4881233775006511},
        {Yates, 50, 0.3698745394302839},
        {Fisher, 80, 0.4826010531456752},
        {Fisher, 50, 0.3632582555505311},
    };
    for (const auto& c : cases) {
        CPowerChiSquareCalc calc;
        calc.SetGroups(20, 20, 0.3, 0.7);
        calc.SetTest(c.test);
        calc.SetMethod(CalcMethod::Exact);
        calc.ParsePowers(std::to_string(c.power));
        double change = 0;
        ASSERT_TRUE(calc.ComputeCell(0, &change));
        EXPECT_NEAR(change, c.expected, 1e-9) << ProportionTestName(c.test) << " " << c.power;
    }
}

TEST_F(ProportionTestCalcTest, FutureExperimentDetectsTheIncreaseWithTheTestsPower)
{
    // Control proportion 0.3, increase, 80% power.
    const struct
    {
        ProportionTest test;
        int n;
        bool twoTailed;
        double expected;
    } cases[] = {
        {Yates, 20, true, 0.4856600953963364},   {Yates, 50, true, 0.2896903763509647},
        {Yates, 30, false, 0.35066201991882956}, {Fisher, 20, true, 0.47873164556246134},
        {Fisher, 50, true, 0.2896903763509647},  {Fisher, 30, false, 0.35066201991882956},
    };
    for (const auto& c : cases) {
        CSampleChiSquareCalc calc;
        calc.SetProportion(0.3);
        calc.SetTest(c.test);
        calc.SetMethod(CalcMethod::Exact);
        calc.SetAlpha(c.twoTailed ? 0.05 : 0.10, c.twoTailed);
        calc.ParsePowers("80");
        calc.ParseNs(std::to_string(c.n));
        double increase = 0;
        ASSERT_TRUE(calc.ComputeCell(0, 0, &increase));
        EXPECT_NEAR(increase, c.expected, 1e-9) << ProportionTestName(c.test) << " " << c.n;
    }
}

TEST_F(ProportionTestCalcTest, LevelAboveThePowerDetectsNoChange)
{
    // 6 and 35 subjects at alpha 0.037: the uncorrected test rejects 4.03% of the time when
    // both proportions are the mean 0.506, so 3.8% power needs no change at all.
    CPowerChiSquareCalc calc;
    calc.SetGroups(6, 35, 0.771, 0.241);
    calc.SetAlpha(0.037, true);
    calc.SetMethod(CalcMethod::Exact);
    calc.ParsePowers("3.8");
    double change = -1;
    EXPECT_TRUE(calc.ComputeCell(0, &change));
    EXPECT_EQ(change, 0);
    EXPECT_NE(calc.ExactMethodName().find("actual level 4.0%"), std::string::npos)
        << calc.ExactMethodName();
}

TEST_F(ProportionTestCalcTest, BeyondTheSumsTheArcsineTakesExactQuantiles)
{
    // Python: n = 2 n1 n2 / (n1 + n2), b = (z(0.9995) + z(0.9)) sqrt(2 / n) / 4 with
    // statistics.NormalDist().inv_cdf, around asin(sqrt(0.25)); sin^2(a + b) / sin^2(a - b).
    CPowerChiSquareCalc calc;
    calc.SetGroups(5, 76559, 0.3, 0.2);
    calc.SetEffectType(1);
    calc.SetAlpha(0.001, true);
    calc.SetMethod(CalcMethod::Exact);
    calc.ParsePowers("90");
    double ratio = 0;
    ASSERT_TRUE(calc.ComputeCell(0, &ratio));
    EXPECT_NEAR(ratio, 4801.253367670643, 1e-6);
    EXPECT_EQ(calc.RowComputedExactly(0), false);
}

TEST_F(ProportionTestCalcTest, RowsAreSummedUpToTwoThousandPerGroup)
{
    CSampleChiSquareCalc calc;
    calc.ParseNs("20,2000,2001");
    EXPECT_EQ(calc.RowComputedExactly(0), false); // the written method sums nothing
    calc.SetMethod(CalcMethod::Exact);
    const bool expected[] = {true, true, false};
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(calc.RowComputedExactly(r), expected[r]) << calc.m_ns[r];
    EXPECT_NE(calc.ExactMethodName().find("up to 2000 per group, arcsine approximation above"),
              std::string::npos);
}

} // namespace
