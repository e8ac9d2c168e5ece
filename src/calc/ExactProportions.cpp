#include "calc/ExactProportions.h"

#include "calc/Formatting.h"
#include "exact/ExactPolicy.h"
#include "report/CHtmlWriter.h"

#include <boost/math/distributions/normal.hpp>

namespace {

struct TestTexts
{
    ProportionTest test;
    const char* name;
    const char* key;
    const char* checkDistribution;
};

const TestTexts Texts[] = {
    {ProportionTest::ChiSquare, "uncorrected chi-square test", "chi-square",
     "exact binomial distribution"},
    {ProportionTest::Yates, "chi-square test with Yates's continuity correction", "yates",
     "exact binomial distribution of the chi-square test with Yates's continuity correction"},
    {ProportionTest::Fisher, "Fisher's exact test", "fisher",
     "exact binomial distribution of Fisher's exact test"},
};

const TestTexts& TextsOf(ProportionTest test)
{
    for (const TestTexts& texts : Texts)
        if (texts.test == test)
            return texts;
    return Texts[0];
}

} // namespace

const char* ProportionTestName(ProportionTest test)
{
    return TextsOf(test).name;
}

const char* ProportionTestKey(ProportionTest test)
{
    return TextsOf(test).key;
}

bool ProportionTestFromCode(int code, ProportionTest& test)
{
    if (code < 0 || code > 2)
        return false;
    test = Texts[code].test;
    return true;
}

const char* ProportionCheckDistribution(ProportionTest test)
{
    return TextsOf(test).checkDistribution;
}

std::string LevelPercentText(double fraction)
{
    const double percent = fraction * 100;
    return formatInCLocale(percent < 0.1 ? "%.2g%%" : "%.1f%%", percent);
}

double ExactDeviateSum(const ExactLevel& level, double power)
{
    const boost::math::normal_distribution<double, ExactPolicy> normal;
    return boost::math::quantile(boost::math::complement(normal, level.TailProbability())) +
           boost::math::quantile(normal, power);
}

void WriteWrittenTestNote(CHtmlWriter& w, bool exact, ProportionTest test)
{
    if (exact || test == ProportionTest::ChiSquare)
        return;
    w.OpenParagraph();
    w.Write("Test to be run: %s. The written method approximates the uncorrected chi-square "
            "test; the exact method computes the power of the %s.",
            ProportionTestName(test), ProportionTestName(test));
    w.CloseParagraph();
}
