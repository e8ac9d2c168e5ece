// Every calculator the factory makes, over a sampled grid of its whole input domain (each
// input set through its setters, every significance choice of its form, the extreme powers
// and sample sizes of the lists), writes no NaN and no infinity onto its step-3 page, its
// step-4 pages or its data table, in plain text and in HTML with links.
#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/CalcTestSupport.h"
#include "calc/CalculatorFactory.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Inputs = std::function<void(CCalculator&)>;

struct Level
{
    double alpha;
    bool twoTailed;
};

// The significance choices of the input forms: the default list, and the ANOVA list that
// offers two-tailed levels only.
const std::vector<Level> DefaultLevels = {{0.01, true},  {0.02, false}, {0.05, true},
                                          {0.10, false}, {0.10, true},  {0.20, false}};
const std::vector<Level> AnovaLevels = {{0.01, true}, {0.05, true}, {0.10, true}};

// The ends of each input's domain and a few points between them.
const double Sds[] = {1e-10, 0.003, 1, 700, 1e10};
const double Proportions[] = {1e-9, 0.02, 0.5, 0.97, 1 - 1e-9};
const double Sizes[] = {2, 3, 97, 1000000};
const char* const Powers = "99.999999999999,99,90,50,10,1,0.000000000001";
const char* const Ns = "2,3,10,1000,999999,1000000";

template <class Calc> Calc& As(CCalculator& c)
{
    return dynamic_cast<Calc&>(c);
}

struct Domain
{
    int goal;
    int design;
    std::vector<Level> levels;
    std::vector<Inputs> inputs; // each sets every design input, in its form's order
};

std::vector<Inputs> SdInputs(const std::function<void(CCalculator&, double)>& set)
{
    std::vector<Inputs> inputs;
    for (double sd : Sds)
        inputs.push_back([set, sd](CCalculator& c) { set(c, sd); });
    return inputs;
}

