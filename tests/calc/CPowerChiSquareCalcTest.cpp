#include "calc/CPowerChiSquareCalc.h"

#include "calc/CalcTestSupport.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/StringTable.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

const char* const Group1Size = "Sample size for group 1 must be integer greater than 1.\nEnter "
                               "correct value in the field and try again.";
const char* const Group2Size = "Sample size for group 2 must be integer greater than 1.\nEnter "
                               "correct value in the field and try again.";
const char* const Group1Proportion =
    "Proportion for group 1 must be between 0 and 1.\nEnter correct value in the field and try "
    "again.";
const char* const Group2Proportion =
    "Proportion for group 2 must be between 0 and 1.\nEnter correct value in the field and try "
    "again.";

using PowerChiSquareTest = CalcPageTest;

std::unique_ptr<CPowerChiSquareCalc> make(double n1, double n2, double p1, double p2, int type,
                                          double alpha = 0.05, bool twoTailed = true)
{
    auto calc = std::make_unique<CPowerChiSquareCalc>();
    calc->SetGroups(n1, n2, p1, p2);
    calc->SetEffectType(type);
    calc->SetAlpha(alpha, twoTailed);
    return calc;
}

// Index of power (percent) in the calculator's list, which must hold it.
int indexOf(const CCalculator& calc, double power)
{
    for (int i = 0; i < calc.m_nPowers; ++i)
        if (calc.m_powers[i] == power)
            return i;
    ADD_FAILURE() << "power " << power << " not in the list";
    return 0;
}

TEST_F(PowerChiSquareTest, StartsUnenteredWithChangeAndFourDecimals)
{
    CPowerChiSquareCalc calc;
    EXPECT_EQ(calc.m_n1, -1);
    EXPECT_EQ(calc.m_n2, -1);
    EXPECT_EQ(calc.m_p1, -1);
    EXPECT_EQ(calc.m_p2, -1);
    EXPECT_EQ(calc.m_effectType, 0);
    EXPECT_EQ(calc.m_decimals, 4);
    EXPECT_EQ(calc.m_nPowers, 13);
    EXPECT_EQ(calc.GetTitleId(), 522u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 523u);
    EXPECT_STREQ(LoadString(522), "Power of compare two proportions");
    EXPECT_STREQ(LoadString(523), "Explanation of power of compare two proportions");
    for (int goal = 0; goal <= 1; ++goal)
        for (int design = 0; design <= 5; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 1 && design == 4);
}

TEST_F(PowerChiSquareTest, SetGroupsChecksInOrderAndKeepsWhatPassed)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double n1, n2, p1, p2;
        const char* message; // null: accepted
        double stored[4];    // m_n1, m_n2, m_p1, m_p2 afterwards
    };
    const Case cases[] = {
        {20, 30, 0.2, 0.4, nullptr, {20, 30, 0.2, 0.4}},
        {2, 2, 0.001, 0.999, nullptr, {2, 2, 0.001, 0.999}},
        {1, 0, 0, 0, Group1Size, {-1, -1, -1, -1}},
        {inf, 30, 0.2, 0.4, Group1Size, {-1, -1, -1, -1}},
        {20, 1.5, 0, 0, Group2Size, {20, -1, -1, -1}},
        {20, nan, 0.2, 0.4, Group2Size, {20, -1, -1, -1}},
        {20, 30, 0, 0.4, Group1Proportion, {20, 30, -1, -1}},
        {20, 30, nan, 0.4, Group1Proportion, {20, 30, -1, -1}},
        {20, 30, 0.2, 1, Group2Proportion, {20, 30, 0.2, -1}},
        {20, 30, 0.2, -0.4, Group2Proportion, {20, 30, 0.2, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n1 << " " << c.n2 << " " << c.p1 << " " << c.p2);
        m_sink.clear();
        CPowerChiSquareCalc calc;
        if (c.message == nullptr) {
            EXPECT_TRUE(calc.SetGroups(c.n1, c.n2, c.p1, c.p2));
            EXPECT_TRUE(m_sink.messages().empty());
        } else {
            EXPECT_THROW(calc.SetGroups(c.n1, c.n2, c.p1, c.p2), CUserException);
            ASSERT_EQ(m_sink.messages().size(), 1u);
            EXPECT_EQ(m_sink.last(), c.message);
        }
        EXPECT_EQ(calc.m_n1, c.stored[0]);
        EXPECT_EQ(calc.m_n2, c.stored[1]);
        EXPECT_EQ(calc.m_p1, c.stored[2]);
        EXPECT_EQ(calc.m_p2, c.stored[3]);
    }
}

