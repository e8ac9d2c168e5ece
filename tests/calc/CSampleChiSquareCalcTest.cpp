#include "calc/CSampleChiSquareCalc.h"

#include "calc/CalcTestSupport.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/StringTable.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

const char* const ProportionText =
    "Proportion must be between 0 and 1.\nEnter correct value in the field and try again.";

class SampleChiSquareTest : public CalcPageTest
{
protected:
    // A calculator with one power and one sample size, so that cell (0, 0) is the case.
    std::unique_ptr<CSampleChiSquareCalc> make(double p, int kind, int n, double power,
                                               double alpha = 0.05)
    {
        auto calc = std::make_unique<CSampleChiSquareCalc>();
        calc->SetProportion(p);
        calc->SetEffectKind(kind % 2 == 1 ? 1 : 0, kind <= 2 ? 1 : 2);
        calc->SetAlpha(alpha, true);
        calc->ParsePowers(formatDouble(power));
        calc->ParseNs(std::to_string(n));
        return calc;
    }

    static std::string formatDouble(double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.14g", v);
        return text;
    }
};

TEST_F(SampleChiSquareTest, StartsAtHalfWithAnIncreaseAndTwoDecimals)
{
    CSampleChiSquareCalc calc;
    EXPECT_EQ(calc.m_pControl, 0.5);
    EXPECT_EQ(calc.m_effectKind, 1);
    EXPECT_EQ(calc.m_decimals, 2);
    EXPECT_EQ(calc.IsHigher(), 1);
    EXPECT_EQ(calc.GetTabulate(), 1);
    EXPECT_EQ(calc.GetTitleId(), 510u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 511u);
    EXPECT_STREQ(LoadString(510), "Sample size for compare two proportions");
    EXPECT_STREQ(LoadString(511), "Explanation of sample size for compare two proportions");
    for (int goal = 0; goal <= 1; ++goal)
        for (int design = 0; design <= 5; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 0 && design == 4);
}

TEST_F(SampleChiSquareTest, EffectKindCombinesDirectionAndScale)
{
    struct Case
    {
        int direction, tabulate;
        bool accepted;
        int kind, higher, scale;
    };
    const Case cases[] = {
        {1, 1, true, 1, 1, 1},  {0, 1, true, 2, 0, 1},   {1, 2, true, 3, 1, 2},
        {0, 2, true, 4, 0, 2},  {2, 1, false, 3, 1, 2},  {1, 0, false, 3, 1, 2},
        {0, 3, false, 3, 1, 2}, {-1, 2, false, 3, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << "," << c.tabulate);
        CSampleChiSquareCalc calc;
        ASSERT_TRUE(calc.SetEffectKind(1, 2));
        EXPECT_EQ(calc.SetEffectKind(c.direction, c.tabulate), c.accepted);
        EXPECT_EQ(calc.m_effectKind, c.kind);
        EXPECT_EQ(calc.IsHigher(), c.higher);
        EXPECT_EQ(calc.GetTabulate(), c.scale);
    }
    EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(SampleChiSquareTest, ProportionMustLieStrictlyBetweenZeroAndOne)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double p;
        bool accepted;
    } cases[] = {{0.001, true}, {0.999, true}, {0.5, true},  {0, false},
                 {1, false},    {-0.2, false}, {1.5, false}, {nan, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        m_sink.clear();
        CSampleChiSquareCalc calc;
        calc.m_pControl = 0.3;
        if (c.accepted) {
            EXPECT_TRUE(calc.SetProportion(c.p));
            EXPECT_EQ(calc.m_pControl, c.p);
            EXPECT_TRUE(m_sink.messages().empty());
        } else {
            EXPECT_THROW(calc.SetProportion(c.p), CUserException);
            EXPECT_EQ(calc.m_pControl, 0.3);
            ASSERT_EQ(m_sink.messages().size(), 1u);
            EXPECT_EQ(m_sink.last(), ProportionText);
        }
    }
}