std::vector<Domain> Domains()
{
    std::vector<Domain> domains;
    domains.push_back({0, 0, DefaultLevels, SdInputs([](CCalculator& c, double sd) {
                           As<CSampleUnpairedCalc>(c).SetSD(sd);
                       })});
    domains.push_back({0, 5, DefaultLevels, SdInputs([](CCalculator& c, double sd) {
                           As<CSampleOneCalc>(c).SetSD(sd);
                       })});

    Domain pairedSample{0, 1, DefaultLevels, {}};
    for (double sd : Sds)
        for (double r : {1e-9, 0.5, 1 - 1e-9})
            for (bool useR : {true, false})
                pairedSample.inputs.push_back([=](CCalculator& c) {
                    auto& calc = As<CSamplePairedCalc>(c);
                    calc.m_useR = useR;
                    calc.SetSD(sd);
                    if (useR)
                        calc.SetR(r);
                });
    domains.push_back(pairedSample);

    Domain anovaSample{0, 2, AnovaLevels, {}};
    for (double sd : Sds)
        for (int groups : {3, 4, 11, 20})
            anovaSample.inputs.push_back([=](CCalculator& c) {
                auto& calc = As<CSampleAnovaCalc>(c);
                calc.SetSD(sd);
                calc.SetGroupCount(groups);
            });
    domains.push_back(anovaSample);

    Domain chiSquareSample{0, 4, DefaultLevels, {}};
    for (double p : Proportions)
        for (int direction : {0, 1})
            for (int tabulate : {1, 2})
                chiSquareSample.inputs.push_back([=](CCalculator& c) {
                    auto& calc = As<CSampleChiSquareCalc>(c);
                    calc.SetProportion(p);
                    calc.SetEffectKind(direction, tabulate);
                });
    domains.push_back(chiSquareSample);

    Domain logrankSample{0, 3, DefaultLevels, {}};
    for (double p : Proportions)
        for (int kind : {1, 2, 3})
            logrankSample.inputs.push_back([=](CCalculator& c) {
                auto& calc = As<CSampleLogrankCalc>(c);
                calc.SetProportion(p);
                calc.SetEffectKind(kind);
            });
    domains.push_back(logrankSample);

    Domain unpairedPower{1, 0, DefaultLevels, {}};
    for (double n1 : Sizes)
        for (double n2 : {2.0, 1000000.0})
            for (double sd1 : {1e-10, 1.0, 1e10})
                for (double sd2 : {1e-10, 1e10})
                    unpairedPower.inputs.push_back([=](CCalculator& c) {
                        As<CPowerUnpairedCalc>(c).SetGroups(n1, n2, sd1, sd2);
                    });
    domains.push_back(unpairedPower);

    Domain pairedPower{1, 1, DefaultLevels, {}};
    Domain onePower{1, 5, DefaultLevels, {}};
    for (double n : Sizes)
        for (double sd : Sds) {
            pairedPower.inputs.push_back([=](CCalculator& c) {
                auto& calc = As<CPowerPairedCalc>(c);
                calc.SetPairs(n);
                calc.SetSD(sd);
            });
            onePower.inputs.push_back([=](CCalculator& c) {
                auto& calc = As<CPowerOneCalc>(c);
                calc.SetSampleSize(n);
                calc.SetSD(sd);
            });
        }
    domains.push_back(pairedPower);
    domains.push_back(onePower);

    // Degrees of freedom of 3 to 20 groups and of up to a million subjects per group; mean
    // squares are variances, so they span the squares of the SDs.
    Domain anovaPower{1, 2, AnovaLevels, {}};
    for (int dfTreatment : {1, 2, 10, 19})
        for (int dfResidual : {1, 2, 57, 19999980})
            for (double msGroups : {1e-20, 1e20})
                for (double msResidual : {1e-20, 1.0, 1e20})
                    anovaPower.inputs.push_back([=](CCalculator& c) {
                        auto& calc = As<CPowerAnovaCalc>(c);
                        calc.SetDfTreatment(dfTreatment);
                        calc.SetMsGroups(msGroups);
                        calc.SetDfResidual(dfResidual);
                        calc.SetMsResidual(msResidual);
                    });
    domains.push_back(anovaPower);

    Domain chiSquarePower{1, 4, DefaultLevels, {}};
    for (double n1 : {2.0, 1000000.0})
        for (double n2 : {2.0, 1000000.0})
            for (double p1 : Proportions)
                for (double p2 : {1e-9, 0.5, 1 - 1e-9})
                    for (int type : {0, 1, 2})
                        chiSquarePower.inputs.push_back([=](CCalculator& c) {
                            auto& calc = As<CPowerChiSquareCalc>(c);
                            calc.SetGroups(n1, n2, p1, p2);
                            calc.SetEffectType(type);
                        });
    domains.push_back(chiSquarePower);

    Domain logrankPower{1, 3, DefaultLevels, {}};
    for (double p : Proportions)
        for (double n : Sizes)
            for (int type : {1, 2})
                logrankPower.inputs.push_back([=](CCalculator& c) {
                    auto& calc = As<CPowerLogrankCalc>(c);
                    calc.SetProportion(p);
                    calc.SetSampleSize(n);
                    calc.SetEffectType(type);
                });
    domains.push_back(logrankPower);
    return domains;
}

// The words "nan" and "inf" (printf's spellings, with "infinity"), in any case, as whole
// tokens: "information" or "Significance" do not count.
std::string FirstNonFinite(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        if (!std::isalpha(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t end = i;
        std::string word;
        while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[end++])));
        if (word == "nan" || word == "inf" || word == "infinity")
            return text.substr(i > 40 ? i - 40 : 0, 80);
        i = end;
    }
    return std::string();
}

// Step-4 selections: the first, a middle and the last cell of the table.
std::vector<std::string> Queries(const CCalculator& calc, int goal)
{
    std::vector<std::string> queries;
    const int powers[] = {0, calc.m_nPowers / 2, calc.m_nPowers - 1};
    const int ns[] = {0, calc.m_nNs / 2, calc.m_nNs - 1};
    for (int i = 0; i < 3; ++i)
        queries.push_back(goal == 0
                              ? "n=" + std::to_string(ns[i]) + "&pow=" + std::to_string(powers[i])
                              : "pow=" + std::to_string(powers[i]));
    return queries;
}

// Every cell of the table: a finite value and, in the exact method, a non-negative effect
// where it counts as found. (The written method tabulates negative effects for powers below
// the level.) The risk reduction of a finished comparison is negative by design
// (1 - Phigh / Plow).
void CheckCells(const CCalculator& calc, int goal, int design)
{
    const bool negativeByDesign = goal == 1 && design == 4 &&
                                  dynamic_cast<const CPowerChiSquareCalc&>(calc).m_effectType == 2;
    for (int p = 0; p < calc.m_nPowers; ++p)
        for (int r = 0; r < (goal == 0 ? calc.m_nNs : 1); ++r) {
            double value = 0;
            const bool ok = goal == 0
                                ? dynamic_cast<const CSampleCalc&>(calc).ComputeCell(p, r, &value)
                                : dynamic_cast<const CPowerCalc&>(calc).ComputeCell(p, &value);
            ASSERT_TRUE(std::isfinite(value)) << "power " << calc.m_powers[p] << " row " << r;
            if (ok && calc.IsExact() && !negativeByDesign) {
                ASSERT_GE(value, 0) << "power " << calc.m_powers[p] << " row " << r;
            }
        }
}