TEST_F(PowerChiSquareTest, SetEffectTypeTakesTheThreeListCodesOnly)
{
    const struct
    {
        int type;
        bool accepted;
        int stored;
    } cases[] = {{0, true, 0}, {1, true, 1}, {2, true, 2}, {3, false, 1}, {-1, false, 1}};
    for (const auto& c : cases) {
        CPowerChiSquareCalc calc;
        calc.SetEffectType(1);
        EXPECT_EQ(calc.SetEffectType(c.type), c.accepted) << c.type;
        EXPECT_EQ(calc.m_effectType, c.stored) << c.type;
    }
    EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(PowerChiSquareTest, CellsMatchTheArcsineFormulaAroundTheMeanProportion)
{
    // References from exact normal quantiles: a = asin(sqrt((P1 + P2) / 2)),
    // b = (z_alpha + z_power) / (4 sqrt(n / 2)) with n the harmonic mean of N1 and N2,
    // Plow = sin^2(a - b), Phigh = sin^2(a + b).
    struct Case
    {
        double n1, n2, p1, p2, alpha, power;
        double expected[3]; // change, relative risk, risk reduction
    };
    const Case cases[] = {
        {50, 50, 0.3, 0.5, 0.05, 80, {0.270921, 2.009251, -1.009251}},
        {40, 60, 0.1, 0.15, 0.05, 90, {0.214857, 6.667981, -5.667981}},
        {200, 100, 0.6, 0.6, 0.01, 50, {0.153910, 1.294957, -0.294957}},
        {10, 30, 0.2, 0.6, 0.05, 80, {0.479594, 3.772188, -2.772188}},
    };
    for (const Case& c : cases)
        for (int type = 0; type < 3; ++type) {
            SCOPED_TRACE(testing::Message() << c.n1 << "/" << c.n2 << " type " << type);
            auto calc = make(c.n1, c.n2, c.p1, c.p2, type, c.alpha);
            double value = 0;
            ASSERT_TRUE(calc->ComputeCell(indexOf(*calc, c.power), &value));
            EXPECT_NEAR(value, c.expected[type], 2e-5 * std::fabs(c.expected[type]));
        }
}

TEST_F(PowerChiSquareTest, EqualProportionsGiveAFiniteTableCentredOnThem)
{
    for (double p : {0.05, 0.3, 0.5, 0.9}) {
        auto change = make(400, 400, p, p, 0);
        auto ratio = make(400, 400, p, p, 1);
        for (int i = 0; i < change->m_nPowers; ++i) {
            SCOPED_TRACE(testing::Message() << p << " power " << change->m_powers[i]);
            double d = 0;
            double r = 0;
            ASSERT_TRUE(change->ComputeCell(i, &d));
            ASSERT_TRUE(ratio->ComputeCell(i, &r));
            ASSERT_TRUE(std::isfinite(d) && std::isfinite(r));
            // Plow and Phigh back from the change and the ratio; their arcsines are
            // symmetric around the arcsine of p.
            const double low = d / (r - 1);
            const double high = r * low;
            EXPECT_NEAR(std::asin(std::sqrt(low)) + std::asin(std::sqrt(high)),
                        2 * std::asin(std::sqrt(p)), 1e-9);
        }
    }
}

TEST_F(PowerChiSquareTest, RiskReductionIsNeverPositive)
{
    // Every level the forms offer (stored two-tailed equivalents 0.01 to 0.20) with the
    // default powers down to 10%, where z_alpha + z_power can only just reach 0.
    const double levels[] = {0.01, 0.02, 0.05, 0.10, 0.20};
    const double proportions[][2] = {{0.2, 0.4}, {0.5, 0.5}, {0.01, 0.03}, {0.9, 0.7}};
    for (double alpha : levels)
        for (const auto& p : proportions)
            for (double n : {2.0, 5.0, 30.0, 1000.0}) {
                auto calc = make(n, n + 3, p[0], p[1], 2, alpha);
                for (int i = 0; i < calc->m_nPowers; ++i) {
                    double value = 0;
                    if (calc->ComputeCell(i, &value)) {
                        EXPECT_LE(value, 0.0) << alpha << " " << p[0] << " " << n << " " << i;
                    }
                }
            }
}

TEST_F(PowerChiSquareTest, TheZeroBandIsNarrowerThanTheSampleTablesOne)
{
    // P1 = P2 = 0.5 and huge groups; references from exact normal quantiles. Values in
    // (-0.00005, 0.000005) become 0, values just outside stay although the sample-size band
    // (-0.005, 0.00005) would have zeroed them.
    // A power of 2.8% is below the two-tailed 0.05 level: no change has it, the cell fails.
    struct Case
    {
        double n;
        double power;
        int type;
        double expected;
    };
    const Case cases[] = {
        {7.7e6, 50, 2, -0.000999389}, {4.8e9, 50, 2, 0.0}, // -4.0e-5
    };
    for (double n : {3e6, 1.4e8}) {
        auto calc = make(n, n, 0.5, 0.5, 0);
        calc->ParsePowers("2.8");
        double value = 1;
        EXPECT_FALSE(calc->ComputeCell(0, &value)) << n;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " type " << c.type);
        auto calc = make(c.n, c.n, 0.5, 0.5, c.type);
        calc->ParsePowers(c.power == 50 ? "50" : "2.8");
        double value = 1;
        ASSERT_TRUE(calc->ComputeCell(0, &value));
        if (c.expected == 0)
            EXPECT_EQ(value, 0.0);
        else
            EXPECT_NEAR(value, c.expected, 1e-3 * std::fabs(c.expected));
    }
}

