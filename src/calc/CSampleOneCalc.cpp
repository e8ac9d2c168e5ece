#include "calc/CSampleOneCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <memory>

namespace {

const char* const EffectName = "difference between group mean and hypothetical mean";

} // namespace

// One group of N: the request and summary name no groups, and the confidence interval is
// the effect's own.
const CSampleCalc::ExplanationWording CSampleOneCalc::OneGroupWording = {
    "You requested a detailed explanation for N = %i and power = %s%%.",
    "Now imagine that you perform many experiments, with N = %d in each experiment. ",
    "Summary: A sample size of %d has a %s%% power to detect %s %s of %.*f with a significance "
    "level (alpha) of %s.",
    "If you perform many experiments with N = %d, ",
    nullptr,
};

CSampleOneCalc::CSampleOneCalc()
    : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::OneSample, IDS_SAMPLE_ONE_TITLE}),
      m_sd(-1.0)
{
}

CSampleOneCalc::~CSampleOneCalc() = default;

bool CSampleOneCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

TCell CSampleOneCalc::CellOf(int powerIndex, int nIndex) const
{
    const double n = m_ns[nIndex];
    const double k = TTestDifferenceFactor(m_zAlpha, n);
    return TCell{k / std::sqrt(2.0) * (m_zAlpha + m_zPowers[powerIndex]) * m_sd, n - 1,
                 m_sd / std::sqrt(n), m_sd};
}

bool CSampleOneCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    return TTestCell(*this, powerIndex, CellOf(powerIndex, nIndex), out);
}

double CSampleOneCalc::ExactPowerOfCell(int powerIndex, int nIndex, double effect) const
{
    return TTestPowerOfCell(*this, CellOf(powerIndex, nIndex), effect);
}

CCalculator* CSampleOneCalc::Clone() const
{
    std::unique_ptr<CSampleOneCalc> copy(new CSampleOneCalc);
    copy->m_sd = m_sd;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSampleOneCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteSampleTTestChoicesStart(w, "Sample size for one-sample ", detailed);
    w.Write("Expected SD = ");
    w.WriteNumber(m_sd, 0);
    w.LineBreak();
    WriteSignificanceLevel(w, *this);
}

bool CSampleOneCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead(LoadString(GetTitleId()));
    WriteChoices(w, false);
    // The instructions' paragraph is followed by a second one that holds the table.
    w.OpenParagraph();
    w.Write("Choose a sample size in the first column. Move along that row to your desired "
            "power, and read the difference between the group mean and the hypothetical mean "
            "that you can detect. Click on that value for a detailed report. If you wish to "
            "detect a smaller difference, increase sample size or accept a lower power. If you "
            "only care about larger differences, decrease sample size or increase power.");
    w.OpenParagraph();
    CTableLabels labels;
    labels.rowLabel = "N";
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.CloseParagraph();
    w.WritePageEnd();
    return true;
}

void CSampleOneCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead(LoadString(GetExplanationTitleId()));
    WriteChoices(w, true);
    WriteSampleExplanation(w, EffectName, m_twoTailed, true, OneGroupWording);
    WriteSampleTradeoffsIntro(w, EffectName);
    w.CloseParagraph();
    CTableLabels labels;
    labels.linkCells = false;
    labels.rowLabel = "N";
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}

bool CSampleOneCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size";
    labels.rowLabel = "N";
    labels.valueLabel = "Difference between group mean and hypothetical mean";
    labels.SetFormatsFor(m_sd);
    WriteSampleDataRows(w, labels);
    return true;
}

std::string CSampleOneCalc::ExactMethodName() const
{
    return ExactTName;
}

std::string CSampleOneCalc::ApproximateMethodName() const
{
    return WrittenTName;
}

ExactCheck CSampleOneCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    return TTestCheck(*this, CellOf(m_selPower, m_selN),
                      std::to_string(m_ns[m_selN]) + " subjects");
}

double CSampleOneCalc::IntervalShare(double halfWidth) const
{
    return TTestIntervalShare(*this, CellOf(m_selPower, m_selN), halfWidth);
}
