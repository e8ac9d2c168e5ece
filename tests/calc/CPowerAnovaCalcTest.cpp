// The power ANOVA calculator: agreement with the sample-size calculator on the same design,
// detectable ranges against an independent reference, the setters in their form's order,
// the decimals rule of the two mean squares, cloning and the texts of both page modes.
#include "calc/CPowerAnovaCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/CalcTestSupport.h"
#include "calc/CalculatorFactory.h"
#include "calc/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

const char* const DfTreatmentMessage =
    "DF treatment must be a positive integer.\nEnter correct value in the field and try again.";
const char* const MsGroupsMessage = "Groups mean square must be a positive number.\nEnter "
                                    "correct value in the field and try again.";
const char* const DfResidualMessage =
    "DF residual must be a positive integer.\nEnter correct value in the field and try again.";
const char* const MsResidualMessage = "Residual mean square must be a positive number.\nEnter "
                                      "correct value in the field and try again.";

using PowerAnovaTest = CalcPageTest;

double Cell(const CPowerAnovaCalc& calc, int p)
{
    double v = -999;
    EXPECT_TRUE(calc.ComputeCell(p, &v));
    return v;
}

void Enter(CPowerAnovaCalc& calc, int dfTreatment, double msGroups, int dfResidual,
           double msResidual)
{
    calc.SetDfTreatment(dfTreatment);
    calc.SetMsGroups(msGroups);
    calc.SetDfResidual(dfResidual);
    calc.SetMsResidual(msResidual);
}

// Why the two calculators must agree exactly. For the sample-size calculator with k groups of
// n and SD sd the search runs on
//     nu1 = k - 1,  nu2 = (n - 1) k,  m = k n (lambda = m f^2, the total sample size),
// and the range is 2 f sd / sqrt((k + 1) / (3 (k - 1))).
// The power calculator reads k = df treatment + 1, nu1 = df treatment, nu2 = df residual,
// m = df residual + k (the total sample size N = df residual + k, since df residual = N - k)
// and S = sqrt(residual MS). Entering df treatment = k - 1, df residual = (n - 1) k and
// residual MS = sd^2 therefore gives
//     k' = k,  nu1' = k - 1,  nu2' = (n - 1) k,  m' = (n - 1) k + k = k n,
//     S' = sqrt(sd^2) = sd,
// all exact in double arithmetic (whole numbers far below 2^53; the correctly rounded square
// root of the correctly rounded square of sd is sd again). Same alpha and same power
// deviates, so both run the same 16 halvings on the same numbers and the cells are equal
// bit for bit. With the residual MS itself as the SD the ranges would differ by the factor
// sd, and with m = k (df residual + k) by sqrt(k).
TEST_F(PowerAnovaTest, AgreesExactlyWithTheSampleSizeCalculatorOnTheSameDesign)
{
    const char* const powers = "99.9,99,95,90,80,65.5,50,30,10,1,0.000001";
    const int groups[] = {3, 4, 7, 12, 20};
    const int sizes[] = {2, 3, 10, 47, 1000, 1000000};
    const double sds[] = {1e-10, 0.003, 1, 2.5, 17.3, 1e10};
    const double alphas[] = {0.01, 0.05, 0.10};
    for (int k : groups) {
        for (double sd : sds) {
            for (double alpha : alphas) {
                CSampleAnovaCalc sample;
                sample.SetGroupCount(k);
                sample.SetSD(sd);
                ASSERT_TRUE(sample.SetAlpha(alpha, true));
                ASSERT_TRUE(sample.ParsePowers(powers));
                ASSERT_TRUE(sample.ParseNs("2,3,10,47,1000,1000000"));
                for (int r = 0; r < sample.m_nNs; ++r) {
                    const int n = sizes[r];
                    SCOPED_TRACE(std::to_string(k) + " groups of " + std::to_string(n) + ", sd " +
                                 std::to_string(sd) + ", alpha " + std::to_string(alpha));
                    CPowerAnovaCalc power;
                    Enter(power, k - 1, 3.5, (n - 1) * k, sd * sd);
                    ASSERT_TRUE(power.SetAlpha(alpha, true));
                    ASSERT_TRUE(power.ParsePowers(powers));
                    ASSERT_EQ(power.m_nPowers, sample.m_nPowers);
                    for (int p = 0; p < power.m_nPowers; ++p) {
                        double expected = 0;
                        double actual = 0;
                        const bool valid = sample.ComputeCell(p, r, &expected);
                        EXPECT_EQ(power.ComputeCell(p, &actual), valid);
                        EXPECT_EQ(actual, expected) << "power " << power.m_powers[p];
                    }
                }
            }
        }
    }
}

