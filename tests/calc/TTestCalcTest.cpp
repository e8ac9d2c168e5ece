// The six t-test calculators: detectable differences against published values, setters and
// their messages, formats, identities and the factory.
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/CalcTestSupport.h"
#include "calc/CalculatorFactory.h"
#include "calc/Formatting.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

const char* const SdMessage =
    "SD must be a positive number.\nEnter correct value in the field and try again.";
const char* const RMessage =
    "r must be between 0 and 1.\nEnter correct value in the field and try again.";

using TTestCalcTest = CalcPageTest;

double sampleCell(const CSampleCalc& calc, int p, int r)
{
    double v = -999;
    EXPECT_TRUE(calc.ComputeCell(p, r, &v));
    return v;
}

double powerCell(const CPowerCalc& calc, int p)
{
    double v = -999;
    EXPECT_TRUE(calc.ComputeCell(p, &v));
    return v;
}

// Alpha 0.05 two-tailed and an SD of 1, to the four printed decimals.
TEST_F(TTestCalcTest, DetectableDifferencesMatchTheReferenceTable)
{
    struct Row
    {
        int n;
        const char* power;
        double unpaired;
        double oneGroup; // one-sample, and paired with r = 0.5 or an SD of differences of 1
    };
    const Row rows[] = {
        {10, "80", 1.3287, 0.9395}, {10, "90", 1.5374, 1.0871},  {10, "50", 0.9296, 0.6573},
        {3, "80", 2.9102, 2.0578},  {100, "80", 0.3984, 0.2817},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.n) + " at " + row.power);
        const std::string n = std::to_string(row.n);
        CSampleUnpairedCalc unpaired;
        CSampleOneCalc one;
        CSamplePairedCalc pairedR;
        CSamplePairedCalc pairedDiff;
        unpaired.SetSD(1);
        one.SetSD(1);
        pairedR.SetSD(1);
        pairedR.SetR(0.5);
        pairedDiff.SetSD(1);
        pairedDiff.m_useR = false;
        CSampleCalc* all[] = {&unpaired, &one, &pairedR, &pairedDiff};
        for (CSampleCalc* calc : all) {
            ASSERT_TRUE(calc->ParsePowers(row.power));
            ASSERT_TRUE(calc->ParseNs(n));
        }
        EXPECT_NEAR(sampleCell(unpaired, 0, 0), row.unpaired, 0.00005);
        EXPECT_NEAR(sampleCell(one, 0, 0), row.oneGroup, 0.00005);
        EXPECT_NEAR(sampleCell(pairedR, 0, 0), row.oneGroup, 0.00005);
        EXPECT_NEAR(sampleCell(pairedDiff, 0, 0), row.oneGroup, 0.00005);
    }
}

TEST_F(TTestCalcTest, OneTailedLevelDetectsSmallerDifferencesAndDropsTheConfidenceInterval)
{
    for (bool twoTailed : {true, false}) {
        CSampleUnpairedCalc calc;
        calc.SetSD(1);
        ASSERT_TRUE(calc.SetAlpha(twoTailed ? 0.05 : 0.10, twoTailed));
        ASSERT_TRUE(calc.SelectFromQuery("n=7&pow=3"));
        const std::string page =
            render(CHtmlWriter::ModeHtml, [&](CHtmlWriter& w) { calc.WriteExplanationPage(w); });
        EXPECT_EQ(page.find("confidence interval") != std::string::npos, twoTailed);
        if (!twoTailed) {
            EXPECT_NEAR(calc.m_zAlpha, 1.64485, 1e-5);
            EXPECT_LT(sampleCell(calc, 3, 7), 1.3287);
            EXPECT_NE(page.find("0.05 (one-tailed)"), std::string::npos);
        }
    }
}