TEST_F(SampleChiSquareTest, CellsMatchTheArcsineFormula)
{
    // References computed independently with exact normal quantiles:
    // phi_t = asin(sqrt(P)) +- (z_alpha + z_power) / sqrt(2n), P_t = sin^2(phi_t).
    // The first row also reproduces a published result: two groups of 174.4195 detect
    // Cohen's h = 0.3 with 80% power at a two-tailed 0.05 (pwr::pwr.2p.test), so at n = 174
    // 2 asin(sqrt(0.5 + d)) - 2 asin(sqrt(0.5)) = 0.3 sqrt(174.4195 / 174).
    struct Case
    {
        double p;
        int kind, n;
        double power, alpha, expected;
    };
    const Case cases[] = {
        {0.5, 1, 174, 80, 0.05, 0.147933},  {0.2, 1, 50, 90, 0.05, 0.302401},
        {0.2, 2, 50, 90, 0.05, 0.180667},   {0.2, 3, 50, 90, 0.05, 2.512005},
        {0.2, 4, 50, 90, 0.05, 0.903334},   {0.7, 2, 20, 95, 0.01, 0.598762},
        {0.1, 4, 1000, 80, 0.10, 0.308204},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << " kind " << c.kind << " n " << c.n);
        auto calc = make(c.p, c.kind, c.n, c.power, c.alpha);
        double value = 0;
        ASSERT_TRUE(calc->ComputeCell(0, 0, &value));
        EXPECT_NEAR(value, c.expected, 2e-5 * std::max(1.0, c.expected));
    }
    auto calc = make(0.5, 1, 174, 80);
    double d = 0;
    calc->ComputeCell(0, 0, &d);
    EXPECT_NEAR(2 * std::asin(std::sqrt(0.5 + d)) - 2 * std::asin(std::sqrt(0.5)),
                0.3 * std::sqrt(174.4195 / 174), 1e-5);
}

TEST_F(SampleChiSquareTest, KindsOfOneDirectionDescribeTheSameTreatedProportion)
{
    // Ratio and difference come from the same P_t: kind 3 = 1 + kind 1 / P and
    // kind 4 = kind 2 / P; ratios of a higher group exceed 1, of a lower one lie in (0, 1).
    for (double p : {0.05, 0.3, 0.5, 0.8}) {
        auto calc = std::make_unique<CSampleChiSquareCalc>();
        calc->SetProportion(p);
        for (int r = 0; r < calc->m_nNs; ++r)
            for (int i = 0; i < calc->m_nPowers; ++i) {
                SCOPED_TRACE(testing::Message() << p << " n " << calc->m_ns[r] << " pow " << i);
                double v[5] = {};
                bool ok[5] = {};
                for (int kind = 1; kind <= 4; ++kind) {
                    calc->SetEffectKind(kind % 2, kind <= 2 ? 1 : 2);
                    ok[kind] = calc->ComputeCell(i, r, &v[kind]);
                }
                EXPECT_EQ(ok[1], ok[3]);
                EXPECT_EQ(ok[2], ok[4]);
                if (ok[1] && v[1] != 0) {
                    EXPECT_NEAR(v[3], 1 + v[1] / p, 1e-12 * v[3]);
                    EXPECT_GT(v[3], 1);
                }
                if (ok[2] && v[2] != 0) {
                    EXPECT_NEAR(v[4], v[2] / p, 1e-12);
                    EXPECT_GT(v[4], 0);
                    EXPECT_LT(v[4], 1);
                }
            }
    }
}