// Designs that are not k groups of equal size, against the separate multiple-precision
// program described with the sample-size tests (the approximation solved to full precision,
// and the exact noncentral F).
TEST_F(PowerAnovaTest, DetectableRangesMatchTheIndependentReference)
{
    struct Case
    {
        int dfTreatment;
        int dfResidual;
        double msResidual;
        const char* power;
        double alpha;
        double approx;
        double exact;
    };
    const Case cases[] = {
        {2, 20, 4, "80", 0.05, 3.396208, 3.424068},
        {2, 20, 4, "90", 0.10, 3.428211, 3.504536},
        {5, 100, 0.01, "50", 0.01, 0.098651, 0.098054},
        {1, 5, 9, "80", 0.05, 7.897747, 7.968782},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dfTreatment) + "/" + std::to_string(c.dfResidual));
        CPowerAnovaCalc calc;
        Enter(calc, c.dfTreatment, 1, c.dfResidual, c.msResidual);
        ASSERT_TRUE(calc.SetAlpha(c.alpha, true));
        ASSERT_TRUE(calc.ParsePowers(c.power));
        const double k = c.dfTreatment + 1;
        const double onePerStep =
            2 * (20.0 / 65536) * std::sqrt(c.msResidual) / std::sqrt((k + 1) / (3 * (k - 1)));
        const double range = Cell(calc, 0);
        EXPECT_NEAR(range, c.approx, 1.5 * onePerStep);
        EXPECT_NEAR(range, c.exact, 0.03 * c.exact);
    }
}