TEST(ZeroNearZeroTest, ZeroesOnlyNoiseAgainstTheScale)
{
    const struct
    {
        double in;
        double scale;
        double out;
    } cases[] = {
        // A true effect in small units stays, however small its number.
        {4e-5, 1e-4, 4e-5},
        {3e-13, 1e-4, 3e-13},
        {-0.004, 1, -0.004},
        {2e-9, 1, 2e-9},
        // Below 1e-9 of the scale it is rounding noise, also a negative zero.
        {5e-14, 1e-4, 0},
        {-1e-300, 1, 0},
        {-0.0, 1, 0},
        {0.5e-9, 1, 0},
        {0.004, 1e7, 0},
        {1.5, 1, 1.5},
        {-7, 1, -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        const double out = ZeroNearZero(c.in, c.scale);
        EXPECT_EQ(out, c.out);
        EXPECT_FALSE(std::signbit(out) && out == 0) << "a negative zero would print as -0.00";
    }
}

// A power at or below the level is not a power any difference has: at difference 0 the test
// rejects with the level itself. The written formula gives a negative difference there; the
// cell fails instead, as in the exact method.
TEST_F(TTestCalcTest, PowerCellAtOrBelowTheLevelFailsInBothMethods)
{
    for (double target : {-0.004, -0.006}) {
        for (CalcMethod method : {CalcMethod::Approximate, CalcMethod::Exact}) {
            CPowerOneCalc calc;
            calc.SetMethod(method);
            ASSERT_TRUE(calc.SetAlpha(0.5, true)); // z alpha 0.674 < z of 90%: 10% gives < 0
            ASSERT_TRUE(calc.ParsePowers("10"));
            calc.SetSampleSize(4);
            const double sum = calc.m_zAlpha + calc.m_zPowers[0];
            ASSERT_LT(sum, 0);
            calc.SetSD(target * 2 / sum);
            double v = 1;
            EXPECT_FALSE(calc.ComputeCell(0, &v)) << target;
        }
    }
}

TEST_F(TTestCalcTest, TableFormatsFollowTheSd)
{
    const struct
    {
        double sd;
        const char* format;
        int decimals;
    } cases[] = {
        {0.05, "%.3f", 3}, {5, "%.2f", 2}, {1, "%.2f", 2}, {0.5, "%.2f", 2}, {0.009, "%.4f", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sd);
        CSampleUnpairedCalc sample;
        sample.SetSD(c.sd);
        CPowerPairedCalc power;
        power.SetSD(c.sd);
        CPowerUnpairedCalc unpaired;
        unpaired.SetGroups(5, 5, c.sd, c.sd);
        CCalculator* all[] = {&sample, &power, &unpaired};
        for (CCalculator* calc : all) {
            CTableLabels labels;
            render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc->WriteDataTable(w, labels); });
            EXPECT_EQ(labels.valueFormat, c.format);
            EXPECT_EQ(labels.plainFormat, c.format);
            EXPECT_EQ(calc->m_decimals, c.decimals);
        }
    }
}

TEST_F(TTestCalcTest, EverySdSetterRefusesNonPositiveValuesWithTheSdMessage)
{
    CSampleUnpairedCalc unpaired;
    CSamplePairedCalc paired;
    CSampleOneCalc one;
    CPowerPairedCalc powerPaired;
    CPowerOneCalc powerOne;
    const std::function<bool(double)> setters[] = {
        [&](double sd) { return unpaired.SetSD(sd); },
        [&](double sd) { return paired.SetSD(sd); },
        [&](double sd) { return one.SetSD(sd); },
        [&](double sd) { return powerPaired.SetSD(sd); },
        [&](double sd) { return powerOne.SetSD(sd); },
    };
    for (const auto& set : setters) {
        for (double bad : {0.0, -1.0, NaN}) {
            m_sink.clear();
            EXPECT_THROW(set(bad), CUserException);
            EXPECT_EQ(m_sink.messages(), std::vector<std::string>{SdMessage});
        }
        EXPECT_TRUE(set(2.5));
    }
    EXPECT_EQ(unpaired.m_sd, 2.5);
    EXPECT_EQ(powerOne.m_sd, 2.5);
}

TEST_F(TTestCalcTest, CorrelationMustLieStrictlyBetweenZeroAndOne)
{
    const struct
    {
        double r;
        bool accepted;
    } cases[] = {{0, false},   {1, false},    {-0.5, false}, {1.5, false}, {NaN, false},
                 {Inf, false}, {0.999, true}, {0.5, true},   {1e-9, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r);
        CSamplePairedCalc calc;
        m_sink.clear();
        if (c.accepted) {
            EXPECT_TRUE(calc.SetR(c.r));
            EXPECT_EQ(calc.m_r, c.r);
            EXPECT_TRUE(m_sink.messages().empty());
        } else {
            EXPECT_THROW(calc.SetR(c.r), CUserException);
            EXPECT_EQ(m_sink.messages(), std::vector<std::string>{RMessage});
            EXPECT_EQ(calc.m_r, -1.0);
            // Silently refused while defaults are loaded.
            calc.m_reportErrors = false;
            EXPECT_FALSE(calc.SetR(c.r));
            EXPECT_EQ(m_sink.messages().size(), 1u);
        }
    }
}

