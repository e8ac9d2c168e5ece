// The sample-size ANOVA calculator and the effect-size search it shares with the power
// calculator: detectable ranges against an independent reference, the fixed bisection, the
// group-count and SD rules, cloning and the texts that differ between page modes.
#include "calc/AnovaShared.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/CalcTestSupport.h"
#include "calc/CalculatorFactory.h"
#include "calc/StringTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>

namespace {

const char* const GroupsMessage = "Number of groups must be a positive number between 3 and "
                                  "20.\nEnter correct value in the field and try again.";
const char* const SdMessage =
    "SD must be a positive number.\nEnter correct value in the field and try again.";

// One step of the final bisection interval: 20 / 2^16.
const double SearchStep = 20.0 / 65536;

using SampleAnovaTest = CalcPageTest;

// The factor that turns Cohen's f into the range of k equally spaced means, per unit SD.
double RangePerF(double k)
{
    return 2 / std::sqrt((k + 1) / (3 * (k - 1)));
}

double Cell(const CSampleAnovaCalc& calc, int p, int r)
{
    double v = -999;
    EXPECT_TRUE(calc.ComputeCell(p, r, &v));
    return v;
}

std::unique_ptr<CSampleAnovaCalc> MakeCalc(int groups, double sd, const char* powers,
                                           const char* ns)
{
    auto calc = std::make_unique<CSampleAnovaCalc>();
    calc->SetSD(sd);
    calc->SetGroupCount(groups);
    EXPECT_TRUE(calc->ParsePowers(powers));
    EXPECT_TRUE(calc->ParseNs(ns));
    return calc;
}

// The references come from a separate program (multiple-precision arithmetic): the exact
// critical F value and normal quantile, the same normal approximation to the noncentral F
// solved for f to full precision ("approx"), and the exact noncentral F power solved for f
// ("exact", Poisson mixture of incomplete beta functions). The calculator's f is the last
// midpoint of its bisection, so it lies within one final step of the approximate root.
TEST_F(SampleAnovaTest, DetectableRangesMatchTheIndependentReference)
{
    struct Case
    {
        int groups;
        int n;
        double sd;
        const char* power;
        double alpha;
        double approx;
        double exact;
    };
    const Case cases[] = {
        {3, 10, 1, "80", 0.05, 1.456244, 1.468915},
        {3, 10, 1, "90", 0.05, 1.654711, 1.684047},
        {3, 10, 1, "50", 0.05, 1.062577, 1.052836},
        {4, 5, 2.5, "80", 0.01, 7.064342, 7.081826},
        {5, 20, 1, "95", 0.05, 1.226257, 1.249787},
        {20, 3, 1, "80", 0.10, 2.032290, 2.033834},
        {20, 100, 0.05, "80", 0.05, 0.016752, 0.016766},
        {3, 2, 1, "80", 0.05, 5.555214, 5.570444},
        {10, 1000, 1, "99", 0.01, 0.192003, 0.195513},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.groups) + " groups of " + std::to_string(c.n) + " at " +
                     c.power);
        auto calc = MakeCalc(c.groups, c.sd, c.power, std::to_string(c.n).c_str());
        ASSERT_TRUE(calc->SetAlpha(c.alpha, true));
        const double range = Cell(*calc, 0, 0);
        EXPECT_NEAR(range, c.approx, 1.5 * SearchStep * RangePerF(c.groups) * c.sd);
        // The approximation itself stays within 3% of the exact noncentral F.
        EXPECT_NEAR(range, c.exact, 0.03 * c.exact);
    }
}

