#include "calc/CPowerLogrankCalc.h"

#include "calc/CSampleLogrankCalc.h"
#include "calc/CalcTestSupport.h"
#include "platform/CUserException.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

using PowerLogrankTest = CalcPageTest;

std::unique_ptr<CPowerLogrankCalc> make(double pc, double n, int type, double alpha = 0.05,
                                        bool twoTailed = true)
{
    auto calc = std::make_unique<CPowerLogrankCalc>();
    calc->SetProportion(pc);
    calc->SetSampleSize(n);
    calc->SetEffectType(type);
    calc->SetAlpha(alpha, twoTailed);
    return calc;
}

TEST_F(PowerLogrankTest, StartsUnenteredWithTheDifferenceAndThreeDecimals)
{
    CPowerLogrankCalc calc;
    EXPECT_EQ(calc.m_pControl, -1);
    EXPECT_EQ(calc.m_n, -1);
    EXPECT_EQ(calc.m_effectType, 1);
    EXPECT_EQ(calc.m_decimals, 3);
    EXPECT_EQ(calc.m_nPowers, 13);
    EXPECT_EQ(calc.GetTitleId(), 518u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 519u);
    EXPECT_STREQ(LoadString(518), "Power of survival analysis");
    EXPECT_STREQ(LoadString(519), "Explanation of the power of survival analysis");
    for (int goal = 0; goal <= 1; ++goal)
        for (int design = 0; design <= 5; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 1 && design == 3);
}

TEST_F(PowerLogrankTest, SettersInTheFormsOrderKeepWhatPassed)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const char* const proportion =
        "Proportion must be between 0 and 1.\nEnter correct value in the field and try again.";
    const char* const size = "Sample size must be positive integer greater than 1.\nEnter "
                             "correct value in the field and try again.";
    struct Case
    {
        double pc, n;
        const char* message; // null: accepted
        double storedPc, storedN;
    };
    const Case cases[] = {
        {0.3, 2, nullptr, 0.3, 2},   {0.3, 1, size, 0.3, -1},       {0.3, 1.99, size, 0.3, -1},
        {0.3, inf, size, 0.3, -1},   {0.3, nan, size, 0.3, -1},     {0, 20, proportion, -1, -1},
        {1, 20, proportion, -1, -1}, {nan, 20, proportion, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pc << " " << c.n);
        m_sink.clear();
        CPowerLogrankCalc calc;
        try {
            calc.SetProportion(c.pc);
            calc.SetSampleSize(c.n);
            EXPECT_EQ(c.message, nullptr);
        } catch (const CUserException&) {
            ASSERT_NE(c.message, nullptr);
            ASSERT_EQ(m_sink.messages().size(), 1u);
            EXPECT_EQ(m_sink.last(), c.message);
        }
        EXPECT_EQ(calc.m_pControl, c.storedPc);
        EXPECT_EQ(calc.m_n, c.storedN);
    }
    CPowerLogrankCalc calc;
    EXPECT_TRUE(calc.SetEffectType(2));
    EXPECT_FALSE(calc.SetEffectType(0));
    EXPECT_FALSE(calc.SetEffectType(3));
    EXPECT_EQ(calc.m_effectType, 2);
}