TEST_F(PowerAnovaTest, SettersRefuseInTheirFormOrderAndKeepEarlierValues)
{
    using Setter = std::function<bool(CPowerAnovaCalc&)>;
    struct Case
    {
        const char* name;
        Setter setter;
        const char* message;
    };
    const Case cases[] = {
        {"df treatment 0", [](CPowerAnovaCalc& c) { return c.SetDfTreatment(0); },
         DfTreatmentMessage},
        {"df treatment -2", [](CPowerAnovaCalc& c) { return c.SetDfTreatment(-2); },
         DfTreatmentMessage},
        {"groups MS 0", [](CPowerAnovaCalc& c) { return c.SetMsGroups(0); }, MsGroupsMessage},
        {"groups MS NaN", [](CPowerAnovaCalc& c) { return c.SetMsGroups(NaN); }, MsGroupsMessage},
        {"groups MS inf", [](CPowerAnovaCalc& c) { return c.SetMsGroups(Inf); }, MsGroupsMessage},
        {"df residual 0", [](CPowerAnovaCalc& c) { return c.SetDfResidual(0); }, DfResidualMessage},
        {"residual MS -1", [](CPowerAnovaCalc& c) { return c.SetMsResidual(-1); },
         MsResidualMessage},
        {"residual MS inf", [](CPowerAnovaCalc& c) { return c.SetMsResidual(Inf); },
         MsResidualMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPowerAnovaCalc calc;
        Enter(calc, 3, 12, 36, 2);
        ASSERT_TRUE(m_sink.messages().empty());
        m_sink.clear();
        EXPECT_THROW(c.setter(calc), CUserException);
        ASSERT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(m_sink.last(), c.message);
        EXPECT_EQ(calc.m_dfTreatment, 3);
        EXPECT_EQ(calc.m_msGroups, 12);
        EXPECT_EQ(calc.m_dfResidual, 36);
        EXPECT_EQ(calc.m_msResidual, 2);
        calc.m_reportErrors = false;
        EXPECT_FALSE(c.setter(calc));
        EXPECT_EQ(m_sink.messages().size(), 1u);
        m_sink.clear();
    }

    // A save stops at the first refusal: what came before it stays stored.
    CPowerAnovaCalc calc;
    EXPECT_TRUE(calc.SetDfTreatment(4));
    EXPECT_THROW(calc.SetMsGroups(-1), CUserException);
    EXPECT_EQ(calc.m_dfTreatment, 4);
    EXPECT_EQ(calc.m_msGroups, -1);
    EXPECT_EQ(calc.m_dfResidual, -1);
}

TEST_F(PowerAnovaTest, DecimalsFollowTheSmallerMeanSquareInEitherOrder)
{
    struct Case
    {
        const char* name;
        double first; // entered first
        bool groupsFirst;
        double second; // entered second; <= 0 for none
        int afterFirst;
        int afterBoth;
        const char* format;
    };
    const Case cases[] = {
        {"groups 4, residual 0.02", 4, true, 0.02, 2, 3, "%.3f"},
        {"residual 0.02, groups 4", 0.02, false, 4, 3, 3, "%.3f"},
        {"groups 0.002, residual 0.5", 0.002, true, 0.5, 4, 4, "%.4f"},
        {"residual 7, groups 9", 7, false, 9, 2, 2, "%.2f"},
        {"residual 0.0004 only", 0.0004, false, 0, 5, 5, "%.5f"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPowerAnovaCalc calc;
        calc.SetDfTreatment(2);
        calc.SetDfResidual(12);
        if (c.groupsFirst)
            calc.SetMsGroups(c.first);
        else
            calc.SetMsResidual(c.first);
        EXPECT_EQ(calc.m_decimals, c.afterFirst);
        if (c.second > 0) {
            if (c.groupsFirst)
                calc.SetMsResidual(c.second);
            else
                calc.SetMsGroups(c.second);
        }
        EXPECT_EQ(calc.m_decimals, c.afterBoth);
        CTableLabels labels;
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteDataTable(w, labels); });
        EXPECT_EQ(labels.valueFormat, c.format);
    }
}

TEST_F(PowerAnovaTest, DataTableUsesThePlainLabelAndOneRowPerPower)
{
    // Three groups of ten with SD 1 (reference values 1.654711 at 90% and 1.062577 at 50%).
    CPowerAnovaCalc calc;
    Enter(calc, 2, 3, 27, 1);
    ASSERT_TRUE(calc.ParsePowers("90,50"));
    for (int mode : {CHtmlWriter::ModeText, CHtmlWriter::ModeHtml}) {
        CTableLabels labels;
        const std::string table =
            render(mode, [&](CHtmlWriter& w) { EXPECT_TRUE(calc.WriteDataTable(w, labels)); });
        EXPECT_EQ(labels.rowLabel, "Range of means (d2)");
        EXPECT_EQ(labels.title, "");
        EXPECT_EQ(labels.valueLabel, "");
        EXPECT_EQ(table, "Range of means (d2)\tPower(%)\n1.65\t90\n1.06\t50\n");
    }
}

TEST_F(PowerAnovaTest, IdentityAndStartingValues)
{
    CPowerAnovaCalc calc;
    EXPECT_EQ(calc.m_dfTreatment, -1);
    EXPECT_EQ(calc.m_dfResidual, -1);
    EXPECT_EQ(calc.m_msGroups, -1);
    EXPECT_EQ(calc.m_msResidual, -1);
    EXPECT_EQ(calc.m_nNs, 1);
    EXPECT_EQ(calc.m_nPowers, 13);
    EXPECT_EQ(calc.GetTitleId(), 516u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 517u);
    EXPECT_STREQ(LoadString(516), "Power of a one-way ANOVA");
    EXPECT_STREQ(LoadString(517), "Explanation of power of a one-way ANOVA");
    for (int goal = 0; goal < 2; ++goal)
        for (int design = 0; design < 6; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 1 && design == 2);
    std::unique_ptr<CCalculator> made(CreateCalculator(1, 2));
    EXPECT_NE(dynamic_cast<CPowerAnovaCalc*>(made.get()), nullptr);
}