TEST_F(TTestCalcTest, SampleSizeSettersCheckTheirLowerBounds)
{
    const struct
    {
        bool pairs; // SetPairs of the paired calculator, else SetSampleSize of one-sample
        double n;
        unsigned int message; // 0 when accepted
    } cases[] = {
        // Pairs as one-sample sizes: one pair leaves the t test no degrees of freedom.
        {true, 2, 0},
        {true, 1, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, 1.999, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, 0.5, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, 0, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, -3, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, NaN, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {true, Inf, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {false, 2, 0},
        {false, 1, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {false, 1.999, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {false, NaN, IDS_SAMPLE_SIZE_ABOVE_ONE},
        {false, Inf, IDS_SAMPLE_SIZE_ABOVE_ONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.pairs) + " " + std::to_string(c.n));
        CPowerPairedCalc paired;
        CPowerOneCalc one;
        m_sink.clear();
        const auto set = [&] { return c.pairs ? paired.SetPairs(c.n) : one.SetSampleSize(c.n); };
        const double& stored = c.pairs ? paired.m_n : one.m_n;
        if (c.message == 0) {
            EXPECT_TRUE(set());
            EXPECT_EQ(stored, c.n);
        } else {
            EXPECT_THROW(set(), CUserException);
            EXPECT_EQ(m_sink.last(), LoadString(c.message));
            EXPECT_EQ(stored, -1.0);
        }
    }
    EXPECT_EQ(std::string(LoadString(IDS_SAMPLE_SIZE_ABOVE_ONE)),
              "Sample size must be positive integer greater than 1.\nEnter correct value in the "
              "field and try again.");
    EXPECT_EQ(std::string(LoadString(IDS_SAMPLE_SIZE_POSITIVE)),
              "Sample size must be positive integer.\nEnter correct value in the field and try "
              "again.");
}

TEST_F(TTestCalcTest, SetGroupsStoresEachValueAsSoonAsItsCheckPasses)
{
    const std::string sd1Message = "SD for group 1 must be positive number.\nEnter correct value "
                                   "in the field and try again.";
    const std::string sd2Message = "SD for group 2 must be positive number.\nEnter correct value "
                                   "in the field and try again.";
    const struct
    {
        double n1, n2, sd1, sd2;
        std::string message;
        double storedN1, storedN2, storedSd1;
    } cases[] = {
        {1, 5, 1, 1, LoadString(IDS_GROUP1_SIZE_ABOVE_ONE), -1, -1, -1},
        {5, 1, 1, 1, LoadString(IDS_GROUP2_SIZE_ABOVE_ONE), 5, -1, -1},
        {5, 6, 0, 1, sd1Message, 5, 6, -1},
        {5, 6, 1, 0, sd2Message, 5, 6, 1},
        {5, 6, 1, -2, sd2Message, 5, 6, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CPowerUnpairedCalc calc;
        m_sink.clear();
        EXPECT_THROW(calc.SetGroups(c.n1, c.n2, c.sd1, c.sd2), CUserException);
        EXPECT_EQ(m_sink.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(calc.m_n1, c.storedN1);
        EXPECT_EQ(calc.m_n2, c.storedN2);
        EXPECT_EQ(calc.m_sd1, c.storedSd1);
        EXPECT_EQ(calc.m_sd2, -1.0);
        EXPECT_EQ(calc.m_pooledSd, 0.0);
        EXPECT_EQ(calc.m_decimals, 2);
    }
}

TEST_F(TTestCalcTest, PooledSdWeighsEachGroupByItsDegreesOfFreedom)
{
    CPowerUnpairedCalc calc;
    ASSERT_TRUE(calc.SetGroups(7, 7, 0.03, 0.04));
    // Equal groups: the root mean square of the two SDs.
    EXPECT_NEAR(calc.m_pooledSd, std::sqrt((0.0009 + 0.0016) / 2), 1e-15);
    EXPECT_EQ(calc.m_decimals, 3);
    ASSERT_TRUE(calc.SetGroups(10, 12, 1.5, 2));
    EXPECT_NEAR(calc.m_pooledSd, std::sqrt((2.25 * 9 + 4 * 11) / 20.0), 1e-15);
    EXPECT_EQ(calc.m_decimals, 2);
}

// Unequal groups use the harmonic size 2 n1 n2 / (n1 + n2) in the unpaired formula.
TEST_F(TTestCalcTest, UnequalGroupsUseTheHarmonicSize)
{
    CPowerUnpairedCalc calc;
    ASSERT_TRUE(calc.SetGroups(10, 40, 1, 1));
    CSampleUnpairedCalc sample;
    sample.SetSD(1);
    ASSERT_TRUE(sample.ParseNs("16")); // 2 * 10 * 40 / 50
    ASSERT_TRUE(sample.ParsePowers("80"));
    calc.ParsePowers("80");
    EXPECT_NEAR(powerCell(calc, 0), sampleCell(sample, 0, 0), 1e-12);
}

TEST_F(TTestCalcTest, PairedChoicesNameTheSdThatWasEntered)
{
    CSamplePairedCalc calc;
    calc.SetSD(1.5);
    calc.SetR(0.25);
    calc.m_useR = false;
    const std::string text =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteChoices(w, false); });
    EXPECT_EQ(text, "Sample size for paired t test\n\nExpected SD of the after-before differences "
                    "= 1.5\nSignificance level (alpha) = 0.05 (two-tailed)\nMethod: written "
                    "approximation (normal approximation with a small-sample correction)\n");
}

TEST_F(TTestCalcTest, IdentitiesTitlesAndFactoryAgree)
{
    const struct
    {
        int goal, design;
        unsigned int titleId;
        const char* title;
        const char* explanationTitle;
    } cases[] = {
        {0, 0, 500, "Sample size for unpaired t test",
         "Explanation of sample size for unpaired t test"},
        {0, 1, 502, "Sample size for paired t test",
         "Explanation of sample size for paired t test"},
        {0, 5, 512, "Sample size for one-sample t test",
         "Explanation of sample size for a one-sample t test"},
        {1, 0, 504, "Power of a 'not significant' t test", "Explanation of power"},
        {1, 1, 514, "Power of a 'not significant' paired t test",
         "Explanation of power of a 'not significant' paired t test"},
        {1, 5, 520, "Power of one-sample t test", "Explanation of one-sample t test"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        std::unique_ptr<CCalculator> calc(CreateCalculator(c.goal, c.design));
        ASSERT_NE(calc, nullptr);
        for (int goal = 0; goal < 2; ++goal)
            for (int design = 0; design < 6; ++design)
                EXPECT_EQ(calc->IsKind(goal, design), goal == c.goal && design == c.design);
        EXPECT_EQ(calc->GetTitleId(), c.titleId);
        EXPECT_EQ(calc->GetExplanationTitleId(), c.titleId + 1);
        EXPECT_STREQ(LoadString(calc->GetTitleId()), c.title);
        EXPECT_STREQ(LoadString(calc->GetExplanationTitleId()), c.explanationTitle);
        EXPECT_FALSE(calc->HasSelection());
    }
    for (int goal : {-1, 2})
        for (int design : {-1, 0, 5, 6})
            EXPECT_EQ(CreateCalculator(goal, design), nullptr);
    EXPECT_EQ(CreateCalculator(0, 6), nullptr);
    EXPECT_EQ(CreateCalculator(1, -1), nullptr);
}

TEST(StringTableTest, HoldsEveryTitleAndNothingForUnknownIds)
{
    for (unsigned int id = 500; id <= 523; ++id)
        EXPECT_STRNE(LoadString(id), "") << id;
    for (unsigned int id : {0u, 1u, 499u, 524u, 61243u, 99999u})
        EXPECT_STREQ(LoadString(id), "") << id;
    EXPECT_STREQ(LoadString(166), "Sample Size Powers");
    EXPECT_STREQ(LoadString(204), "Sample Size Series");
    EXPECT_STREQ(LoadString(205), "Powers Determination");
    EXPECT_STREQ(LoadString(57344), "Veldrine Zentrima 2.00");
}

TEST_F(TTestCalcTest, NewCalculatorsStartFromTheStoredDefaultLists)
{
    m_store.writeString("Application", "Sample Size Powers", "85,70");
    m_store.writeString("Application", "Sample Size Series", "4,8");
    m_store.writeString("Application", "Powers Determination", "60");
    CSampleOneCalc sample;
    CPowerOneCalc power;
    std::string text;
    sample.FormatPowers(text);
    EXPECT_EQ(text, "85,70");
    sample.FormatNs(text);
    EXPECT_EQ(text, "4,8");
    power.FormatPowers(text);
    EXPECT_EQ(text, "60");
    ASSERT_EQ(power.m_nNs, 1);
    EXPECT_EQ(power.m_ns[0], 0);
    EXPECT_EQ(sample.m_sd, -1.0);
    EXPECT_EQ(power.m_sd, -1.0);
    EXPECT_EQ(power.m_n, -1.0);
}

} // namespace
