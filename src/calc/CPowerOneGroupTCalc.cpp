#include "calc/CPowerOneGroupTCalc.h"

#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"

#include <cmath>

CPowerOneGroupTCalc::CPowerOneGroupTCalc(const CalculatorKind& kind, const SWords& words)
    : CPowerCalc(kind), m_sd(-1), m_n(-1), m_words(words)
{
}

CPowerOneGroupTCalc::~CPowerOneGroupTCalc() = default;

bool CPowerOneGroupTCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

bool CPowerOneGroupTCalc::SetCount(double n)
{
    // One value (or one pair) leaves the t test no degrees of freedom. An infinite count
    // would turn every cell into 0 or NaN.
    if (!(n >= 2) || !std::isfinite(n))
        return ReportError(LoadString(IDS_SAMPLE_SIZE_ABOVE_ONE));
    m_n = n;
    return true;
}

void CPowerOneGroupTCalc::CopyOneGroupFrom(const CPowerOneGroupTCalc& source)
{
    m_sd = source.m_sd;
    m_n = source.m_n;
    CopyCoreFrom(source);
}

TCell CPowerOneGroupTCalc::CellOf(int powerIndex) const
{
    return TCell{OneGroupDetectableDifference(m_zAlpha, m_zPowers[powerIndex], m_sd, m_n), m_n - 1,
                 m_sd / std::sqrt(m_n), m_sd};
}

bool CPowerOneGroupTCalc::ComputeCell(int powerIndex, double* out) const
{
    return TTestCell(*this, powerIndex, CellOf(powerIndex), out);
}

double CPowerOneGroupTCalc::ExactPowerOfCell(int powerIndex, int, double effect) const
{
    return TTestPowerOfCell(*this, CellOf(powerIndex), effect);
}

void CPowerOneGroupTCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WritePowerTTestChoicesStart(w, m_words.testName, detailed);
    WriteLabelledNumber(w, m_words.countLabel, m_n);
    WriteLabelledNumber(w, m_words.sdLabel, m_sd);
    WriteSignificanceLevel(w, *this);
}

bool CPowerOneGroupTCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead(m_words.tradeoffTitle);
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the %s that you think would be scientifically interesting or important, and "
            "read the power of the experiment to detect that difference. Click on the value for a "
            "detailed report. If you wish more power, repeat the experiment with a larger sample "
            "size or decide it is OK to only detect larger differences.",
            m_words.tradeoffEffect);
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerOneGroupTCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead(m_words.explanationTitle);
    WriteChoices(w, true);
    WritePowerExplanation(w, m_words.effectName, true);
    WriteTTestPowerTableEnd(w, *this, m_words.effectName, m_sd);
}

bool CPowerOneGroupTCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(m_sd);
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerOneGroupTCalc::ExactMethodName() const
{
    return ExactTName;
}

std::string CPowerOneGroupTCalc::ApproximateMethodName() const
{
    return WrittenTName;
}

ExactCheck CPowerOneGroupTCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    return TTestCheck(*this, CellOf(m_selPower), NumberText(m_n) + " " + m_words.countUnit);
}