TEST_F(PowerAnovaTest, CloneCopiesInputsSelectionAndTheRestOfTheChain)
{
    CPowerAnovaCalc head;
    Enter(head, 3, 0.5, 40, 0.02);
    ASSERT_TRUE(head.SetAlpha(0.10, true));
    ASSERT_TRUE(head.SelectFromQuery("pow=4"));
    auto* second = new CSampleAnovaCalc;
    second->SetGroupCount(5);
    second->SetSD(3);
    head.next = second;

    std::unique_ptr<CCalculator> copy(head.Clone());
    auto* first = dynamic_cast<CPowerAnovaCalc*>(copy.get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_dfTreatment, 3);
    EXPECT_EQ(first->m_msGroups, 0.5);
    EXPECT_EQ(first->m_dfResidual, 40);
    EXPECT_EQ(first->m_msResidual, 0.02);
    EXPECT_EQ(first->m_decimals, 3);
    EXPECT_EQ(first->m_alpha, 0.10);
    EXPECT_EQ(first->m_selPower, 4);
    EXPECT_EQ(Cell(*first, 4), Cell(head, 4));
    auto* copiedSecond = dynamic_cast<CSampleAnovaCalc*>(first->next);
    ASSERT_NE(copiedSecond, nullptr);
    EXPECT_NE(copiedSecond, second);
    EXPECT_EQ(copiedSecond->m_groups, 5);
    EXPECT_EQ(copiedSecond->m_sd, 3);

    head.SetMsResidual(9);
    EXPECT_EQ(first->m_msResidual, 0.02);
    delete copiedSecond;
    delete second;
    head.next = nullptr;
}

TEST_F(PowerAnovaTest, PagesWriteTheTextOrHtmlFormAndNoTailsNote)
{
    CPowerAnovaCalc calc;
    Enter(calc, 2, 6, 27, 1.5);
    ASSERT_TRUE(calc.SelectFromQuery("pow=2"));
    const struct
    {
        int mode;
        const char* effect;
        const char* cohen;
        const char* other;
    } modes[] = {
        {CHtmlWriter::ModeText, "range of means (d2)", "(Cohen's d2).", "<sub>"},
        {CHtmlWriter::ModeHtml, "range of means (d<sub>2</sub>)", "(Cohen&rsquo;s d<sub>2</sub>).",
         "d2"},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        const std::string step3 =
            render(m.mode, [&](CHtmlWriter& w) { calc.WriteTradeoffPage(w); });
        EXPECT_EQ(countOf(step3, std::string("power specified  ") + m.cohen), 1);
        EXPECT_EQ(countOf(step3, std::string("Choose the smallest ") + m.effect + " that"), 1);
        EXPECT_EQ(countOf(step3, "R" + std::string(m.effect).substr(1)), 1);
        EXPECT_EQ(countOf(step3, m.other), 0);
        const std::string step4 =
            render(m.mode, [&](CHtmlWriter& w) { calc.WriteExplanationPage(w); });
        EXPECT_EQ(countOf(step4, std::string("the true ") + m.effect + " is"), 1);
        EXPECT_EQ(countOf(step4, std::string("shows the ") + m.effect + " that can"), 1);
        EXPECT_EQ(countOf(step4, m.other), 0);
        for (const std::string& page : {step3, step4}) {
            EXPECT_EQ(countOf(page, "-tailed"), 0);
            EXPECT_EQ(countOf(page, "Significance level (alpha) = 0.05"), 1);
        }
    }
}

} // namespace
