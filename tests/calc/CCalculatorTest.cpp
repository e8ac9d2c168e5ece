#include "calc/CTestCalculator.h"

#include "engine/Distributions.h"
#include "platform/CUserException.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

const char* const SdMessage =
    "SD must be a positive number.\nEnter correct value in the field and try again.";

TEST_F(CalculatorTest, StartsEmptyAtFivePercentTwoTailed)
{
    CTestCalculator calc;
    EXPECT_EQ(calc.next, nullptr);
    EXPECT_EQ(calc.m_nPowers, 0);
    EXPECT_EQ(calc.m_nNs, 0);
    EXPECT_TRUE(calc.m_reportErrors);
    EXPECT_EQ(calc.m_decimals, 2);
    EXPECT_EQ(calc.m_alpha, 0.05);
    EXPECT_TRUE(calc.m_twoTailed);
    EXPECT_NEAR(calc.m_zAlpha, 1.95997, 1e-5);
}

TEST_F(CalculatorTest, SetAlphaAcceptsOnlyLevelsStrictlyBetweenZeroAndOne)
{
    struct Case
    {
        double alpha;
        bool twoTailed;
        bool accepted;
        double z; // expected deviate when accepted
    };
    const Case cases[] = {
        {0.01, true, true, 2.57582}, {0.10, false, true, 1.64485}, {0.20, true, true, 1.28155},
        {1.0, true, false, 0},       {0.0, true, false, 0},        {-0.05, false, false, 0},
        {1.5, true, false, 0},       {NaN, true, false, 0},        {Inf, false, false, 0},
        {-Inf, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alpha);
        CTestCalculator calc;
        ASSERT_TRUE(calc.SetAlpha(0.02, false));
        EXPECT_EQ(calc.SetAlpha(c.alpha, c.twoTailed), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(calc.m_alpha, c.alpha);
            EXPECT_EQ(calc.m_twoTailed, c.twoTailed);
            EXPECT_NEAR(calc.m_zAlpha, c.z, 1e-5);
        } else {
            EXPECT_EQ(calc.m_alpha, 0.02);
            EXPECT_FALSE(calc.m_twoTailed);
            EXPECT_NEAR(calc.m_zAlpha, 2.32635, 1e-5);
        }
    }
}

TEST_F(CalculatorTest, FormatAlphaShowsTheLevelTheUserChose)
{
    struct Case
    {
        double stored;
        bool twoTailed;
        bool withTails;
        const char* expected;
    };
    const Case cases[] = {
        // The six levels of the input forms keep two decimals.
        {0.10, false, true, "0.05 (one-tailed)"},
        {0.05, true, true, "0.05 (two-tailed)"},
        {0.02, false, true, "0.01 (one-tailed)"},
        {0.01, true, true, "0.01 (two-tailed)"},
        {0.20, false, false, "0.10"},
        {0.10, true, false, "0.10"},
        {0.30, true, false, "0.30"},
        {0.99, true, true, "0.99 (two-tailed)"},
        // Levels that two decimals would round are written in full.
        {0.01, false, true, "0.005 (one-tailed)"},
        {0.005, true, false, "0.005"},
        {0.001, true, true, "0.001 (two-tailed)"},
        {0.002, false, false, "0.001"},
        {0.025, true, false, "0.025"},
        {0.999, true, false, "0.999"},
        {0.123456789, true, false, "0.123456789"},
        {0.0500000001, true, false, "0.0500000001"},
        {1e-5, true, false, "1e-05"},
    };
    for (const Case& c : cases) {
        CTestCalculator calc;
        ASSERT_TRUE(calc.SetAlpha(c.stored, c.twoTailed));
        std::string out = "old";
        calc.FormatAlpha(out, c.withTails);
        EXPECT_EQ(out, c.expected);
    }
}

TEST_F(CalculatorTest, FormatAlphaReadsBackAsTheLevelItself)
{
    // Every level of three decimals, two- or one-tailed: the text is the level, not a rounding
    // of it, and never longer than the three decimals need.
    for (int thousandths = 1; thousandths < 1000; ++thousandths) {
        const double level = thousandths / 1000.0;
        for (const bool twoTailed : {true, false}) {
            if (!twoTailed && thousandths >= 500)
                continue;
            SCOPED_TRACE(std::to_string(level) + (twoTailed ? " two-tailed" : " one-tailed"));
            CTestCalculator calc;
            ASSERT_TRUE(calc.SetAlpha(twoTailed ? level : 2 * level, twoTailed));
            std::string out;
            calc.FormatAlpha(out, false);
            EXPECT_EQ(std::strtod(out.c_str(), nullptr), level);
            EXPECT_LE(out.size(), 5u);
        }
    }
}

