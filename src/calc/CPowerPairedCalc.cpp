#include "calc/CPowerPairedCalc.h"

#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"

#include <cmath>
#include <memory>

namespace {

const char* const EffectName = "smallest average difference between pairs";

} // namespace

CPowerPairedCalc::CPowerPairedCalc() : m_sd(-1), m_n(-1) {}

CPowerPairedCalc::~CPowerPairedCalc() = default;

bool CPowerPairedCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

bool CPowerPairedCalc::SetPairs(double n)
{
    // One pair leaves the t test no degrees of freedom, as one value does the one-sample
    // test. An infinite count would turn every cell into 0 or NaN.
    if (!(n >= 2) || !std::isfinite(n))
        return ReportError(LoadString(IDS_SAMPLE_SIZE_ABOVE_ONE));
    m_n = n;
    return true;
}

bool CPowerPairedCalc::ComputeCell(int powerIndex, double* out) const
{
    if (IsExact())
        return StoreExactCell(
            ExactTDifference(PowerFraction(powerIndex), m_n - 1, m_sd / std::sqrt(m_n), Level()),
            out);
    *out = OneGroupDetectableDifference(m_zAlpha, m_zPowers[powerIndex], m_sd, m_n);
    return true;
}

bool CPowerPairedCalc::IsKind(int goal, int design) const
{
    return goal == 1 && design == 1;
}

unsigned int CPowerPairedCalc::GetTitleId() const
{
    return IDS_POWER_PAIRED_TITLE;
}

unsigned int CPowerPairedCalc::GetExplanationTitleId() const
{
    return GetTitleId() + 1;
}

CCalculator* CPowerPairedCalc::Clone() const
{
    std::unique_ptr<CPowerPairedCalc> copy(new CPowerPairedCalc);
    copy->m_sd = m_sd;
    copy->m_n = m_n;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerPairedCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WritePowerTTestChoicesStart(w, "paired", detailed);
    WriteLabelledNumber(w, "Number of pairs: ", m_n);
    WriteLabelledNumber(w, "SD of the differences: ", m_sd);
    WriteSignificanceLevel(w, *this);
}

bool CPowerPairedCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Power of a &quot;not significant&quot; paired t test");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the %s that you think would be scientifically interesting or important, and "
            "read the power of the experiment to detect that difference. Click on the value for a "
            "detailed report. If you wish more power, repeat the experiment with a larger sample "
            "size or decide it is OK to only detect larger differences.",
            EffectName);
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerPairedCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead("Explanation of power a &quot;not significant&quot; paired t test");
    WriteChoices(w, true);
    WritePowerExplanation(w, EffectName, true);
    WriteTTestPowerTableEnd(w, *this, EffectName, m_sd, MakeExactCheck());
}

bool CPowerPairedCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerPairedCalc::ExactMethodName() const
{
    return ExactTName;
}

ExactCheck CPowerPairedCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    double effect = 0;
    ComputeCell(m_selPower, &effect);
    return TTestCheck(*this, effect, m_n - 1, m_sd / std::sqrt(m_n), NumberText(m_n) + " pairs");
}