TEST_F(PowerLogrankTest, TotalOfTwoNHasThePowerOfNPerGroup)
{
    // Freedman's count: D = ((1 + h) Z / (1 - h))^2 events detect the hazard ratio h, and a
    // subject has an event with the mean probability E / 2 = (2 - S - S^h) / 2, so two groups
    // of n give n (2 - S - S^h) = n E events and need n >= D / E. The sample-size calculator
    // compares D / E with its n per group; the power calculator's m_n is the TOTAL of both
    // groups, so it must compare D / E with m_n / 2. At m_n = 2n that is (2n) / 2 = n exactly
    // (halving is exact in binary), Z = z_power + z_alpha is the same sum of the same
    // deviates, so every one of the 11 comparisons of the bisection goes the same way, the
    // last midpoint h is the same double, and so are h (type 2 = kind 2), S^h - S (type 1 =
    // kind 1) and the failed-cell flag. Comparing against m_n itself, as if each group held
    // the total, would detect smaller effects and overstate the power.
    // The power calculator takes the proportion of deaths Pc and works on S = 1 - Pc. These
    // survivals are dyadic fractions, so 1 - (1 - S) gives S back exactly and the two
    // calculators see the same double.
    const double survivals[] = {0.0078125, 0.1875, 0.5, 0.75, 0.9375, 0.998046875};
    const struct
    {
        double alpha;
        bool twoTailed;
    } levels[] = {{0.01, true},  {0.05, true},  {0.10, true},
                  {0.02, false}, {0.10, false}, {0.20, false}};
    const char* const powers = "99.9,99,95,90,85,80,75,70,60,50,40,30,20,10,5,1";
    const char* const sizes = "2,3,4,5,7,10,15,25,40,60,89,100,150,300,1000,5000,100000,1000000";
    int compared = 0;
    for (double s : survivals)
        for (const auto& level : levels)
            for (int kind = 1; kind <= 2; ++kind) {
                CSampleLogrankCalc sample;
                sample.SetProportion(s);
                sample.SetEffectKind(kind);
                sample.SetAlpha(level.alpha, level.twoTailed);
                ASSERT_TRUE(sample.ParsePowers(powers));
                ASSERT_TRUE(sample.ParseNs(sizes));
                for (int r = 0; r < sample.m_nNs; ++r) {
                    CPowerLogrankCalc power;
                    power.SetProportion(1 - s);
                    power.SetSampleSize(2.0 * sample.m_ns[r]);
                    power.SetEffectType(kind);
                    power.SetAlpha(level.alpha, level.twoTailed);
                    ASSERT_TRUE(power.ParsePowers(powers));
                    for (int i = 0; i < sample.m_nPowers; ++i) {
                        double expected = -1;
                        double actual = -2;
                        const bool expectedOk = sample.ComputeCell(i, r, &expected);
                        EXPECT_EQ(power.ComputeCell(i, &actual), expectedOk);
                        EXPECT_EQ(actual, expected)
                            << "S " << s << " alpha " << level.alpha << " kind " << kind << " n "
                            << sample.m_ns[r] << " power " << sample.m_powers[i];
                        ++compared;
                    }
                }
            }
    EXPECT_EQ(compared, 6 * 6 * 2 * 18 * 16);
}

TEST_F(PowerLogrankTest, TotalSizeIsSplitBetweenTheGroups)
{
    // Freedman 1982: h = 0.5 at 80% power and a two-tailed 0.05 needs 70.6 events, that is
    // 178.2 subjects in all when Pc = 0.5 (2 x 70.6 / (2 - 0.5 - 0.5^0.5)). A total of 178
    // therefore detects h = 0.4998 (continuous root); reading 178 as the size of each group
    // would give about 0.62.
    auto calc = make(0.5, 178, 2);
    double h = 0;
    ASSERT_TRUE(calc->ComputeCell(4, &h)); // 80%
    EXPECT_NEAR(h, 0.499782, 0.0005);
}

TEST_F(PowerLogrankTest, TwoSubjectsCannotDetectAnythingAtHalfPowerOrMore)
{
    // Even h near 0 needs Z^2 / Pc events per subject of each group (2 - S - S^0 = Pc with
    // S = 1 - Pc); with one subject per group that is more than 1 whenever Z >= 1.96.
    for (double pc : {0.01, 0.5, 0.99}) {
        auto calc = make(pc, 2, 1);
        const std::string page =
            render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
        for (int i = 0; i < calc->m_nPowers; ++i) {
            double value = 0;
            const bool ok = calc->ComputeCell(i, &value);
            if (calc->m_powers[i] >= 50) {
                EXPECT_FALSE(ok) << pc << " " << calc->m_powers[i];
                EXPECT_NEAR(value, ZeroNearZero(std::pow(1 - pc, 0.001) - (1 - pc), 1 - pc), 1e-12);
            }
        }
        EXPECT_GE(countOf(page, "Impossible\t"), 9);
    }
}

