// Properties of the t-test calculators over a deterministic pseudo-random sweep of inputs.
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/CalcTestSupport.h"
#include "calc/Formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

/// A small deterministic generator (64-bit linear congruential, Knuth's MMIX constants).
class CSweep
{
public:
    explicit CSweep(uint64_t seed) : m_state(seed) {}
    double uniform()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / 9007199254740992.0;
    }
    double logUniform(double low, double high)
    {
        return std::exp(std::log(low) + uniform() * (std::log(high) - std::log(low)));
    }
    int integer(int low, int high) // inclusive
    {
        return low + static_cast<int>(uniform() * (high - low + 1));
    }

private:
    uint64_t m_state;
};

/// A random level as the forms offer it, or a free one between 0.001 and 0.5.
void setRandomAlpha(CCalculator& calc, CSweep& sweep)
{
    static const double levels[] = {0.01, 0.05, 0.10};
    const int pick = sweep.integer(0, 6);
    if (pick < 6) {
        const bool twoTailed = pick % 2 == 0;
        const double level = levels[pick / 2];
        ASSERT_TRUE(calc.SetAlpha(twoTailed ? level : 2 * level, twoTailed));
    } else {
        ASSERT_TRUE(calc.SetAlpha(sweep.logUniform(0.001, 0.5), true));
    }
}

/// Random distinct sizes (ascending after parsing) and powers (descending).
void setRandomLists(CCalculator& calc, CSweep& sweep)
{
    std::string powers;
    std::string sizes;
    const int count = sweep.integer(1, 12);
    for (int i = 0; i < count; ++i) {
        powers += formatInCLocale("%s%.6f", i ? "," : "", 1 + 98.99 * sweep.uniform());
        sizes += formatInCLocale("%s%d", i ? "," : "", static_cast<int>(sweep.logUniform(2, 1e6)));
    }
    ASSERT_TRUE(calc.ParsePowers(powers));
    ASSERT_TRUE(calc.ParseNs(sizes));
}

using TTestPropertyTest = CalcPageTest;

// The unpaired power calculator with two groups of N and one SD is the unpaired sample-size
// calculator at N: the same formula reached through the harmonic size and pooled SD.
TEST_F(TTestPropertyTest, EqualGroupsPowerMatchesSampleSizeAtTheSameN)
{
    CSweep sweep(20240102);
    for (int i = 0; i < 400; ++i) {
        CSampleUnpairedCalc sample;
        CPowerUnpairedCalc power;
        setRandomAlpha(sample, sweep);
        ASSERT_TRUE(power.SetAlpha(sample.m_alpha, sample.m_twoTailed));
        setRandomLists(sample, sweep);
        std::string powers;
        sample.FormatPowers(powers);
        ASSERT_TRUE(power.ParsePowers(powers));
        const double sd = sweep.logUniform(1e-3, 1e3);
        sample.SetSD(sd);
        for (int r = 0; r < sample.m_nNs; ++r) {
            const int n = sample.m_ns[r];
            power.SetGroups(n, n, sd, sd);
            for (int p = 0; p < sample.m_nPowers; ++p) {
                double expected = 0;
                double actual = 0;
                sample.ComputeCell(p, r, &expected);
                power.ComputeCell(p, &actual);
                EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected))
                    << "N " << n << " power " << sample.m_powers[p] << " sd " << sd << " alpha "
                    << sample.m_alpha;
            }
        }
    }
}

// True when power p lies above the level the user chose (half the stored one-tailed level).
bool admitted(const CCalculator& calc, int p)
{
    const double level = calc.m_twoTailed ? calc.m_alpha : calc.m_alpha / 2;
    return calc.m_powers[p] / 100 > level;
}

// Every cell of a power above the level is finite, every other one fails; sample-size cells
// fall as N rises and rise with the power; power cells rise with the power. Powers run from
// the highest down, sizes from the smallest up.
TEST_F(TTestPropertyTest, CellsAreFiniteAndMonotonic)
{
    CSweep sweep(7);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        CSampleUnpairedCalc unpaired;
        CSamplePairedCalc paired;
        CSampleOneCalc one;
        unpaired.SetSD(sweep.logUniform(1e-3, 1e3));
        paired.SetSD(sweep.logUniform(1e-3, 1e3));
        paired.SetR(sweep.uniform() * 0.998 + 0.001);
        paired.m_useR = sweep.uniform() < 0.5;
        one.SetSD(sweep.logUniform(1e-3, 1e3));
        CSampleCalc* samples[] = {&unpaired, &paired, &one};
        for (CSampleCalc* calc : samples) {
            setRandomAlpha(*calc, sweep);
            setRandomLists(*calc, sweep);
            for (int r = 0; r < calc->m_nNs; ++r) {
                for (int p = 0; p < calc->m_nPowers; ++p) {
                    double v = 0;
                    ASSERT_EQ(calc->ComputeCell(p, r, &v), admitted(*calc, p));
                    if (!admitted(*calc, p))
                        continue;
                    ASSERT_TRUE(std::isfinite(v));
                    if (r > 0) {
                        double smallerN = 0;
                        calc->ComputeCell(p, r - 1, &smallerN);
                        if (smallerN > 0)
                            EXPECT_LE(v, smallerN);
                        else
                            EXPECT_GE(v, smallerN);
                    }
                    if (p > 0) {
                        double higherPower = 0;
                        calc->ComputeCell(p - 1, r, &higherPower);
                        EXPECT_GE(higherPower, v);
                    }
                }
            }
        }

        CPowerUnpairedCalc powerUnpaired;
        CPowerPairedCalc powerPaired;
        CPowerOneCalc powerOne;
        powerUnpaired.SetGroups(sweep.integer(2, 5000), sweep.integer(2, 5000),
                                sweep.logUniform(1e-3, 1e3), sweep.logUniform(1e-3, 1e3));
        powerPaired.SetPairs(sweep.integer(2, 5000));
        powerPaired.SetSD(sweep.logUniform(1e-3, 1e3));
        powerOne.SetSampleSize(sweep.integer(2, 5000));
        powerOne.SetSD(sweep.logUniform(1e-3, 1e3));
        CPowerCalc* powers[] = {&powerUnpaired, &powerPaired, &powerOne};
        for (CPowerCalc* calc : powers) {
            setRandomAlpha(*calc, sweep);
            setRandomLists(*calc, sweep);
            for (int p = 0; p < calc->m_nPowers; ++p) {
                double v = 0;
                ASSERT_EQ(calc->ComputeCell(p, &v), admitted(*calc, p));
                if (!admitted(*calc, p))
                    continue;
                ASSERT_TRUE(std::isfinite(v));
                if (p > 0) {
                    double higherPower = 0;
                    calc->ComputeCell(p - 1, &higherPower);
                    EXPECT_GE(higherPower, v);
                }
            }
        }
    }
}