TEST(AnovaSearchTest, EndsOnAMidpointOfTheSixteenthHalvingWhateverTheTarget)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double zPower;
        double expected; // < 0: anywhere strictly inside (0, 20)
    };
    // An unreachable power ends just under 20 (the search never widens), a target below
    // every z just above 0; NaN compares false and so climbs like an unreachable power.
    const Case cases[] = {
        {inf, 20 - SearchStep},
        {1e300, 20 - SearchStep},
        {nan, 20 - SearchStep},
        {-inf, SearchStep},
        {-40, SearchStep},
        {0.841621, -1},
        {-3, -1},
        {5, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zPower);
        for (double df2 : {2.0, 27.0, 1e6}) {
            const double f = AnovaEffectSize(0.05, 2, df2, df2 + 3, c.zPower);
            if (c.expected >= 0) {
                EXPECT_EQ(f, c.expected);
                continue;
            }
            // Every midpoint of the 16th halving is an odd multiple of the final step.
            const double steps = f / SearchStep;
            EXPECT_EQ(steps, std::floor(steps));
            EXPECT_EQ(std::fmod(steps, 2.0), 1.0);
            EXPECT_GT(f, 0);
            EXPECT_LT(f, 20);
        }
    }
}

TEST(AnovaSearchTest, ConvertsTheEffectSizeWithTheEquallySpacedMeansFactor)
{
    const struct
    {
        int k;
        double factor; // sqrt((k + 1) / (3 (k - 1)))
    } cases[] = {{3, std::sqrt(4.0 / 6)}, {20, std::sqrt(21.0 / 57)}, {10, std::sqrt(11.0 / 27)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        const double nu2 = 9.0 * c.k;
        const double f = AnovaEffectSize(0.05, c.k - 1, nu2, 10.0 * c.k, 0.84);
        EXPECT_DOUBLE_EQ(AnovaDetectableRange(0.05, 0.84, c.k, nu2, 10.0 * c.k, 3),
                         2 * f * 3 / c.factor);
    }
    // Beyond the search limit the range is just under 2 * 20 * S / factor.
    EXPECT_DOUBLE_EQ(AnovaDetectableRange(0.05, 50, 3, 6, 9, 1),
                     2 * (20 - SearchStep) / std::sqrt(4.0 / 6));
    // A range in small units is kept: it is the same share of its SD as at SD 1.
    EXPECT_DOUBLE_EQ(AnovaDetectableRange(0.05, 0.84, 3, 27, 30, 1e-6),
                     AnovaDetectableRange(0.05, 0.84, 3, 27, 30, 1) * 1e-6);
}

TEST_F(SampleAnovaTest, GroupCountAcceptsThreeToTwentyOnly)
{
    const struct
    {
        int groups;
        bool accepted;
    } cases[] = {{2, false}, {21, false}, {3, true},        {20, true},      {11, true},
                 {0, false}, {-3, false}, {INT_MIN, false}, {INT_MAX, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.groups);
        CSampleAnovaCalc calc;
        ASSERT_TRUE(calc.SetGroupCount(7));
        m_sink.clear();
        if (c.accepted) {
            EXPECT_TRUE(calc.SetGroupCount(c.groups));
            EXPECT_EQ(calc.m_groups, c.groups);
            EXPECT_TRUE(m_sink.messages().empty());
            continue;
        }
        EXPECT_THROW(calc.SetGroupCount(c.groups), CUserException);
        ASSERT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(m_sink.last(), GroupsMessage);
        EXPECT_EQ(calc.m_groups, 7);
        // While defaults load, the same refusal is silent.
        calc.m_reportErrors = false;
        EXPECT_FALSE(calc.SetGroupCount(c.groups));
        EXPECT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(calc.m_groups, 7);
    }
}

TEST_F(SampleAnovaTest, SdSetsTheDecimalsAndTheTableFormat)
{
    // The 3-group, N = 10, 80% cell is 1.456244 per unit SD (reference above).
    const struct
    {
        double sd;
        int decimals;
        int cellDecimals;
        double cell; // a range in small units is kept in them
    } cases[] = {{1, 2, 2, 1.456244},
                 {0.05, 3, 3, 0.0728122},
                 {250, 2, 2, 364.061},
                 {0.002, 4, 4, 0.00291249},
                 {1e-10, 10, 12, 1.456244e-10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sd);
        auto calc = MakeCalc(3, c.sd, "80", "10");
        EXPECT_EQ(calc->m_sd, c.sd);
        EXPECT_EQ(calc->m_decimals, c.decimals);
        const std::string page =
            render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
        const size_t row = page.find("\n10\t");
        ASSERT_NE(row, std::string::npos) << page;
        const std::string cell = page.substr(row + 4, page.find('\t', row + 4) - row - 4);
        EXPECT_EQ(cell.size() - cell.find('.') - 1, size_t(c.cellDecimals)) << cell;
        EXPECT_NEAR(std::stod(cell), c.cell, 0.001 * c.sd + std::pow(10, -c.cellDecimals));
    }
    CSampleAnovaCalc calc;
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        m_sink.clear();
        EXPECT_THROW(calc.SetSD(bad), CUserException);
        EXPECT_EQ(m_sink.last(), SdMessage);
        EXPECT_EQ(calc.m_sd, -1.0);
    }
}