TEST_F(PowerLogrankTest, ReadsTheControlProportionAsDeaths)
{
    // Freedman's count solved by R's uniroot (tol 1e-14) for the root h of
    //   (N / 2) (2 - S - S^h) = ((1 + h) / (1 - h))^2 (qnorm(1 - alpha / tails) + qnorm(power))^2
    // with S = 1 - Pc, the surviving share of controls; the difference is S^h - S, the drop
    // in the proportion of deaths. The written search stops at a width of 0.0005, so its
    // midpoint lies within 0.0005 of the root. Reading Pc = 0.3 as the surviving share would
    // give h = 0.595 at 80% instead of 0.403.
    const struct
    {
        double pc, n, alpha;
        bool twoTailed;
        const char* power;
        double h, difference;
    } cases[] = {
        {0.3, 200, 0.05, true, "80", 0.403227966851, 0.166042485226},
        {0.3, 200, 0.05, true, "99", 0.164569959809, 0.242991527334},
        {0.3, 200, 0.05, true, "10", 0.833366301988, 0.042865050187},
        {0.6, 80, 0.01, true, "90", 0.172231380017, 0.454008598069},
        {0.1, 1000, 0.10, false, "80", 0.562287312668, 0.042477831199},
        {0.85, 40, 0.10, true, "50", 0.536764098915, 0.211206342084},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pc << " " << c.n << " " << c.power);
        for (int type = 1; type <= 2; ++type) {
            auto calc = make(c.pc, c.n, type, c.alpha, c.twoTailed);
            ASSERT_TRUE(calc->ParsePowers(c.power));
            double value = 0;
            ASSERT_TRUE(calc->ComputeCell(0, &value));
            if (type == 2)
                EXPECT_NEAR(value, c.h, 0.0005);
            else
                EXPECT_NEAR(value, c.difference, 0.0005 * std::log(1 / (1 - c.pc)));
        }
    }
}

TEST_F(PowerLogrankTest, HugeStudiesStayBelowTheSearchLimit)
{
    // A tiny Z (power 3% at a two-tailed 0.05) with 2,000,000 subjects needs h above the
    // search range; the result is its last midpoint, 0.999 x 2047 / 2048.
    auto calc = make(0.5, 2e6, 2);
    calc->ParsePowers("3");
    double h = 0;
    ASSERT_TRUE(calc->ComputeCell(0, &h));
    EXPECT_DOUBLE_EQ(h, 0.999 * 2047 / 2048);
    const std::string page =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_NE(page.find("\n0.999\t3\t\n"), std::string::npos);
}

TEST_F(PowerLogrankTest, PagesCiteTheMethodOnStepThreeOnly)
{
    auto calc = make(0.4, 120, 1, 0.10, false);
    const std::string step3 =
        render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_NE(step3.find("Total sample size = 120<BR>Significance level (alpha) = 0.05 "
                         "(one-tailed)<BR>Method: written approximation"),
              std::string::npos);
    EXPECT_NE(step3.find("Choose the survival difference that you think would be"),
              std::string::npos);
    EXPECT_NE(step3.find("TARGET=\"_window\">\nSurvival Analysis. A Practical Approach.</A>\nThis "
                         "method assumes"),
              std::string::npos);
    ASSERT_TRUE(calc->SelectFromQuery("pow=4"));
    const std::string step4 =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteExplanationPage(w); });
    EXPECT_EQ(step4.find("Survival Analysis. A Practical Approach."), std::string::npos);
    EXPECT_NE(step4.find("power to detect a survival difference of "), std::string::npos);
    EXPECT_NE(step4.find("Survival difference\tPower (%)\t\n"), std::string::npos);
}

TEST_F(PowerLogrankTest, CloneCopiesInputsAndTheRestOfTheChain)
{
    auto calc = make(0.35, 64, 2, 0.01);
    calc->SelectFromQuery("pow=2");
    calc->next = new CSampleLogrankCalc;
    std::unique_ptr<CCalculator> copy(calc->Clone());
    auto* typed = dynamic_cast<CPowerLogrankCalc*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->m_pControl, 0.35);
    EXPECT_EQ(typed->m_n, 64);
    EXPECT_EQ(typed->m_effectType, 2);
    EXPECT_EQ(typed->m_alpha, 0.01);
    EXPECT_EQ(typed->m_selPower, 2);
    ASSERT_NE(dynamic_cast<CSampleLogrankCalc*>(typed->next), nullptr);
    EXPECT_NE(typed->next, calc->next);
    delete typed->next;
    delete calc->next;
}

} // namespace