TEST_F(CalculatorTest, SetPowerStoresTheNormalQuantileOfThePower)
{
    // Quantiles of the standard normal; the tail approximation is good to about 1e-6 here.
    struct Case
    {
        double percent;
        double z;
    };
    const Case cases[] = {
        {80, 0.841621},  {97.5, 1.959964}, {95, 1.644854}, {99, 2.326348},   {90, 1.281552},
        {20, -0.841621}, {5, -1.644854},   {1, -2.326348}, {2.5, -1.959964}, {50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        CTestCalculator calc;
        EXPECT_TRUE(calc.SetPower(7, c.percent));
        EXPECT_EQ(calc.m_powers[7], c.percent);
        EXPECT_NEAR(calc.m_zPowers[7], c.z, 1e-4);
    }
    CTestCalculator calc;
    calc.SetPower(0, 30);
    calc.SetPower(1, 70);
    EXPECT_NEAR(calc.m_zPowers[0], -calc.m_zPowers[1], 1e-6);
}

TEST_F(CalculatorTest, SetPowerTakesTheUpperBranchAtExactlyFiftyPercent)
{
    // The bisection stops a little above 0, so the two branches differ in sign at 50%; the
    // pages were always computed with the positive deviate.
    const double upper = InverseTwoTailedNormal(1.0);
    ASSERT_GT(upper, 0);
    CTestCalculator calc;
    calc.SetPower(0, 50);
    EXPECT_EQ(calc.m_zPowers[0], upper);
}

TEST_F(CalculatorTest, ListSettersRefuseIndicesOutsideTheList)
{
    CTestCalculator calc;
    EXPECT_FALSE(calc.SetPower(-1, 80));
    EXPECT_FALSE(calc.SetPower(100, 80));
    EXPECT_FALSE(calc.SetN(-1, 5));
    EXPECT_FALSE(calc.SetN(100, 5));
    EXPECT_TRUE(calc.SetN(99, 5));
    EXPECT_EQ(calc.m_ns[99], 5);
}

TEST_F(CalculatorTest, ReportErrorShowsAndThrowsOnlyWhenReporting)
{
    CTestCalculator calc;
    try {
        calc.ReportError("Bad value.\nTry again.");
        ADD_FAILURE() << "no exception";
    } catch (const CUserException& e) {
        EXPECT_STREQ(e.what(), "Bad value.\nTry again.");
    }
    ASSERT_EQ(m_sink.messages().size(), 1u);
    EXPECT_EQ(m_sink.last(), "Bad value.\nTry again.");

    calc.m_reportErrors = false;
    EXPECT_FALSE(calc.ReportError("Silent."));
    EXPECT_EQ(m_sink.messages().size(), 1u);
}

TEST_F(CalculatorTest, SetSDRefusesNonPositiveAndInfiniteValuesEvenWhenSilent)
{
    for (bool reporting : {true, false}) {
        for (double sd : {0.0, -0.0, -1.0, NaN, -Inf, Inf}) {
            SCOPED_TRACE(sd);
            CTestCalculator calc;
            calc.m_reportErrors = reporting;
            calc.m_sd = 7;
            calc.m_decimals = 5;
            m_sink.clear();
            EXPECT_THROW(calc.SetSD(sd), CUserException);
            EXPECT_EQ(m_sink.messages(), std::vector<std::string>{SdMessage});
            EXPECT_EQ(calc.m_sd, 7);
            EXPECT_EQ(calc.m_decimals, 5);
        }
    }
}

TEST_F(CalculatorTest, SetSDStoresTheValueAndItsDecimals)
{
    struct Case
    {
        double sd;
        int decimals;
    };
    for (const Case& c :
         {Case{5, 2}, Case{1, 2}, Case{0.5, 2}, Case{0.05, 3}, Case{0.002, 4}, Case{0.000002, 7}}) {
        CTestCalculator calc;
        EXPECT_TRUE(calc.SetSD(c.sd));
        EXPECT_EQ(calc.m_sd, c.sd);
        EXPECT_EQ(calc.m_decimals, c.decimals);
    }
    EXPECT_TRUE(m_sink.messages().empty());
}

// Gives every core field of calc a value no constructor sets, keyed by k.
void fillDistinct(CTestCalculator& calc, int k)
{
    calc.SetAlpha(0.01 * (k + 1), k % 2 == 0);
    calc.m_nPowers = 10 + k;
    calc.m_nNs = 20 + k;
    for (int i = 0; i < 100; ++i) {
        calc.SetPower(i, 1 + (i + k) % 98);
        calc.m_ns[i] = 1000 * k + i;
    }
    calc.m_reportErrors = k != 1;
    calc.m_decimals = 3 + k;
    calc.m_selPower = 4 + k;
    calc.m_selN = 6 + k;
    calc.m_sd = 1.5 + k;
}

void expectSameCore(const CTestCalculator& copy, const CTestCalculator& source)
{
    EXPECT_EQ(copy.GetTitleId(), source.GetTitleId());
    EXPECT_EQ(copy.m_alpha, source.m_alpha);
    EXPECT_EQ(copy.m_zAlpha, source.m_zAlpha);
    EXPECT_EQ(copy.m_twoTailed, source.m_twoTailed);
    EXPECT_EQ(copy.m_nPowers, source.m_nPowers);
    EXPECT_EQ(copy.m_nNs, source.m_nNs);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(copy.m_powers[i], source.m_powers[i]);
        EXPECT_EQ(copy.m_zPowers[i], source.m_zPowers[i]);
        EXPECT_EQ(copy.m_ns[i], source.m_ns[i]);
    }
    EXPECT_EQ(copy.m_reportErrors, source.m_reportErrors);
    EXPECT_EQ(copy.m_decimals, source.m_decimals);
    EXPECT_EQ(copy.m_selPower, source.m_selPower);
    EXPECT_EQ(copy.m_selN, source.m_selN);
    EXPECT_EQ(copy.m_sd, source.m_sd);
}