TEST_F(SampleAnovaTest, IdentityAndStartingValues)
{
    CSampleAnovaCalc calc;
    EXPECT_EQ(calc.m_sd, -1.0);
    EXPECT_EQ(calc.m_groups, 3);
    EXPECT_EQ(calc.m_selPower, -1);
    EXPECT_EQ(calc.m_selN, -1);
    EXPECT_EQ(calc.GetTitleId(), 506u);
    EXPECT_EQ(calc.GetExplanationTitleId(), 507u);
    EXPECT_STREQ(LoadString(506), "Sample size for one-way ANOVA");
    EXPECT_STREQ(LoadString(507), "Explanation of sample size for one-way ANOVA");
    for (int goal = 0; goal < 2; ++goal)
        for (int design = 0; design < 6; ++design)
            EXPECT_EQ(calc.IsKind(goal, design), goal == 0 && design == 2);
    std::unique_ptr<CCalculator> made(CreateCalculator(0, 2));
    EXPECT_NE(dynamic_cast<CSampleAnovaCalc*>(made.get()), nullptr);
}

TEST_F(SampleAnovaTest, CloneCopiesInputsSelectionAndTheRestOfTheChain)
{
    auto head = MakeCalc(7, 0.05, "90,80,50", "4,8,16");
    ASSERT_TRUE(head->SetAlpha(0.01, true));
    ASSERT_TRUE(head->SelectFromQuery("n=2&pow=1"));
    auto* second = new CSampleAnovaCalc;
    second->SetGroupCount(12);
    second->SetSD(40);
    head->next = second;

    std::unique_ptr<CCalculator> copy(head->Clone());
    auto* first = dynamic_cast<CSampleAnovaCalc*>(copy.get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_groups, 7);
    EXPECT_EQ(first->m_sd, 0.05);
    EXPECT_EQ(first->m_decimals, 3);
    EXPECT_EQ(first->m_alpha, 0.01);
    EXPECT_EQ(first->m_selPower, 1);
    EXPECT_EQ(first->m_selN, 2);
    EXPECT_EQ(first->m_nNs, 3);
    EXPECT_EQ(first->m_ns[2], 16);
    EXPECT_EQ(Cell(*first, 1, 2), Cell(*head, 1, 2));

    auto* copiedSecond = dynamic_cast<CSampleAnovaCalc*>(first->next);
    ASSERT_NE(copiedSecond, nullptr);
    EXPECT_NE(copiedSecond, second);
    EXPECT_EQ(copiedSecond->m_groups, 12);
    EXPECT_EQ(copiedSecond->m_sd, 40);
    EXPECT_EQ(copiedSecond->next, nullptr);

    // The copy is independent of its source.
    head->SetGroupCount(20);
    second->SetSD(1);
    EXPECT_EQ(first->m_groups, 7);
    EXPECT_EQ(copiedSecond->m_sd, 40);

    delete copiedSecond;
    delete second;
}

