#include "calc/CSampleLogrankCalc.h"

#include "calc/CalcTestSupport.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/ProportionShared.h"
#include "calc/StringTable.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

using SampleLogrankTest = CalcPageTest;

std::unique_ptr<CSampleLogrankCalc> make(double s, int kind, const char* ns, const char* powers,
                                         double alpha = 0.05)
{
    auto calc = std::make_unique<CSampleLogrankCalc>();
    calc->SetProportion(s);
    calc->SetEffectKind(kind);
    calc->SetAlpha(alpha, true);
    calc->ParseNs(ns);
    calc->ParsePowers(powers);
    return calc;
}

TEST_F(SampleLogrankTest, StartsAtHalfWithTheIncreaseAndThreeDecimals)
{
    CSampleLogrankCalc calc;
    EXPECT_EQ(calc.m_pControl, 0.5);
    EXPECT_EQ(calc.m_effectKind, 1);
    EXPECT_EQ(calc.m_decimals, 3);
    EXPECT_EQ(calc.m_nNs, 29);
    EXPECT_EQ(calc.GetTitleId(), 508u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 509u);
    EXPECT_STREQ(LoadString(508), "Sample size for comparing two survival curves");
    EXPECT_STREQ(LoadString(509), "Explanation of sample size for comparing two survival curves");
    for (int goal = 0; goal <= 1; ++goal)
        for (int design = 0; design <= 5; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 0 && design == 3);
}

TEST_F(SampleLogrankTest, SettersCheckTheirValues)
{
    CSampleLogrankCalc calc;
    for (int kind : {1, 2, 3}) {
        EXPECT_TRUE(calc.SetEffectKind(kind));
        EXPECT_EQ(calc.m_effectKind, kind);
    }
    for (int kind : {0, 4, -1}) {
        EXPECT_FALSE(calc.SetEffectKind(kind));
        EXPECT_EQ(calc.m_effectKind, 3);
    }
    EXPECT_TRUE(m_sink.messages().empty());

    EXPECT_TRUE(calc.SetProportion(0.999));
    for (double bad : {0.0, 1.0, -0.5, std::numeric_limits<double>::quiet_NaN()}) {
        m_sink.clear();
        EXPECT_THROW(calc.SetProportion(bad), CUserException);
        ASSERT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(m_sink.last(), "Proportion must be between 0 and 1.\nEnter correct value in the "
                                 "field and try again.");
        EXPECT_EQ(calc.m_pControl, 0.999);
    }
}

TEST_F(SampleLogrankTest, CellsFollowFreedmansEventCount)
{
    // Reference hazard ratios h solve ((1 + h) Z / (1 - h))^2 / (2 - S - S^h) = n exactly
    // (continuous root, exact normal quantiles); the table's h is the last midpoint of a
    // bisection of width 0.999 / 2^11, so it lies within 0.0005 of the root. Published check:
    // h = 0.5 at 80% power and a two-tailed 0.05 needs 70.6 events (Freedman 1982, "71"), that
    // is 89.1 subjects per group when S = 0.5.
    struct Case
    {
        double s;
        int n;
        double alpha, power, h;
    };
    const Case cases[] = {
        {0.5, 100, 0.05, 80, 0.523997},  {0.5, 89, 0.05, 80, 0.499782},
        {0.2, 50, 0.05, 90, 0.425858},   {0.8, 300, 0.01, 95, 0.368572},
        {0.9, 1000, 0.10, 80, 0.678910}, {0.3, 20, 0.05, 50, 0.408363},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << " n " << c.n << " power " << c.power);
        const std::string n = std::to_string(c.n);
        const std::string power = std::to_string(static_cast<int>(c.power));
        double increase = 0;
        double ratio = 0;
        double worse = 0;
        ASSERT_TRUE(make(c.s, 1, n.c_str(), power.c_str(), c.alpha)->ComputeCell(0, 0, &increase));
        ASSERT_TRUE(make(c.s, 2, n.c_str(), power.c_str(), c.alpha)->ComputeCell(0, 0, &ratio));
        ASSERT_TRUE(make(c.s, 3, n.c_str(), power.c_str(), c.alpha)->ComputeCell(0, 0, &worse));
        EXPECT_NEAR(ratio, c.h, 0.0005);
        EXPECT_EQ(increase, std::pow(c.s, ratio) - c.s);
        EXPECT_NEAR(increase, std::pow(c.s, c.h) - c.s, 0.0005 * -std::log(c.s));
        EXPECT_EQ(worse, 1 / ratio);
    }
}

TEST_F(SampleLogrankTest, LargerIsWorseCellsAreExactReciprocals)
{
    for (double s : {0.1, 0.5, 0.95}) {
        auto ratio = make(s, 2, "3,10,50,200,1000", "99,90,80,50,20");
        auto worse = make(s, 3, "3,10,50,200,1000", "99,90,80,50,20");
        for (int r = 0; r < ratio->m_nNs; ++r)
            for (int i = 0; i < ratio->m_nPowers; ++i) {
                double h = 0;
                double inverse = 0;
                const bool ok = ratio->ComputeCell(i, r, &h);
                ASSERT_EQ(worse->ComputeCell(i, r, &inverse), ok);
                if (ok)
                    EXPECT_EQ(inverse, 1 / h) << s << " " << r << " " << i;
                else
                    EXPECT_EQ(inverse, 1.7e38);
            }
    }
}

