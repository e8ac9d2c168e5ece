#include "calc/CTestCalculator.h"

#include "platform/CUserException.h"
#include "calc/Formatting.h"

#include <string>
#include <vector>

namespace {

const char* const TooManyPowers =
    "Too many powers in the list.\nNumber of powers must be less than 100.";
const char* const PowerAboveZero =
    "Power must be greater than zero.\nEnter correct value in the field, and try again.";
const char* const PowerBelow100 =
    "Power must be less than 100.\nEnter correct value in the field, and try again.";
const char* const TwoPoints =
    "You entered a value with two decimal points.\nEnter correct value in the field, and try "
    "again.";
const char* const BadPower =
    "Bad symbol encountered in power list.\nEnter correct value in the field, and try again.";

const char* const TooManySizes =
    "Too many samples in the list.\nNumber of samples must be less than 100.";
const char* const CannotConvert = "Cannot convert a number in samples list";
const char* const SizeAbove1 = "Sample size must be positive integer greater than 1.\nEnter "
                               "correct value in the field and try again.";
const char* const SizeAboveMillion = "Zentrima cannot do calculations for sample sizes greater "
                                     "than 1,000,000.\nReenter the list of Ns.";
const char* const BadSize = "Bad symbol encountered in sample size list.\nEnter correct value "
                            "in the field, and try again.";

std::vector<double> powersOf(const CCalculator& calc)
{
    return std::vector<double>(calc.m_powers, calc.m_powers + calc.m_nPowers);
}

std::vector<int> sizesOf(const CCalculator& calc)
{
    return std::vector<int>(calc.m_ns, calc.m_ns + calc.m_nNs);
}

// "first,first+step,..." with count values.
std::string sequence(double first, double step, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string number;
        FormatNumber(first + step * i, number);
        text += (i ? "," : "") + number;
    }
    return text;
}

struct PowersCase
{
    std::string text;
    const char* message; // null when the text is accepted
    std::vector<double> powers;
};

TEST_F(CalculatorTest, ParsePowersAcceptsOrNamesTheFault)
{
    const std::string hundred = sequence(0.5, 1, 100); // 0.5, 1.5, ..., 99.5
    const PowersCase cases[] = {
        {"99,95,90,80,50", nullptr, {99, 95, 90, 80, 50}},
        {"50, 80, 80, 90", nullptr, {90, 80, 50}},
        {"80 , 90", BadPower, {}}, // a space before the comma lies inside the item
        {"50 80", BadPower, {}},
        {"5a", BadPower, {}},
        {"80%", BadPower, {}},
        {"1e1", BadPower, {}},      // 10 is a valid value; the letter is not
        {"80,+90", BadPower, {}},   // so is 90; the sign is not
        {"-5", PowerAboveZero, {}}, // the value is tested before the characters
        {"abc", PowerAboveZero, {}},
        {"80,x", PowerAboveZero, {}},
        {"-0", PowerAboveZero, {}},
        {"nan", PowerAboveZero, {}},
        {"", PowerAboveZero, {}},
        {" , ,, ", PowerAboveZero, {}},
        {"0.0000000000009", PowerAboveZero, {}},
        {"0.000000000001", nullptr, {1e-12}},
        {"100", PowerBelow100, {}},
        {"inf", PowerBelow100, {}},
        {"10,20,101", PowerBelow100, {}},
        {"99.9999999999999", PowerBelow100, {}}, // thirteen 9s
        {"99.999999999999", nullptr, {99.999999999999}},
        {"99.99", nullptr, {99.99}},
        {"1.2.3", TwoPoints, {}},
        {"1.2,3.4.", TwoPoints, {}},
        {".5,5.,  70,,50", nullptr, {70, 50, 5, 0.5}},
        {"7,50, 7", nullptr, {50, 7}},
        {hundred + ", , ", nullptr, {}},
        {hundred + ",50.5", TooManyPowers, {}}, // even a duplicate
        {hundred + ",abc", TooManyPowers, {}},  // counted before the value is read
    };
    for (const PowersCase& c : cases) {
        SCOPED_TRACE(c.text);
        CTestCalculator calc;
        ASSERT_TRUE(calc.ParsePowers("33,22"));
        const double z0 = calc.m_zPowers[0];
        m_sink.clear();
        if (c.message == nullptr) {
            EXPECT_TRUE(calc.ParsePowers(c.text));
            EXPECT_TRUE(m_sink.messages().empty());
            if (!c.powers.empty()) {
                EXPECT_EQ(powersOf(calc), c.powers);
            }
            continue;
        }
        EXPECT_THROW(calc.ParsePowers(c.text), CUserException);
        EXPECT_EQ(m_sink.messages(), std::vector<std::string>{c.message});
        // No partial list: the old one stays, with its deviates.
        EXPECT_EQ(powersOf(calc), (std::vector<double>{33, 22}));
        EXPECT_EQ(calc.m_zPowers[0], z0);

        calc.m_reportErrors = false;
        EXPECT_FALSE(calc.ParsePowers(c.text));
        EXPECT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(powersOf(calc), (std::vector<double>{33, 22}));
    }
}