TEST_F(SampleChiSquareTest, ImpossibleWhenTheTreatedProportionLeavesZeroToOne)
{
    // At P = 0.5 phi_c = pi/4 lies midway, so a higher and a lower treated group become
    // impossible for the same cells (h >= pi/2, that is n <= 2 Z^2 / 2.467). Away from 0.5
    // the side nearer its bound fails first: 0.7 higher and 0.3 lower fail at n = 10 with
    // 99% power, where the other direction is still finite.
    struct Case
    {
        double p;
        int n;
        double power;
        bool higherOk, lowerOk;
    };
    const Case cases[] = {
        {0.5, 3, 50, false, false},     {0.5, 14, 99, false, false},    {0.5, 15, 99, true, true},
        {0.5, 3, 20, true, true},       {0.7, 10, 99, false, true},     {0.3, 10, 99, true, false},
        {0.999, 1000, 50, false, true}, {0.001, 1000, 50, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << " n " << c.n << " power " << c.power);
        const bool ok[2] = {c.higherOk, c.lowerOk};
        for (int kind = 1; kind <= 4; ++kind) {
            auto calc = make(c.p, kind, c.n, c.power);
            double value = 0;
            const bool expectOk = ok[(kind + 1) % 2];
            EXPECT_EQ(calc->ComputeCell(0, 0, &value), expectOk) << "kind " << kind;
            if (!expectOk)
                EXPECT_EQ(value, 1.7e38);
            else
                EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST_F(SampleChiSquareTest, ImpossibleCellsShowTheWordWithoutLinkAndStayEmptyAsData)
{
    auto calc = make(0.5, 1, 3, 50);
    calc->ParseNs("3,200");
    const std::string page =
        render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_NE(page.find("<TD ALIGN=\"RIGHT\">\nImpossible</TD>"), std::string::npos);
    EXPECT_EQ(page.find("?n=0&pow=0"), std::string::npos);
    EXPECT_NE(page.find("<A HREF=\"?n=1&pow=0\">\n0.10</A>"), std::string::npos);

    CTableLabels labels;
    const std::string data =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteDataTable(w, labels); });
    EXPECT_EQ(data, "N per group\t50%\t\n3\t\t\n200\t0.10\t\n");
    EXPECT_EQ(labels.title, "Sample size per group");
    EXPECT_EQ(labels.valueLabel, "Increase");
}

TEST_F(SampleChiSquareTest, PowersAtOrBelowTheLevelFailAndSmallEffectsStay)
{
    // At a two-tailed 0.05 no increase has a power of 5% or less: the written formula's
    // values there (a tiny or a negative increase) are failed cells. A small true increase
    // is kept (reference: sin^2(pi/4 + 1.959964 sqrt(2) / (2 sqrt(n))) - 0.5 by hand).
    struct Case
    {
        double power;
        int n;
        bool valid;
        double expected;
    };
    const Case cases[] = {
        {2.8, 1000000, false, 0}, {2.8, 100000, false, 0},           {1, 5000, false, 0},
        {5, 1500, false, 0},      {50, 1000000, true, 0.0013859020}, {5.1, 2, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.power << " n " << c.n);
        auto calc = make(0.5, 1, c.n, c.power);
        double value = 1;
        ASSERT_EQ(calc->ComputeCell(0, 0, &value), c.valid);
        if (!c.valid)
            continue;
        EXPECT_GT(value, 0);
        if (c.expected != 0) {
            EXPECT_NEAR(value, c.expected, 1e-8); // the calculator's own deviates
        }
    }
}

TEST_F(SampleChiSquareTest, PagesNameTheKindInEverySentence)
{
    auto calc = make(0.25, 4, 30, 80);
    const std::string step3 =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_NE(step3.find("read the risk reduction that you can detect. Click on that value for a "
                         "detailed report. If you wish to detect a smaller risk reduction, "
                         "increase sample size or accept a lower power. If you only care about "
                         "larger risk reductions, decrease sample size"),
              std::string::npos);
    EXPECT_NE(step3.find("Expected proportion \"success\" in the control group = 0.25\n"),
              std::string::npos);
    ASSERT_TRUE(calc->SelectFromQuery("n=0&pow=0"));
    const std::string step4 =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteExplanationPage(w); });
    EXPECT_NE(step4.find("power to detect a risk reduction of 0.90 with a significance level "
                         "(alpha) of 0.05 (two-tailed)."),
              std::string::npos);
    EXPECT_EQ(step4.find("confidence interval"), std::string::npos);
    EXPECT_NE(step4.find("If you want to use unequal N:"), std::string::npos);
    EXPECT_NE(step4.find("Instead of using 30 subjects"), std::string::npos);
}

TEST_F(SampleChiSquareTest, StepThreeInstructionsUseEachKindsOwnSingularAndPlural)
{
    const struct
    {
        int kind;
        const char* sentence;
    } cases[] = {
        {1, "smaller increase, increase sample size or accept a lower power. If you only care "
            "about larger increases, decrease"},
        {2, "smaller decrease, increase sample size or accept a lower power. If you only care "
            "about larger decreases, decrease"},
        {3, "smaller relative risk, increase sample size or accept a lower power. If you only "
            "care about larger relative risks, decrease"},
        {4, "smaller risk reduction, increase sample size or accept a lower power. If you only "
            "care about larger risk reductions, decrease"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto calc = make(0.25, c.kind, 30, 80);
        const std::string step3 =
            render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
        EXPECT_NE(step3.find(c.sentence), std::string::npos) << step3;
    }
}

TEST_F(SampleChiSquareTest, CloneCopiesInputsSelectionAndTheRestOfTheChain)
{
    auto calc = make(0.35, 3, 40, 90, 0.01);
    calc->SelectFromQuery("n=0&pow=0");
    calc->next = new CSampleChiSquareCalc;
    static_cast<CSampleChiSquareCalc*>(calc->next)->SetProportion(0.9);
    std::unique_ptr<CCalculator> copy(calc->Clone());
    auto* typed = dynamic_cast<CSampleChiSquareCalc*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->m_pControl, 0.35);
    EXPECT_EQ(typed->m_effectKind, 3);
    EXPECT_EQ(typed->m_alpha, 0.01);
    EXPECT_EQ(typed->m_selPower, 0);
    EXPECT_EQ(typed->m_selN, 0);
    EXPECT_EQ(typed->m_ns[0], 40);
    ASSERT_NE(typed->next, nullptr);
    EXPECT_NE(typed->next, calc->next);
    EXPECT_EQ(static_cast<CSampleChiSquareCalc*>(typed->next)->m_pControl, 0.9);
    EXPECT_EQ(typed->next->next, nullptr);
    delete typed->next;
    delete calc->next;
}

} // namespace