TEST_F(SampleLogrankTest, FailedCellsShowTheTextOfTheirKind)
{
    // S = 0.5, n = 3: even h near 0 needs Z^2 / (1 - S) > 3 subjects at every power listed,
    // so each kind fails; the increase at h = 0.001 is 0.5^0.001 - 0.5 = 0.499307.
    struct Case
    {
        int kind;
        const char* cell;
        double value;
    };
    const Case cases[] = {
        {1, "<TD ALIGN=\"RIGHT\">\n~0.50</TD>", 0.499307},
        {2, "<TD ALIGN=\"RIGHT\">\n<0.001</TD>", 0}, // the writer escapes nothing
        {3, "<TD ALIGN=\"RIGHT\">\n</TD>", 1.7e38},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto calc = make(0.5, c.kind, "3", "99,80,50");
        double value = -1;
        EXPECT_FALSE(calc->ComputeCell(1, 0, &value));
        EXPECT_NEAR(value, c.value, 1e-5 * std::max(1.0, c.value));
        const std::string page =
            render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
        EXPECT_EQ(countOf(page, c.cell), 3);
        EXPECT_EQ(page.find("?n=0&pow="), std::string::npos);
    }
}

TEST_F(SampleLogrankTest, TheSearchAlwaysEndsOnAMidpointOfTheEleventhHalving)
{
    // After 11 halvings of [0, 0.999] every midpoint tested last is 0.999 (2j + 1) / 2^11,
    // whatever the inputs, also those that make the event count NaN or infinite.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double survivals[] = {1e-9, 0.3, 0.5, 0.999999, -1, nan};
    const double sizes[] = {2, 10, 1000, 1e6, 1e12, inf, nan};
    const double deviates[] = {-8, -1.96, 0, 0.1, 1.96, 4.3, 30, nan};
    for (double s : survivals)
        for (double n : sizes)
            for (double z : deviates) {
                const double h = LogrankHazardRatio(s, n, 1.95997, z);
                const double steps = h * 2048 / 0.999;
                const double odd = std::round(steps);
                EXPECT_NEAR(steps, odd, 1e-6) << s << " " << n << " " << z;
                EXPECT_EQ(std::fmod(odd, 2.0), 1.0) << s << " " << n << " " << z;
                EXPECT_LT(h, 0.999);
            }
    EXPECT_DOUBLE_EQ(LogrankHazardRatio(0.5, 1e12, 1.95997, 0), 0.999 * 2047 / 2048);
    EXPECT_DOUBLE_EQ(LogrankHazardRatio(0.5, 2, 1.95997, 1.95997), 0.999 / 2048);
}

TEST_F(SampleLogrankTest, StepThreePageVariesWithTheKind)
{
    auto ratio = make(0.4, 2, "10,20", "90,80");
    const std::string html =
        render(CHtmlWriter::ModeHtml, [&](CHtmlWriter& w) { ratio->WriteTradeoffPage(w); });
    EXPECT_NE(html.find("If you only care about larger hazard ratios, decrease sample size or "
                        "increase power."),
              std::string::npos);
    EXPECT_NE(html.find("<P>\nThe hazard ratio compares the survival of the treated group to the "
                        "survival of the control group, so a treatment that works well will have "
                        "a small hazard ratio.</P>\n"),
              std::string::npos);
    // Saved HTML keeps the citation text but not its link.
    EXPECT_NE(html.find("D Ziveve, Survival Analysis. A Practical Approach. This method"),
              std::string::npos);
    EXPECT_EQ(html.find("<A "), std::string::npos);

    auto increase = make(0.4, 1, "10,20", "90,80");
    const std::string linked =
        render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) { increase->WriteTradeoffPage(w); });
    EXPECT_EQ(linked.find("The hazard ratio compares"), std::string::npos);
    EXPECT_NE(linked.find("If you only care about larger increase in survival proportions"),
              std::string::npos);
    EXPECT_NE(linked.find("<A HREF=\"https://openlibrary.org/search?title="
                          "Survival+Analysis.+A+Practical+Approach\" TARGET=\"_window\">\nSurvival "
                          "Analysis. A Practical Approach.</A>\n This method assumes"),
              std::string::npos);
}

TEST_F(SampleLogrankTest, DataTableLeavesFailedCellsEmpty)
{
    auto calc = make(0.5, 3, "3,100", "80");
    CTableLabels labels;
    const std::string data =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteDataTable(w, labels); });
    // n = 100, 80%: h = 0.524 (within 0.0005), so 1 / h = 1.908.
    EXPECT_EQ(data.substr(0, data.find("1.9")), "N per group\t80%\t\n3\t\t\n100\t");
    EXPECT_EQ(labels.title, "Sample size per group");
    EXPECT_EQ(labels.valueLabel, "Hazard ratio (larger is worse)");
    EXPECT_EQ(labels.valueFormat, "%.3f");
}

TEST_F(SampleLogrankTest, CloneCopiesInputsAndTheRestOfTheChain)
{
    auto calc = make(0.7, 2, "5,6", "90", 0.01);
    calc->SelectFromQuery("n=1&pow=0");
    calc->next = make(0.2, 3, "8", "80").release();
    std::unique_ptr<CCalculator> copy(calc->Clone());
    auto* typed = dynamic_cast<CSampleLogrankCalc*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->m_pControl, 0.7);
    EXPECT_EQ(typed->m_effectKind, 2);
    EXPECT_EQ(typed->m_decimals, 3);
    EXPECT_EQ(typed->m_selN, 1);
    EXPECT_EQ(typed->m_nNs, 2);
    auto* second = dynamic_cast<CSampleLogrankCalc*>(typed->next);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, calc->next);
    EXPECT_EQ(second->m_pControl, 0.2);
    EXPECT_EQ(second->m_effectKind, 3);
    delete second;
    delete calc->next;
}

} // namespace