TEST_F(CalculatorTest, ParsePowersKeepsAHundredValuesInDescendingOrderWithTheirDeviates)
{
    CTestCalculator calc;
    ASSERT_TRUE(calc.ParsePowers(sequence(0.5, 1, 100)));
    ASSERT_EQ(calc.m_nPowers, 100);
    EXPECT_EQ(calc.m_powers[0], 99.5);
    EXPECT_EQ(calc.m_powers[99], 0.5);
    for (int i = 1; i < 100; ++i)
        EXPECT_LT(calc.m_zPowers[i], calc.m_zPowers[i - 1]) << i;
    EXPECT_NEAR(calc.m_zPowers[99], -2.575829, 1e-4); // quantile of 0.5 %
}

struct SizesCase
{
    std::string text;
    const char* message; // null when the text is accepted
    std::vector<int> sizes;
};

TEST_F(CalculatorTest, ParseNsAcceptsOrNamesTheFault)
{
    std::string hundred; // 2, 3, ..., 101
    for (int n = 2; n <= 101; ++n)
        hundred += (n > 2 ? "," : "") + std::to_string(n);
    const SizesCase cases[] = {
        {"3,4,5", nullptr, {3, 4, 5}},
        {"10, 5, 10,,  7", nullptr, {5, 7, 10}},
        {"2", nullptr, {2}},
        {"1000000", nullptr, {1000000}},
        {"1,000", SizeAbove1, {}}, // fails at its first item, 1
        {"0", SizeAbove1, {}},
        {"-0", SizeAbove1, {}},
        {"abc", SizeAbove1, {}},
        {"1e3", SizeAbove1, {}}, // reads 1 before it meets the letter
        {"", SizeAbove1, {}},
        {",, ,", SizeAbove1, {}},
        {"-5", CannotConvert, {}},
        {"-123456789012345678901234567890", CannotConvert, {}},
        {"1000001", SizeAboveMillion, {}},
        {"123456789012345678901234567890", SizeAboveMillion, {}},
        {"4294967298", SizeAboveMillion, {}}, // wraps to 2 in a 32-bit conversion
        {"3.5", BadSize, {}},
        {"5 ,6", BadSize, {}},
        {"+5", BadSize, {}},
        {"5x", BadSize, {}},
        {hundred, nullptr, {}},
        {hundred + ",2", TooManySizes, {}},
        {hundred + ",-1", TooManySizes, {}},
    };
    for (const SizesCase& c : cases) {
        SCOPED_TRACE(c.text);
        CTestCalculator calc;
        ASSERT_TRUE(calc.ParseNs("8,9"));
        m_sink.clear();
        if (c.message == nullptr) {
            EXPECT_TRUE(calc.ParseNs(c.text));
            EXPECT_TRUE(m_sink.messages().empty());
            if (!c.sizes.empty()) {
                EXPECT_EQ(sizesOf(calc), c.sizes);
            }
            continue;
        }
        EXPECT_THROW(calc.ParseNs(c.text), CUserException);
        EXPECT_EQ(m_sink.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(sizesOf(calc), (std::vector<int>{8, 9}));

        calc.m_reportErrors = false;
        EXPECT_FALSE(calc.ParseNs(c.text));
        EXPECT_EQ(m_sink.messages().size(), 1u);
        EXPECT_EQ(sizesOf(calc), (std::vector<int>{8, 9}));
    }
    CTestCalculator calc;
    ASSERT_TRUE(calc.ParseNs(hundred));
    EXPECT_EQ(calc.m_nNs, 100);
    EXPECT_EQ(calc.m_ns[99], 101);
}

TEST_F(CalculatorTest, ListsRoundTripThroughTheirTextForm)
{
    CTestCalculator calc;
    ASSERT_TRUE(calc.ParsePowers("12.5, 99, 0.00005, 33.333"));
    std::string text;
    calc.FormatPowers(text);
    EXPECT_EQ(text, "99,33.333,12.5,0.00005");
    CTestCalculator again;
    ASSERT_TRUE(again.ParsePowers(text));
    EXPECT_EQ(powersOf(again), powersOf(calc));

    ASSERT_TRUE(calc.ParseNs("1000, 3, 20"));
    calc.FormatNs(text);
    EXPECT_EQ(text, "3,20,1000");
    ASSERT_TRUE(again.ParseNs(text));
    EXPECT_EQ(sizesOf(again), sizesOf(calc));
}

const char* const Section = "Application";
const char* const SampleDefaultPowers = "99,95,90,80,50";
const char* const SampleDefaultSizes =
    "3,4,5,6,7,8,9,10,12,14,16,18,20,25,30,35,40,50,60,70,80,90,100,150,200,300,400,500,1000";
const char* const PowerDefaultPowers = "99,95,90,85,80,75,70,60,50,40,30,20,10";

struct DefaultsCase
{
    const char* stored; // null: no value at all
    bool kept;          // the stored list is used and stays in the store
};

TEST_F(CalculatorTest, SampleDefaultsComeFromTheStoreOrTheBuiltInLists)
{
    const DefaultsCase cases[] = {
        {nullptr, false}, {"", false}, {"abc", false}, {"1,000", false}, {"50, 80", true}};
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        m_store.clear();
        m_sink.clear();
        if (c.stored) {
            m_store.writeString(Section, "Sample Size Powers", c.stored);
            m_store.writeString(Section, "Sample Size Series", c.stored);
        }
        CTestCalculator calc(500, CTestCalculator::SampleDefaults);
        std::string powers, sizes;
        calc.FormatPowers(powers);
        calc.FormatNs(sizes);
        EXPECT_EQ(powers, c.kept ? "80,50" : SampleDefaultPowers);
        EXPECT_EQ(sizes, c.kept ? "50,80" : SampleDefaultSizes);
        EXPECT_EQ(m_store.contains(Section, "Sample Size Powers"), c.kept);
        EXPECT_EQ(m_store.contains(Section, "Sample Size Series"), c.kept);
        EXPECT_TRUE(m_sink.messages().empty());
        EXPECT_TRUE(calc.m_reportErrors);
    }
}

TEST_F(CalculatorTest, PowerDefaultsComeFromTheStoreOrTheBuiltInListWithoutSizes)
{
    const DefaultsCase cases[] = {{nullptr, false}, {"", false}, {"100", false}, {"10,90", true}};
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        m_store.clear();
        m_sink.clear();
        if (c.stored)
            m_store.writeString(Section, "Powers Determination", c.stored);
        m_store.writeString(Section, "Sample Size Series", "5,6");
        CTestCalculator calc(504, CTestCalculator::PowerDefaults);
        std::string powers;
        calc.FormatPowers(powers);
        EXPECT_EQ(powers, c.kept ? "90,10" : PowerDefaultPowers);
        EXPECT_EQ(m_store.contains(Section, "Powers Determination"), c.kept);
        EXPECT_TRUE(m_store.contains(Section, "Sample Size Series"));
        EXPECT_EQ(sizesOf(calc), std::vector<int>{0});
        EXPECT_TRUE(m_sink.messages().empty());
        EXPECT_TRUE(calc.m_reportErrors);
    }
}

} // namespace
