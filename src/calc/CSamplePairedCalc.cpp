#include "calc/CSamplePairedCalc.h"

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

} // namespace

CSamplePairedCalc::CSamplePairedCalc()
    : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Paired, IDS_SAMPLE_PAIRED_TITLE}),
      m_sd(-1.0), m_r(-1.0), m_useR(true)
{
}

CSamplePairedCalc::~CSamplePairedCalc() = default;

bool CSamplePairedCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

bool CSamplePairedCalc::SetR(double r)
{
    if (!(r > 0) || r >= 1)
        return ReportError("r must be between 0 and 1.\nEnter correct value in the field and try "
                           "again.");
    m_r = r;
    return true;
}

TCell CSamplePairedCalc::CellOf(int powerIndex, int nIndex) const
{
    const double n = m_ns[nIndex];
    // The SD of the differences: from each group's SD and the correlation, or given directly
    // (the division by sqrt 2 puts it on the scale of one group's SD).
    const double sd = m_useR ? m_sd * std::sqrt(1 - m_r) : m_sd / std::sqrt(2.0);
    const double k = TTestDifferenceFactor(m_zAlpha, n);
    return TCell{k * (m_zAlpha + m_zPowers[powerIndex]) * sd, n - 1, DifferencesSd() / std::sqrt(n),
                 m_sd};
}

bool CSamplePairedCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    return TTestCell(*this, powerIndex, CellOf(powerIndex, nIndex), out);
}

double CSamplePairedCalc::ExactPowerOfCell(int powerIndex, int nIndex, double effect) const
{
    return TTestPowerOfCell(*this, CellOf(powerIndex, nIndex), effect);
}

CCalculator* CSamplePairedCalc::Clone() const
{
    std::unique_ptr<CSamplePairedCalc> copy(new CSamplePairedCalc);
    copy->m_sd = m_sd;
    copy->m_r = m_r;
    copy->m_useR = m_useR;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSamplePairedCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteSampleTTestChoicesStart(w, "Sample size for paired ", detailed);
    if (m_useR) {
        w.Write("Expected SD of each group = ");
        w.WriteNumber(m_sd, 0);
        w.LineBreak();
        w.Write("Expected correlation (r) among pairs = ");
        w.WriteNumber(m_r, 0);
        w.LineBreak();
    } else {
        w.Write("Expected SD of the after-before differences = ");
        w.WriteNumber(m_sd, 0);
        w.LineBreak();
    }
    WriteSignificanceLevel(w, *this);
}

bool CSamplePairedCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Sample size for paired t test");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("The results below show the tradeoff between sample size, the difference you can "
            "detect, and power. Here is one approach to follow: First, find what seems like a "
            "reasonable sample size (number of pairs) in the first column. Then move along that "
            "row to your desired power, and read the difference between the means that you can "
            "detect (in the same units as the SD, which you entered). Click on that value for a "
            "detailed report. If you need to detect a smaller difference, you'll need to choose "
            "a larger sample size or a lower power.");
    w.CloseParagraph();
    CTableLabels labels;
    labels.title = "Difference between means that can be detected";
    labels.rowLabel = "N (# of pairs)";
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CSamplePairedCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead("Explanation of power");
    WriteChoices(w, true);
    WriteSampleExplanation(w, EffectName, m_twoTailed, true);
    // The paragraph is left open: the table follows inside it.
    WriteSampleTradeoffsIntro(w, EffectName);
    CTableLabels labels;
    labels.linkCells = false;
    labels.rowLabel = "N (# of pairs)";
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}

bool CSamplePairedCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size per group";
    labels.rowLabel = "N of pairs";
    labels.valueLabel = "Difference between means";
    labels.SetFormatsFor(m_sd);
    WriteSampleDataRows(w, labels);
    return true;
}

double CSamplePairedCalc::DifferencesSd() const
{
    return m_useR ? m_sd * std::sqrt(2 * (1 - m_r)) : m_sd;
}

std::string CSamplePairedCalc::ExactMethodName() const
{
    return ExactTName;
}

std::string CSamplePairedCalc::ApproximateMethodName() const
{
    return WrittenTName;
}

ExactCheck CSamplePairedCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    return TTestCheck(*this, CellOf(m_selPower, m_selN), std::to_string(m_ns[m_selN]) + " pairs");
}

double CSamplePairedCalc::IntervalShare(double halfWidth) const
{
    return TTestIntervalShare(*this, CellOf(m_selPower, m_selN), halfWidth);
}