TEST_F(SampleAnovaTest, PagesWriteTheTextOrHtmlFormAndNoTailsNote)
{
    auto calc = MakeCalc(4, 2.5, "80,50", "3,10");
    ASSERT_TRUE(calc->SelectFromQuery("n=1&pow=0"));
    const struct
    {
        int mode;
        const char* cohen;
        const char* other;
    } modes[] = {
        {CHtmlWriter::ModeText, " (Cohen's d2).", "&rsquo;"},
        {CHtmlWriter::ModeHtml, " (Cohen&rsquo;s d<sub>2</sub>).", "Cohen's"},
        {CHtmlWriter::ModeHtmlLinks, " (Cohen&rsquo;s d<sub>2</sub>).", "Cohen's"},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        const std::string step4 =
            render(m.mode, [&](CHtmlWriter& w) { calc->WriteExplanationPage(w); });
        EXPECT_EQ(countOf(step4, std::string("lowest means ") + m.cohen), 1);
        EXPECT_EQ(countOf(step4, m.other), 0);
        // The level of an ANOVA is written without a tails note.
        EXPECT_EQ(countOf(step4, "-tailed"), 0);
        EXPECT_EQ(countOf(step4, "Significance level (alpha) = 0.05"), 1);
        EXPECT_EQ(countOf(step4, "less than 0.05 so the results"), 1);
        // The unequal-N advice belongs to the two-group designs only.
        EXPECT_EQ(countOf(step4, "unequal N"), 0);
        const std::string step3 =
            render(m.mode, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); });
        EXPECT_EQ(countOf(step3, "-tailed"), 0);
        EXPECT_EQ(countOf(step3, "?n="), m.mode == CHtmlWriter::ModeHtmlLinks ? 4 : 0);
    }
}

TEST_F(SampleAnovaTest, DataTableHasOneRowPerSizeEachEndingInATab)
{
    auto calc = MakeCalc(4, 2.5, "80,50", "3,10");
    CTableLabels labels;
    const std::string table = render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
        EXPECT_TRUE(calc->WriteDataTable(w, labels));
    });
    EXPECT_EQ(labels.title, "Sample size per group");
    EXPECT_EQ(labels.rowLabel, "N per group");
    EXPECT_EQ(labels.valueLabel, "Difference between largest and smallest mean");
    EXPECT_EQ(labels.valueFormat, "%.2f");
    const std::string header = "N per group\t80%\t50%\t\n";
    ASSERT_EQ(table.substr(0, header.size()), header);
    // Independent reference values, each printed with two decimals.
    const struct
    {
        int n;
        double at80;
        double at50;
    } rows[] = {{3, 8.175978, 5.919661}, {10, 3.675847, 2.708361}};
    size_t at = header.size();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        const size_t end = table.find('\n', at);
        ASSERT_NE(end, std::string::npos);
        const std::string line = table.substr(at, end - at);
        int n = 0;
        char first[32] = {};
        char second[32] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "%d\t%31[^\t]\t%31[^\t]", &n, first, second), 3);
        EXPECT_EQ(n, row.n);
        EXPECT_EQ(line, std::to_string(row.n) + "\t" + first + "\t" + second + "\t");
        EXPECT_EQ(std::string(first).find('.'), std::string(first).size() - 3) << first;
        EXPECT_NEAR(std::stod(first), row.at80, 0.008);
        EXPECT_NEAR(std::stod(second), row.at50, 0.008);
        at = end + 1;
    }
    EXPECT_EQ(at, table.size());
}

// Without a critical F value there is no effect size to search for: the search reports NaN
// (and the cell fails) instead of its upper end.
TEST(AnovaSharedTest, NoCriticalValueMeansNoEffectSize)
{
    EXPECT_TRUE(std::isnan(AnovaEffectSize(0.05, 2, std::nan(""), 30, 1.2816)));
    EXPECT_TRUE(std::isnan(AnovaDetectableRange(0.05, 1.2816, 3, std::nan(""), 30, 1)));
    EXPECT_TRUE(std::isfinite(AnovaEffectSize(0.05, 2, 27, 30, 1.2816)));
}

} // namespace