TEST_F(CalculatorTest, CloneCopiesAWholeChainIndependently)
{
    // Built with stored defaults, so the copy must overwrite what its constructor loads.
    CTestCalculator first(500, CTestCalculator::SampleDefaults);
    CTestCalculator second(504, CTestCalculator::PowerDefaults);
    CTestCalculator third(512, CTestCalculator::SampleDefaults);
    first.next = &second;
    second.next = &third;
    fillDistinct(first, 0);
    fillDistinct(second, 1);
    fillDistinct(third, 2);

    std::unique_ptr<CCalculator> copies[3];
    copies[0].reset(first.Clone());
    copies[1].reset(copies[0]->next);
    ASSERT_NE(copies[1], nullptr);
    copies[2].reset(copies[1]->next);
    ASSERT_NE(copies[2], nullptr);
    EXPECT_EQ(copies[2]->next, nullptr);

    const CTestCalculator* sources[3] = {&first, &second, &third};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NE(copies[k].get(), sources[k]);
        expectSameCore(static_cast<const CTestCalculator&>(*copies[k]), *sources[k]);
    }

    for (CTestCalculator* source : {&first, &second, &third})
        fillDistinct(*source, 5);
    for (int k = 0; k < 3; ++k) {
        const auto& copy = static_cast<const CTestCalculator&>(*copies[k]);
        EXPECT_EQ(copy.m_decimals, 3 + k);
        EXPECT_EQ(copy.m_ns[50], 1000 * k + 50);
        EXPECT_EQ(copy.m_sd, 1.5 + k);
    }
}

TEST_F(CalculatorTest, WriteReportForQueryWritesOnlyWithASelection)
{
    FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    CHtmlWriter writer(sink, CHtmlWriter::ModeHtml);
    CTestCalculator calc;
    ASSERT_TRUE(calc.ParsePowers("90,80,50"));

    EXPECT_FALSE(calc.WriteReportForQuery(writer, "pow=3"));
    EXPECT_EQ(calc.m_explanationsWritten, 0);
    EXPECT_FALSE(calc.WriteReportForQuery(writer, nullptr));
    EXPECT_EQ(calc.m_explanationsWritten, 0);

    EXPECT_TRUE(calc.WriteReportForQuery(writer, "pow=2"));
    EXPECT_EQ(calc.m_selPower, 2);
    // A null query keeps the selection made before.
    EXPECT_TRUE(calc.WriteReportForQuery(writer, nullptr));
    EXPECT_EQ(calc.m_explanationsWritten, 2);
    std::fclose(sink);
}

} // namespace
