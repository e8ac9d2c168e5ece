#include "calc/CTableLabels.h"
#include "calc/CTestCalculator.h"
#include "calc/Formatting.h"
#include "calc/Query.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <clocale>
#include <cstdio>
#include <string>

namespace {

TEST(FormatNumberTest, UsesShortestFormAboveOneTenThousandthAndTrimmedFixedBelow)
{
    struct Case
    {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.00005, "0.00005"},
        {0, "0"},
        {-1.5, "-1.5"},
        {-0.5, "-0.5"},
        {-1000, "-1000"}, // trimming must stop at the point, not eat the integer's zeros
        {-20.5, "-20.5"},
        {0.0001, "0.0001"}, // not above the threshold: fixed form, trimmed
        {0.00010000001, "0.00010000001"},
        // Above the threshold the shortest form keeps fourteen significant digits; the fixed
        // form would cut this to twelve decimals.
        {0.00012345678901234, "0.00012345678901234"},
        {1e-12, "0.000000000001"},
        {4e-13, "0"},
        {80, "80"},
        {100, "100"},
        {99.5, "99.5"},
        {99.999999999999, "99.999999999999"},
        {1.0 / 3, "0.33333333333333"},
        {1234567.25, "1234567.25"},
        {1e20, "1e+20"},
        // Longer than any short buffer: -2^210, exact in binary and in its decimal digits.
        {-0x1p210, "-1645504557321206042154969182557350504982735865633579863348609024"},
        // Longer than the formatting buffer of 128 characters: -2^500 (152 characters).
        {-0x1p500, "-327339060789614187001318969682759915221664204604306478948329136809613379640467"
                   "4554883270092325904157150886684127560071009217256545885393053328527589376"},
        // The same text as the page writer's numbers, never padded.
        {std::nan(""), "nan"},
        {-HUGE_VAL, "-inf"},
        {HUGE_VAL, "inf"},
    };
    for (const Case& c : cases) {
        std::string out = "old";
        FormatNumber(c.value, out);
        EXPECT_EQ(out, c.expected) << c.value;
    }
}

TEST(QueryIntTest, ReadsTheNumberAfterTheFirstKeyAndItsEquals)
{
    struct Case
    {
        const char* query;
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"n=3&pow=2", "n", 3},
        {"n=3&pow=2", "pow", 2},
        {nullptr, "n", -1},
        {"n=3&pow=2", nullptr, -1},
        {"pow=2", "n", -1},    // key missing
        {"n3&pow", "n", -1},   // "=" missing
        {"n&pow=4", "n", 4},   // the first "=" after the key, wherever it is
        {"nn=4&n=5", "n", 4},  // the first occurrence of the key
        {"n=x&pow=1", "n", 0}, // no digits: 0, as atoi gives
        {"n= 7", "n", 7},      // atoi skips white space and takes a sign
        {"n=-4", "n", -4},     //
        {"n=12abc", "n", 12},  //
        {"pow=2147483647", "pow", INT_MAX},
        {"pow=-2147483648", "pow", INT_MIN},
        {"pow=2147483648", "pow", -1}, // beyond int: never a valid index
        {"pow=4294967298", "pow", -1}, // would wrap to 2 in a 32-bit conversion
        {"pow=-99999999999999999999999999", "pow", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.query ? c.query : "(null)") + " / " +
                     (c.key ? c.key : "(null)"));
        EXPECT_EQ(QueryInt(c.query, c.key), c.expected);
    }
}

TEST(QueryIndexTest, KeepsOnlyIndicesOfTheList)
{
    const struct
    {
        const char* query;
        int count;
        int expected;
    } cases[] = {
        {"pow=0", 3, 0},  {"pow=2", 3, 2}, {"pow=3", 3, -1}, {"pow=-1", 3, -1},
        {"pow=0", 0, -1}, {"n=1", 3, -1},  {nullptr, 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.query ? c.query : "(null)") + " of " + std::to_string(c.count));
        EXPECT_EQ(QueryIndex(c.query, "pow", c.count), c.expected);
    }
}

TEST(CTableLabelsTest, StartsWithTwoDecimalsAndLinks)
{
    CTableLabels labels;
    EXPECT_TRUE(labels.title.empty());
    EXPECT_TRUE(labels.rowLabel.empty());
    EXPECT_TRUE(labels.valueLabel.empty());
    EXPECT_EQ(labels.valueFormat, "%.2f");
    EXPECT_EQ(labels.plainFormat, "%.2f");
    EXPECT_TRUE(labels.linkCells);
}

TEST(CTableLabelsTest, SetFormatsForTakesDecimalsFromTheScale)
{
    struct Case
    {
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {250, "%.2f"},   {5, "%.2f"},    {1, "%.2f"},        {0.5, "%.2f"},
        {0.1, "%.3f"},   {0.05, "%.3f"}, {0.01, "%.4f"},     {0.002, "%.4f"},
        {0.001, "%.5f"}, {1e-5, "%.7f"}, {0.000002, "%.7f"},
    };
    for (const Case& c : cases) {
        CTableLabels labels;
        labels.SetFormatsFor(c.x);
        EXPECT_EQ(labels.valueFormat, c.expected) << c.x;
        EXPECT_EQ(labels.plainFormat, c.expected) << c.x;
    }
    // Never reached from a validated calculator, but must not convert an infinite log.
    for (double bad : {0.0, -3.0}) {
        CTableLabels labels;
        labels.SetFormatsFor(bad);
        EXPECT_EQ(labels.valueFormat, "%.10f");
    }
}

// Runs the body under a German locale, whose decimal separator is a comma, and restores the
// previous locale afterwards.
class CommaLocaleTest : public CalculatorTest
{
protected:
    void SetUp() override
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (scripts/deps.sh makes it)";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        if (std::string(probe) != "1,5")
            GTEST_SKIP() << "de_DE.UTF-8 does not use a decimal comma here";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_previous.c_str()); }

    std::string m_previous;
};

TEST_F(CommaLocaleTest, NumbersKeepTheDecimalPoint)
{
    std::string out;
    FormatNumber(99.5, out);
    EXPECT_EQ(out, "99.5");
    FormatNumber(0.00005, out);
    EXPECT_EQ(out, "0.00005");

    CTableLabels labels;
    labels.SetFormatsFor(0.05);
    EXPECT_EQ(labels.valueFormat, "%.3f");
    EXPECT_EQ(formatInCLocale(labels.valueFormat.c_str(), 1.5), "1.500");

    CTestCalculator calc;
    calc.SetAlpha(0.10, false);
    calc.FormatAlpha(out, true);
    EXPECT_EQ(out, "0.05 (one-tailed)");

    ASSERT_TRUE(calc.ParsePowers("99.5, 80,0.5"));
    ASSERT_EQ(calc.m_nPowers, 3);
    EXPECT_EQ(calc.m_powers[0], 99.5);
    EXPECT_EQ(calc.m_powers[2], 0.5);
    calc.FormatPowers(out);
    EXPECT_EQ(out, "99.5,80,0.5");
}

} // namespace
