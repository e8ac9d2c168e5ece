// Whole step-3 and step-4 pages of the calculators (t tests, proportions, survival and one-way
// ANOVA), compared byte for byte with the files under tests/calc/expected/ (each checked by
// hand against the emitter sequence of its page and the writer's output rules).
//
// To rewrite the expected files after a deliberate change of a page, run
//     ZENTRIMA_REGENERATE_EXPECTED=1 ./calc_tests --gtest_filter='PageGolden*'
// and read every changed file before committing it.
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
#include "calc/CalcTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace {

struct PageCase
{
    const char* name;
    std::function<CCalculator*()> make;
    const char* query; // selection of the step-4 page
};

// Inputs chosen to cover the format rules: an SD of 1 ("%.2f"), an SD below 0.1 ("%.3f"),
// the SD-and-r paired form, a one-tailed level, unequal groups and alpha 0.01.
const PageCase kCases[] = {
    {"sample_unpaired",
     [] {
         auto* c = new CSampleUnpairedCalc;
         c->SetSD(1);
         return c;
     },
     "n=7&pow=3"},
    {"sample_paired",
     [] {
         auto* c = new CSamplePairedCalc;
         c->SetSD(2);
         c->SetR(0.5);
         c->m_useR = true;
         return c;
     },
     "n=7&pow=3"},
    {"sample_one",
     [] {
         auto* c = new CSampleOneCalc;
         c->SetAlpha(0.10, false);
         c->SetSD(0.05);
         return c;
     },
     "n=0&pow=1"},
    {"power_unpaired",
     [] {
         auto* c = new CPowerUnpairedCalc;
         c->SetGroups(10, 12, 1.5, 2);
         return c;
     },
     "pow=4"},
    {"power_paired",
     [] {
         auto* c = new CPowerPairedCalc;
         c->SetPairs(8);
         c->SetSD(0.8);
         return c;
     },
     "pow=4"},
    {"power_one",
     [] {
         auto* c = new CPowerOneCalc;
         c->SetAlpha(0.01, true);
         c->SetSampleSize(12);
         c->SetSD(3);
         return c;
     },
     "pow=12"},
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.name;
}

// Two proportions and two survival curves, with inputs that put failed cells on every page:
// "Impossible" cells of the proportions (P = 0.3 higher at small n, tiny groups), "<0.001"
// cells of the hazard ratio and an "Impossible" row of the survival power table; the
// hazard-ratio kind adds its paragraph, the risk reduction gives negative values.
const PageCase kProportionSurvivalCases[] = {
    {"chisquare_sample",
     [] {
         auto* c = new CSampleChiSquareCalc;
         c->SetProportion(0.3);
         return c;
     },
     "n=7&pow=3"},
    {"chisquare_power",
     [] {
         auto* c = new CPowerChiSquareCalc;
         c->SetGroups(4, 5, 0.2, 0.35);
         c->SetEffectType(2);
         return c;
     },
     "pow=4"},
    {"logrank_sample",
     [] {
         auto* c = new CSampleLogrankCalc;
         c->SetProportion(0.6);
         c->SetEffectKind(2);
         return c;
     },
     "n=20&pow=3"},
    {"logrank_power",
     [] {
         auto* c = new CPowerLogrankCalc;
         c->SetProportion(0.4);
         c->SetSampleSize(60);
         c->SetEffectType(1);
         return c;
     },
     "pow=4"},
};

// One-way ANOVA: four groups with an SD of 2.5 ("%.2f"); a power analysis at alpha 0.01 whose
// smaller mean square is the residual one, below 0.1 ("%.3f").
const PageCase kAnovaCases[] = {
    {"anova_sample",
     [] {
         auto* c = new CSampleAnovaCalc;
         c->SetSD(2.5);
         c->SetGroupCount(4);
         return c;
     },
     "n=7&pow=3"},
    {"anova_power",
     [] {
         auto* c = new CPowerAnovaCalc;
         c->SetAlpha(0.01, true);
         c->SetDfTreatment(3);
         c->SetMsGroups(12.5);
         c->SetDfResidual(36);
         c->SetMsResidual(0.045);
         return c;
     },
     "pow=4"},
};

std::string expectedPath(const std::string& file)
{
    return std::string(ZENTRIMA_CALC_EXPECTED_DIR) + "/" + file;
}

bool regenerating()
{
    const char* flag = std::getenv("ZENTRIMA_REGENERATE_EXPECTED");
    return flag != nullptr && std::string(flag) == "1";
}

// Where two texts first differ, with the line and a little context of each.
std::string describeMismatch(const std::string& expected, const std::string& actual)
{
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    int line = 1;
    for (size_t i = 0; i < at; ++i)
        line += expected[i] == '\n';
    const size_t from = at > 60 ? at - 60 : 0;
    std::ostringstream out;
    out << "first difference at byte " << at << " (line " << line << ")\n  expected: ..."
        << expected.substr(from, at - from + 60) << "\n  actual:   ..."
        << actual.substr(from, at - from + 60) << "\n  sizes: expected " << expected.size()
        << ", actual " << actual.size();
    return out.str();
}

void compareWithExpected(const std::string& file, const std::string& actual)
{
    const std::string path = expectedPath(file);
    if (regenerating()) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing expected file " << path
                           << " (ZENTRIMA_REGENERATE_EXPECTED=1 writes it)";
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_TRUE(expected.str() == actual)
        << file << ": " << describeMismatch(expected.str(), actual);
}

class PageGoldenTest : public CalcPageTest, public ::testing::WithParamInterface<PageCase>
{
};

TEST_P(PageGoldenTest, StepThreeAndFourPagesMatchInBothModes)
{
    const PageCase& c = GetParam();
    std::unique_ptr<CCalculator> calc(c.make());
    ASSERT_TRUE(m_sink.messages().empty()) << m_sink.last();
    const struct
    {
        int mode;
        const char* suffix;
    } modes[] = {{CHtmlWriter::ModeHtmlLinks, "mode3.html"}, {CHtmlWriter::ModeText, "mode1.txt"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.suffix);
        calc->SelectFromQuery(nullptr);
        compareWithExpected(std::string(c.name) + "_step3." + m.suffix,
                            render(m.mode, [&](CHtmlWriter& w) { calc->WriteTradeoffPage(w); }));
        bool written = false;
        const std::string page = render(
            m.mode, [&](CHtmlWriter& w) { written = calc->WriteReportForQuery(w, c.query); });
        ASSERT_TRUE(written);
        compareWithExpected(std::string(c.name) + "_step4." + m.suffix, page);
    }
}

INSTANTIATE_TEST_SUITE_P(TTest, PageGoldenTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PageCase>& testInfo) {
                             return std::string(testInfo.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(ProportionSurvival, PageGoldenTest,
                         ::testing::ValuesIn(kProportionSurvivalCases),
                         [](const ::testing::TestParamInfo<PageCase>& testInfo) {
                             return std::string(testInfo.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Anova, PageGoldenTest, ::testing::ValuesIn(kAnovaCases),
                         [](const ::testing::TestParamInfo<PageCase>& testInfo) {
                             return std::string(testInfo.param.name);
                         });

} // namespace
