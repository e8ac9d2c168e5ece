// Direct answers against the tables they invert: for every calculator and both methods,
// at the N found the table's effect detects the asked one and at N - 1 it does not, and at
// the power found the table's effect is the asked one. A few answers are also checked
// against published values.
#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/CalcTestSupport.h"
#include "calc/CalculatorFactory.h"
#include "calc/DirectAnswerSearch.h"
#include "calc/Formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Case
{
    const char* name;
    int goal;
    int design;
    std::function<void(CCalculator&)> inputs;
    // Effects to ask for, in the table's units.
    std::vector<double> effects;
    // True when a detected effect is at most the asked one (false for hazard ratios below 1).
    bool atMost;
    // How close the written table's effect at a power found comes to the asked one: the
    // written survival search moves in steps of about 0.0005 in the hazard ratio and the
    // written ANOVA range in steps too. The exact tables are continuous (1e-6).
    double tolerance;
};

template <class Calc> Calc& As(CCalculator& c)
{
    return dynamic_cast<Calc&>(c);
}

std::vector<Case> Cases()
{
    return {
        {"sample unpaired",
         0,
         0,
         [](CCalculator& c) { As<CSampleUnpairedCalc>(c).SetSD(1); },
         {1, 0.3, 4},
         true,
         1e-6},
        {"sample paired",
         0,
         1,
         [](CCalculator& c) {
             auto& calc = As<CSamplePairedCalc>(c);
             calc.SetSD(2);
             calc.SetR(0.5);
         },
         {1},
         true,
         1e-6},
        {"sample one-sample",
         0,
         5,
         [](CCalculator& c) { As<CSampleOneCalc>(c).SetSD(3); },
         {0.7},
         true,
         1e-6},
        {"sample anova",
         0,
         2,
         [](CCalculator& c) {
             auto& calc = As<CSampleAnovaCalc>(c);
             calc.SetSD(1);
             calc.SetGroupCount(4);
         },
         {1},
         true,
         1e-6},
        {"sample survival increase",
         0,
         3,
         [](CCalculator& c) {
             auto& calc = As<CSampleLogrankCalc>(c);
             calc.SetProportion(0.6);
             calc.SetEffectKind(1);
         },
         {0.15},
         true,
         1e-6},
        {"sample survival hazard ratio",
         0,
         3,
         [](CCalculator& c) {
             auto& calc = As<CSampleLogrankCalc>(c);
             calc.SetProportion(0.6);
             calc.SetEffectKind(2);
         },
         {0.7},
         false,
         1e-6},
        {"sample proportions increase",
         0,
         4,
         [](CCalculator& c) { As<CSampleChiSquareCalc>(c).SetProportion(0.2); },
         {0.1, 0.3},
         true,
         1e-6},
        {"sample proportions risk reduction",
         0,
         4,
         [](CCalculator& c) {
             auto& calc = As<CSampleChiSquareCalc>(c);
             calc.SetProportion(0.4);
             calc.SetEffectKind(0, 2);
         },
         {0.5},
         true,
         1e-6},
        {"power unpaired",
         1,
         0,
         [](CCalculator& c) { As<CPowerUnpairedCalc>(c).SetGroups(10, 12, 1, 1.2); },
         {1, 0.2},
         true,
         1e-6},
        {"power paired",
         1,
         1,
         [](CCalculator& c) {
             auto& calc = As<CPowerPairedCalc>(c);
             calc.SetPairs(10);
             calc.SetSD(1);
         },
         {1},
         true,
         1e-6},
        {"power one-sample",
         1,
         5,
         [](CCalculator& c) {
             auto& calc = As<CPowerOneCalc>(c);
             calc.SetSampleSize(8);
             calc.SetSD(1);
         },
         {1.2},
         true,
         1e-6},
        {"power anova",
         1,
         2,
         [](CCalculator& c) {
             auto& calc = As<CPowerAnovaCalc>(c);
             calc.SetDfTreatment(2);
             calc.SetMsGroups(12.5);
             calc.SetDfResidual(27);
             calc.SetMsResidual(4);
         },
         {2.5},
         true,
         0.05},
        {"power survival hazard ratio",
         1,
         3,
         [](CCalculator& c) {
             auto& calc = As<CPowerLogrankCalc>(c);
             calc.SetProportion(0.3);
             calc.SetSampleSize(120);
             calc.SetEffectType(2);
         },
         {0.5},
         false,
         1e-3},
        {"power survival difference",
         1,
         3,
         [](CCalculator& c) {
             auto& calc = As<CPowerLogrankCalc>(c);
             calc.SetProportion(0.3);
             calc.SetSampleSize(120);
             calc.SetEffectType(1);
         },
         {0.15},
         true,
         1e-3},
        {"power proportions relative risk",
         1,
         4,
         [](CCalculator& c) {
             auto& calc = As<CPowerChiSquareCalc>(c);
             calc.SetGroups(50, 60, 0.3, 0.45);
             calc.SetEffectType(1);
         },
         {1.8},
         true,
         1e-6},
    };
}

