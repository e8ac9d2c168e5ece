#include "calc/CPowerUnpairedCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"

#include "engine/Distributions.h"

#include <cmath>
#include <memory>

namespace {

const char* const EffectName = "difference between means";

} // namespace

CPowerUnpairedCalc::CPowerUnpairedCalc()
    : CPowerCalc(CalculatorKind{Goal::Power, Design::Unpaired, IDS_POWER_UNPAIRED_TITLE}), m_n1(-1),
      m_n2(-1), m_sd1(-1), m_sd2(-1), m_pooledSd(0)
{
}

CPowerUnpairedCalc::~CPowerUnpairedCalc() = default;

bool CPowerUnpairedCalc::SetGroups(double n1, double n2, double sd1, double sd2)
{
    // Infinite sizes or SDs would turn the pooled SD and every cell into NaN.
    if (!(n1 >= 2) || !std::isfinite(n1))
        return ReportError(LoadString(IDS_GROUP1_SIZE_ABOVE_ONE));
    m_n1 = n1;
    if (!(n2 >= 2) || !std::isfinite(n2))
        return ReportError(LoadString(IDS_GROUP2_SIZE_ABOVE_ONE));
    m_n2 = n2;
    if (!(sd1 > 0) || !std::isfinite(sd1))
        return ReportError("SD for group 1 must be positive number.\nEnter correct value in the "
                           "field and try again.");
    m_sd1 = sd1;
    if (!(sd2 > 0) || !std::isfinite(sd2))
        return ReportError("SD for group 2 must be positive number.\nEnter correct value in the "
                           "field and try again.");
    m_sd2 = sd2;
    m_pooledSd = std::sqrt((sd1 * sd1 * (n1 - 1) + sd2 * sd2 * (n2 - 1)) / (n1 + n2 - 2));
    m_decimals = DecimalsFor(m_pooledSd);
    return true;
}

TCell CPowerUnpairedCalc::CellOf(int powerIndex) const
{
    // The harmonic mean of the two sizes; m_n1 itself when the groups are the same size.
    const double n = 2 * m_n1 * m_n2 / (m_n1 + m_n2);
    return TCell{TTestDifferenceFactor(m_zAlpha, n) * (m_zAlpha + m_zPowers[powerIndex]) *
                     m_pooledSd,
                 m_n1 + m_n2 - 2, m_pooledSd * std::sqrt(1 / m_n1 + 1 / m_n2), m_pooledSd};
}

bool CPowerUnpairedCalc::ComputeCell(int powerIndex, double* out) const
{
    return TTestCell(*this, powerIndex, CellOf(powerIndex), out);
}

double CPowerUnpairedCalc::ExactPowerOfCell(int powerIndex, int, double effect) const
{
    return TTestPowerOfCell(*this, CellOf(powerIndex), effect);
}

CCalculator* CPowerUnpairedCalc::Clone() const
{
    std::unique_ptr<CPowerUnpairedCalc> copy(new CPowerUnpairedCalc);
    copy->m_n1 = m_n1;
    copy->m_n2 = m_n2;
    copy->m_sd1 = m_sd1;
    copy->m_sd2 = m_sd2;
    copy->m_pooledSd = m_pooledSd;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerUnpairedCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WritePowerTTestChoicesStart(w, "unpaired", detailed);
    WriteGroupTable(
        w, 200, [](CHtmlWriter& title) { title.Write("SD"); }, m_n1, m_sd1, m_n2, m_sd2);
    w.LineBreak();
    WriteSignificanceLevel(w, *this);
}

bool CPowerUnpairedCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Power of a &quot;not significant&quot; t test");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the smallest difference between the means that you think would be "
            "scientifically interesting or important, and read the power of the experiment to "
            "detect that difference. Click on the value for a detailed report. If you wish more "
            "power, repeat the experiment with a larger sample size or decide it is OK to only "
            "detect larger differences.");
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_pooledSd);
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerUnpairedCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead("Explanation of power an unpaired t test");
    WriteChoices(w, true);
    WritePowerExplanation(w, EffectName, true);
    WriteTTestPowerTableEnd(w, *this, EffectName, m_pooledSd);
}

bool CPowerUnpairedCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_pooledSd);
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerUnpairedCalc::ExactMethodName() const
{
    return ExactTName;
}

std::string CPowerUnpairedCalc::ApproximateMethodName() const
{
    return WrittenTName;
}

ExactCheck CPowerUnpairedCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    return TTestCheck(*this, CellOf(m_selPower),
                      "groups of " + NumberText(m_n1) + " and " + NumberText(m_n2));
}
