#include "calc/CSampleUnpairedCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <memory>

namespace {

const char* const EffectName = "difference between means";
const char* const RowLabel = "N per group";

} // namespace

CSampleUnpairedCalc::CSampleUnpairedCalc()
    : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Unpaired, IDS_SAMPLE_UNPAIRED_TITLE}),
      m_sd(-1.0)
{
}

CSampleUnpairedCalc::~CSampleUnpairedCalc() = default;

bool CSampleUnpairedCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

TCell CSampleUnpairedCalc::CellOf(int powerIndex, int nIndex) const
{
    const double n = m_ns[nIndex];
    const double k = TTestDifferenceFactor(m_zAlpha, n);
    return TCell{k * (m_zAlpha + m_zPowers[powerIndex]) * m_sd, 2 * n - 2, m_sd * std::sqrt(2 / n),
                 m_sd};
}

bool CSampleUnpairedCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    return TTestCell(*this, powerIndex, CellOf(powerIndex, nIndex), out);
}

double CSampleUnpairedCalc::ExactPowerOfCell(int powerIndex, int nIndex, double effect) const
{
    return TTestPowerOfCell(*this, CellOf(powerIndex, nIndex), effect);
}

CCalculator* CSampleUnpairedCalc::Clone() const
{
    std::unique_ptr<CSampleUnpairedCalc> copy(new CSampleUnpairedCalc);
    copy->m_sd = m_sd;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSampleUnpairedCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteSampleTTestChoicesStart(w, "Sample size for unpaired ", detailed);
    w.Write("Expected SD of each group = ");
    w.WriteNumber(m_sd, 0);
    w.LineBreak();
    WriteSignificanceLevel(w, *this);
}

bool CSampleUnpairedCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Sample size for unpaired t test");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("The results below show the tradeoff between sample size, the difference you can "
            "detect, and power. Here is one approach to follow: First, find what seems like a "
            "reasonable sample size (per group) in the first column. Then move along that row to "
            "your desired power, and read the difference between the means that you can detect "
            "(in the same units as the SD, which you entered). Click on that value for a "
            "detailed explanation. If you need to detect a smaller difference, you'll need to "
            "choose a larger sample size or a lower power.");
    w.CloseParagraph();
    CTableLabels labels;
    labels.title = "Difference between means that can be detected";
    labels.rowLabel = RowLabel;
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CSampleUnpairedCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead("Explanation of power");
    WriteChoices(w, true);
    WriteSampleExplanation(w, EffectName, m_twoTailed, true);
    WriteSampleTradeoffsIntro(w, EffectName);
    w.CloseParagraph();
    w.OpenParagraph();
    CTableLabels labels;
    labels.linkCells = false;
    labels.rowLabel = RowLabel;
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.CloseParagraph();
    WriteUnequalNAdvice(w);
    w.WriteFooter();
    w.WritePageEnd();
}

bool CSampleUnpairedCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size per group";
    labels.rowLabel = RowLabel;
    labels.valueLabel = "Difference between means";
    labels.SetFormatsFor(m_sd);
    WriteSampleDataRows(w, labels);
    return true;
}

std::string CSampleUnpairedCalc::ExactMethodName() const
{
    return ExactTName;
}

std::string CSampleUnpairedCalc::ApproximateMethodName() const
{
    return WrittenTName;
}

ExactCheck CSampleUnpairedCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    return TTestCheck(*this, CellOf(m_selPower, m_selN),
                      "two groups of " + std::to_string(m_ns[m_selN]));
}

double CSampleUnpairedCalc::IntervalShare(double halfWidth) const
{
    return TTestIntervalShare(*this, CellOf(m_selPower, m_selN), halfWidth);
}