TEST_F(PowerChiSquareTest, TinyGroupsGiveImpossibleRowsWithoutLinks)
{
    // N1 = N2 = 2 at P = 0.5: b = (z_alpha + z_power) / 4 reaches a = pi/4 from 90% power up.
    auto calc = make(2, 2, 0.5, 0.5, 0);
    for (int i = 0; i < calc->m_nPowers; ++i) {
        double value = 0;
        const bool ok = calc->ComputeCell(i, &value);
        EXPECT_EQ(ok, calc->m_powers[i] < 90) << calc->m_powers[i];
        if (!ok) {
            EXPECT_EQ(value, 1.7e38);
        }
    }
    const std::string page =
        render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_EQ(countOf(page, "Impossible"), 3);
    EXPECT_EQ(page.find("?pow=2\""), std::string::npos);
    EXPECT_NE(page.find("<A HREF=\"?pow=3\">\n85</A>"), std::string::npos);
    EXPECT_NE(page.find("0.9856"), std::string::npos); // 80%: 0.985584

    CTableLabels labels;
    const std::string data =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteDataTable(w, labels); });
    // Failed cells leave their field empty.
    EXPECT_EQ(data.find("Change\tPower(%)\n\t99\n\t95\n\t90\n0."), 0u);
    EXPECT_NE(data.find("\n0.9856\t80\n"), std::string::npos);
}

TEST_F(PowerChiSquareTest, PagesUseTheTypePhraseAndTitle)
{
    auto calc = make(10, 30, 0.2, 0.6, 1);
    const std::string step3 =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
    EXPECT_NE(step3.find("Choose the smallest relative risk  that you think would be "
                         "scientifically interesting or important, and read the power of the "
                         "experiment to detect that relative risk."),
              std::string::npos);
    EXPECT_NE(step3.find("\tN\tProportion \"success\"\t\nGroup 1\t10\t0.2\t\nGroup 2\t30\t0.6\t\n"),
              std::string::npos);
    EXPECT_NE(step3.find("Relative risk\tPower (%)\t\n"), std::string::npos);
    ASSERT_TRUE(calc->SelectFromQuery("pow=4"));
    const std::string step4 =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteExplanationPage(w); });
    // 80%: 3.772188, written with the four decimals of this calculator.
    EXPECT_NE(step4.find("Summary: Your experiment had a 80% power to detect a relative risk of "
                         "3.7722 with a significance level (alpha) of 0.05 (two-tailed)."),
              std::string::npos);
    EXPECT_NE(step4.find("For any power you choose, this table shows the relative risk that can "
                         "be detected."),
              std::string::npos);
}

TEST_F(PowerChiSquareTest, CloneCopiesInputsAndTheRestOfTheChain)
{
    auto calc = make(12, 14, 0.25, 0.45, 2, 0.10, false);
    calc->SelectFromQuery("pow=5");
    calc->next = make(3, 4, 0.5, 0.6, 1).release();
    std::unique_ptr<CCalculator> copy(calc->Clone());
    auto* typed = dynamic_cast<CPowerChiSquareCalc*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->m_n1, 12);
    EXPECT_EQ(typed->m_n2, 14);
    EXPECT_EQ(typed->m_p1, 0.25);
    EXPECT_EQ(typed->m_p2, 0.45);
    EXPECT_EQ(typed->m_effectType, 2);
    EXPECT_EQ(typed->m_decimals, 4);
    EXPECT_FALSE(typed->m_twoTailed);
    EXPECT_EQ(typed->m_selPower, 5);
    auto* second = dynamic_cast<CPowerChiSquareCalc*>(typed->next);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, calc->next);
    EXPECT_EQ(second->m_n2, 4);
    EXPECT_EQ(second->m_effectType, 1);
    delete second;
    delete calc->next;
}

} // namespace