class DirectAnswerTest : public CalcPageTest
{
protected:
    std::unique_ptr<CCalculator> Make(const Case& c, CalcMethod method, const char* powers)
    {
        std::unique_ptr<CCalculator> calc(CreateCalculator(c.goal, c.design));
        c.inputs(*calc);
        calc->SetMethod(method);
        calc->ParsePowers(powers);
        return calc;
    }

    // The table's cell at power column p and size n, computed by a calculator whose list
    // of sizes is just n, as a user would get it.
    bool SampleCell(const Case& c, CalcMethod method, const char* powers, int p, int n,
                    double& value)
    {
        auto calc = Make(c, method, powers);
        calc->ParseNs(std::to_string(n));
        return dynamic_cast<CSampleCalc&>(*calc).ComputeCell(p, 0, &value);
    }

    bool PowerCell(const Case& c, CalcMethod method, const std::string& power, double& value)
    {
        auto table = Make(c, method, power.c_str());
        return dynamic_cast<CPowerCalc&>(*table).ComputeCell(0, &value);
    }

    bool Detects(const Case& c, CalcMethod method, const char* powers, int p, int n)
    {
        double value = 0;
        if (!SampleCell(c, method, powers, p, n, value))
            return false;
        return c.atMost ? value <= effect : value >= effect;
    }

    double effect = 0;
};

const char* const Powers = "95,80,50";

TEST_F(DirectAnswerTest, AnswersInvertTheirTablesForEveryCalculatorAndMethod)
{
    for (const Case& c : Cases())
        for (CalcMethod method : {CalcMethod::Approximate, CalcMethod::Exact})
            for (double asked : c.effects) {
                effect = asked;
                SCOPED_TRACE(std::string(c.name) + (method == CalcMethod::Exact ? " exact " : " ") +
                             std::to_string(asked));
                auto calc = Make(c, method, Powers);
                ASSERT_TRUE(FindDirectAnswers(*calc, asked));
                const DirectAnswers& answers = calc->m_direct;
                if (c.goal == 0) {
                    ASSERT_EQ(answers.lines.size(), 3u);
                    for (int p = 0; p < 3; ++p) {
                        const DirectAnswer& line = answers.lines[static_cast<size_t>(p)];
                        ASSERT_TRUE(line.ok) << line.message;
                        EXPECT_TRUE(Detects(c, method, Powers, p, line.n)) << line.n;
                        if (line.n > 2) {
                            EXPECT_FALSE(Detects(c, method, Powers, p, line.n - 1)) << line.n;
                        }
                        // Where the table goes up and down, every larger N detects it too.
                        if (answers.notMonotone) {
                            for (int n = line.n; n <= 205; ++n)
                                EXPECT_TRUE(Detects(c, method, Powers, p, n)) << n;
                        }
                        // The N joined the rows of the table.
                        EXPECT_GE(IndexInList(calc->m_ns, calc->m_nNs, line.n), 0);
                    }
                } else {
                    ASSERT_EQ(answers.lines.size(), 1u);
                    const DirectAnswer& line = answers.lines[0];
                    ASSERT_TRUE(line.ok) << line.message;
                    std::string power;
                    FormatNumber(line.power, power);
                    double value = 0;
                    ASSERT_TRUE(PowerCell(c, method, power, value));
                    const double tolerance = method == CalcMethod::Exact ? 1e-6 : c.tolerance;
                    EXPECT_NEAR(value, asked, tolerance * std::max(1.0, std::fabs(asked)));
                    EXPECT_TRUE(c.atMost ? value >= asked : value <= asked);
                    // One unit less in the last decimal shown does not reach the effect.
                    const size_t point = power.find('.');
                    const int decimals =
                        point == std::string::npos ? 0 : static_cast<int>(power.size() - point - 1);
                    const std::string below =
                        formatInCLocale("%.*f", decimals, line.power - std::pow(10.0, -decimals));
                    if (PowerCell(c, method, below, value)) {
                        EXPECT_TRUE(c.atMost ? value < asked : value > asked) << below;
                    }
                    EXPECT_GE(IndexInList(calc->m_powers, calc->m_nPowers, line.power), 0);
                }
            }
}