class CalculatorSweepTest : public CalcPageTest
{
protected:
    void Sweep(CalcMethod method);
};

TEST_F(CalculatorSweepTest, NoPageOrDataTableShowsANonFiniteNumber)
{
    Sweep(CalcMethod::Approximate);
}

// The exact method over the same domain: every search ends (the test finishes), and no cell
// is NaN, infinite or a negative effect.
TEST_F(CalculatorSweepTest, ExactMethodShowsNoNonFiniteNumberOrNegativeEffect)
{
    Sweep(CalcMethod::Exact);
}

void CalculatorSweepTest::Sweep(CalcMethod method)
{
    const std::vector<Domain> domains = Domains();
    int calculators = 0;
    for (int goal = 0; goal < 2; ++goal) {
        for (int design = 0; design < 6; ++design) {
            std::unique_ptr<CCalculator> probe(CreateCalculator(goal, design));
            if (!probe)
                continue;
            ++calculators;
            SCOPED_TRACE("goal " + std::to_string(goal) + ", design " + std::to_string(design));
            const Domain* domain = nullptr;
            for (const Domain& d : domains)
                if (d.goal == goal && d.design == design)
                    domain = &d;
            ASSERT_NE(domain, nullptr) << "no input domain for this calculator";
            const size_t count = domain->inputs.size();
            const size_t levels = domain->levels.size();
            for (size_t i = 0; i < count; ++i) {
                // A sampled grid: the inputs take the levels in turn, and the first and last
                // inputs (the ends of every domain) take all of them.
                const bool allLevels = i == 0 || i + 1 == count;
                for (size_t j = allLevels ? 0 : i % levels;
                     j < (allLevels ? levels : i % levels + 1); ++j) {
                    const Level& level = domain->levels[j];
                    SCOPED_TRACE("inputs " + std::to_string(i) + ", alpha " +
                                 std::to_string(level.alpha));
                    std::unique_ptr<CCalculator> calc(CreateCalculator(goal, design));
                    ASSERT_TRUE(calc->ParsePowers(Powers));
                    if (goal == 0) {
                        ASSERT_TRUE(calc->ParseNs(Ns));
                    }
                    domain->inputs[i](*calc);
                    ASSERT_TRUE(calc->SetAlpha(level.alpha, level.twoTailed));
                    ASSERT_TRUE(m_sink.messages().empty()) << m_sink.last();
                    calc->SetMethod(method);
                    CheckCells(*calc, goal, design);

                    std::vector<std::string> pages;
                    CTableLabels labels;
                    pages.push_back(render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
                        calc->WriteDataTable(w, labels);
                    }));
                    for (int mode : {CHtmlWriter::ModeText, CHtmlWriter::ModeHtmlLinks}) {
                        calc->SelectFromQuery(nullptr);
                        pages.push_back(
                            render(mode, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); }));
                        for (const std::string& query : Queries(*calc, goal)) {
                            bool written = false;
                            pages.push_back(render(mode, [&](CHtmlWriter& w) {
                                written = calc->WriteReportForQuery(w, query.c_str());
                            }));
                            ASSERT_TRUE(written) << query;
                        }
                    }
                    for (const std::string& page : pages)
                        ASSERT_EQ(FirstNonFinite(page), "")
                            << "in a page of " << page.size() << " bytes";
                }
            }
        }
    }
    EXPECT_EQ(calculators, 12);
}

TEST(CalculatorSweepScanTest, FindsOnlyWholeWordsInAnyCase)
{
    EXPECT_EQ(FirstNonFinite("Significance information infant"), "");
    EXPECT_NE(FirstNonFinite("value\t-nan\t"), "");
    EXPECT_NE(FirstNonFinite("<TD>INF</TD>"), "");
    EXPECT_NE(FirstNonFinite("is Infinity."), "");
    EXPECT_NE(FirstNonFinite("NaN"), "");
}

} // namespace