std::string pagesOf(CCalculator& calc)
{
    return render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) {
        calc.WriteTradeoffPage(w);
        calc.WriteReportForQuery(w, nullptr);
    });
}

void deleteChain(CCalculator* head)
{
    while (head != nullptr) {
        CCalculator* next = head->next;
        delete head;
        head = next;
    }
}

// A chain of all six calculators is copied whole; a copy writes the same pages as its
// source, and changing any copy leaves every source unchanged.
TEST_F(TTestPropertyTest, CloneCopiesTheWholeChainIndependently)
{
    auto* unpaired = new CSampleUnpairedCalc;
    auto* paired = new CSamplePairedCalc;
    auto* one = new CSampleOneCalc;
    auto* powerUnpaired = new CPowerUnpairedCalc;
    auto* powerPaired = new CPowerPairedCalc;
    auto* powerOne = new CPowerOneCalc;
    unpaired->SetSD(2);
    unpaired->SelectFromQuery("n=3&pow=1");
    paired->SetSD(0.7);
    paired->SetR(0.3);
    paired->m_useR = false;
    paired->ParseNs("4,44,444");
    paired->SelectFromQuery("n=2&pow=4");
    one->SetAlpha(0.02, false);
    one->SetSD(0.04);
    one->ParsePowers("91,82.5");
    one->SelectFromQuery("n=28&pow=1");
    powerUnpaired->SetGroups(4, 9, 0.3, 0.2);
    powerUnpaired->SelectFromQuery("pow=12");
    powerPaired->SetPairs(3);
    powerPaired->SetSD(11);
    powerOne->SetSampleSize(30);
    powerOne->SetSD(0.5);
    powerOne->ParsePowers("80,20");
    powerOne->SelectFromQuery("pow=1");

    CCalculator* sources[] = {unpaired, paired, one, powerUnpaired, powerPaired, powerOne};
    for (int i = 0; i + 1 < 6; ++i)
        sources[i]->next = sources[i + 1];
    std::vector<std::string> before;
    for (CCalculator* calc : sources)
        before.push_back(pagesOf(*calc));

    CCalculator* copyHead = unpaired->Clone();
    std::vector<CCalculator*> copies;
    for (CCalculator* c = copyHead; c != nullptr; c = c->next)
        copies.push_back(c);
    ASSERT_EQ(copies.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(copies[i], sources[i]);
        EXPECT_EQ(copies[i]->GetTitleId(), sources[i]->GetTitleId());
        EXPECT_EQ(copies[i]->HasSelection(), sources[i]->HasSelection());
        EXPECT_EQ(pagesOf(*copies[i]), before[i]);
    }

    // Change everything a copy holds.
    for (CCalculator* copy : copies) {
        copy->SetAlpha(0.2, true);
        copy->ParsePowers("55");
        copy->SelectFromQuery(nullptr);
        copy->m_decimals = 7;
    }
    static_cast<CSampleUnpairedCalc*>(copies[0])->SetSD(9);
    static_cast<CSamplePairedCalc*>(copies[1])->SetR(0.9);
    static_cast<CSamplePairedCalc*>(copies[1])->m_useR = true;
    static_cast<CSampleOneCalc*>(copies[2])->ParseNs("2");
    static_cast<CPowerUnpairedCalc*>(copies[3])->SetGroups(50, 60, 5, 6);
    static_cast<CPowerPairedCalc*>(copies[4])->SetPairs(99);
    static_cast<CPowerOneCalc*>(copies[5])->SetSD(123);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pagesOf(*sources[i]), before[i]);
        EXPECT_NE(pagesOf(*copies[i]), before[i]);
    }
    EXPECT_EQ(sources[5]->next, nullptr);

    deleteChain(copyHead);
    deleteChain(unpaired);
}

} // namespace