TEST_F(DirectAnswerTest, PublishedSizesAndPowersOfTheExactTTest)
{
    // R's stats documentation, examples of power.t.test (sd 1, alpha 0.05):
    // power.t.test(power = .90, delta = 1) gives n = 22.02110 per group, so 23 whole ones;
    // power.t.test(power = .90, delta = 1, alternative = "one.sided") gives n = 17.84713;
    // power.t.test(n = 20, delta = 1) gives power = 0.8689528.
    struct Expected
    {
        int goal;
        double alpha;
        bool twoTailed;
        double n; // the N per group found (sample goal) or entered (power goal)
        double power;
    };
    const Expected expected[] = {
        {0, 0.05, true, 23, 90}, {0, 0.10, false, 18, 90}, {1, 0.05, true, 20, 86.89528}};
    for (const Expected& e : expected) {
        std::unique_ptr<CCalculator> calc(CreateCalculator(e.goal, 0));
        calc->SetMethod(CalcMethod::Exact);
        calc->SetAlpha(e.alpha, e.twoTailed);
        if (e.goal == 0) {
            As<CSampleUnpairedCalc>(*calc).SetSD(1);
            calc->ParsePowers("90");
        } else {
            As<CPowerUnpairedCalc>(*calc).SetGroups(e.n, e.n, 1, 1);
        }
        ASSERT_TRUE(FindDirectAnswers(*calc, 1));
        const DirectAnswer& line = calc->m_direct.lines.front();
        if (e.goal == 0)
            EXPECT_EQ(line.n, e.n);
        else
            EXPECT_NEAR(line.power, e.power, 1e-4);
    }
}

TEST_F(DirectAnswerTest, EffectsNoSizeOrPowerReachesAreFailedAnswers)
{
    struct Unreachable
    {
        int goal;
        double effect;
    };
    // 0.001 SD needs tens of millions per group; 50 SDs need more than any power; no
    // power above the level detects a difference of 0 or less.
    const Unreachable cases[] = {{0, 0.001}, {1, 50}, {1, -1}};
    for (CalcMethod method : {CalcMethod::Approximate, CalcMethod::Exact})
        for (const Unreachable& u : cases) {
            std::unique_ptr<CCalculator> calc(CreateCalculator(u.goal, 1));
            calc->SetMethod(method);
            if (u.goal == 0) {
                As<CSamplePairedCalc>(*calc).SetSD(1);
            } else {
                As<CPowerPairedCalc>(*calc).SetPairs(10);
                As<CPowerPairedCalc>(*calc).SetSD(1);
            }
            const int nsBefore = calc->m_nNs;
            const int powersBefore = calc->m_nPowers;
            if (method == CalcMethod::Approximate && u.effect < 0)
                continue; // the written table runs on below zero at powers under the level
            EXPECT_FALSE(FindDirectAnswers(*calc, u.effect)) << u.effect;
            for (const DirectAnswer& line : calc->m_direct.lines) {
                EXPECT_FALSE(line.ok);
                EXPECT_EQ(line.n, 0);
                EXPECT_FALSE(line.message.empty());
            }
            EXPECT_EQ(calc->m_nNs, nsBefore);
            EXPECT_EQ(calc->m_nPowers, powersBefore);
        }
}

TEST_F(DirectAnswerTest, AnswersJoinTheListsKeepTheSelectionAndSurviveAClone)
{
    std::unique_ptr<CCalculator> calc(CreateCalculator(0, 0));
    As<CSampleUnpairedCalc>(*calc).SetSD(1);
    calc->ParsePowers("90,80");
    calc->ParseNs("10,20,30");
    ASSERT_TRUE(calc->SelectFromQuery("n=2&pow=1"));
    ASSERT_TRUE(FindDirectAnswers(*calc, 1));
    std::string ns;
    calc->FormatNs(ns);
    // Written method: 23 per group for 90% and 17 for 80% (the table's own cells, checked
    // above); both join the rows in order.
    EXPECT_EQ(ns, "10,17,20,23,30");
    EXPECT_EQ(calc->m_ns[calc->m_selN], 30);
    EXPECT_EQ(calc->m_selPower, 1);
    std::unique_ptr<CCalculator> copy(calc->Clone());
    EXPECT_TRUE(copy->m_direct.requested);
    EXPECT_EQ(copy->m_direct.lines.size(), 2u);
    EXPECT_EQ(copy->m_direct.lines[1].n, 17);

    // A full list gives up its last entries that are not answers.
    std::string hundred;
    for (int n = 2; n < 102; ++n)
        hundred += (n > 2 ? "," : "") + std::to_string(n);
    ASSERT_TRUE(calc->ParseNs(hundred));
    ASSERT_TRUE(FindDirectAnswers(*calc, 0.3));
    EXPECT_EQ(calc->m_nNs, CCalculator::MaxListSize);
    for (const DirectAnswer& line : calc->m_direct.lines)
        EXPECT_GE(IndexInList(calc->m_ns, calc->m_nNs, line.n), 0);
    EXPECT_EQ(calc->m_ns[0], 2);
}

} // namespace
