#include "calc/CPowerOneCalc.h"

#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"

#include <cmath>
#include <memory>

namespace {

const char* const EffectName = "difference between the group mean and hypothetical mean";

} // namespace

CPowerOneCalc::CPowerOneCalc() : m_sd(-1), m_n(-1) {}

CPowerOneCalc::~CPowerOneCalc() = default;

bool CPowerOneCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

bool CPowerOneCalc::SetSampleSize(double n)
{
    // An infinite size would turn every cell into 0 or NaN.
    if (!(n >= 2) || !std::isfinite(n))
        return ReportError(LoadString(IDS_SAMPLE_SIZE_ABOVE_ONE));
    m_n = n;
    return true;
}

bool CPowerOneCalc::ComputeCell(int powerIndex, double* out) const
{
    if (IsExact())
        return StoreExactCell(
            ExactTDifference(PowerFraction(powerIndex), m_n - 1, m_sd / std::sqrt(m_n), Level()),
            out);
    *out = OneGroupDetectableDifference(m_zAlpha, m_zPowers[powerIndex], m_sd, m_n);
    return true;
}

bool CPowerOneCalc::IsKind(int goal, int design) const
{
    return goal == 1 && design == 5;
}

unsigned int CPowerOneCalc::GetTitleId() const
{
    return IDS_POWER_ONE_TITLE;
}

unsigned int CPowerOneCalc::GetExplanationTitleId() const
{
    return GetTitleId() + 1;
}

CCalculator* CPowerOneCalc::Clone() const
{
    std::unique_ptr<CPowerOneCalc> copy(new CPowerOneCalc);
    copy->m_sd = m_sd;
    copy->m_n = m_n;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerOneCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WritePowerTTestChoicesStart(w, "one-sample", detailed);
    WriteLabelledNumber(w, "N: ", m_n);
    WriteLabelledNumber(w, "SD: ", m_sd);
    WriteSignificanceLevel(w, *this);
}

bool CPowerOneCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Power of a one-sample t test");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the smallest difference between the group mean and hypothetical mean that you "
            "think would be scientifically interesting or important, and read the power of the "
            "experiment to detect that difference. Click on the value for a detailed report. If "
            "you wish more power, repeat the experiment with a larger sample size or decide it is "
            "OK to only detect larger differences.");
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerOneCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead("Explanation of power of a one-sample t test");
    WriteChoices(w, true);
    WritePowerExplanation(w, EffectName, true);
    WriteTTestPowerTableEnd(w, *this, EffectName, m_sd, MakeExactCheck());
}

bool CPowerOneCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerOneCalc::ExactMethodName() const
{
    return ExactTName;
}

ExactCheck CPowerOneCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    double effect = 0;
    ComputeCell(m_selPower, &effect);
    return TTestCheck(*this, effect, m_n - 1, m_sd / std::sqrt(m_n), NumberText(m_n) + " subjects");
}
