// The choice between the written approximations and the exact distributions, shared by all
// calculators.
#include "calc/CCalculator.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"

#include <limits>

void CCalculator::SetMethod(CalcMethod method)
{
    m_method = method;
}

CalcMethod CCalculator::GetMethod() const
{
    return m_method;
}

bool CCalculator::IsExact() const
{
    return m_method == CalcMethod::Exact;
}

std::string CCalculator::ExactMethodName() const
{
    return "exact calculation";
}

std::string CCalculator::ApproximateMethodName() const
{
    return "written approximation";
}

std::optional<bool> CCalculator::RowComputedExactly(int) const
{
    return std::nullopt;
}

void CCalculator::WriteMethodLine(CHtmlWriter& w) const
{
    w.LineBreak();
    w.Write("Method: %s", (IsExact() ? ExactMethodName() : ApproximateMethodName()).c_str());
}

double CCalculator::ExactPowerOfCell(int, int, double) const
{
    return std::numeric_limits<double>::quiet_NaN();
}

ExactCheck CCalculator::MakeExactCheck() const
{
    return ExactCheck();
}

void CCalculator::SetFrontEnd(FrontEnd frontEnd)
{
    m_frontEnd = frontEnd;
}

FrontEnd CCalculator::GetFrontEnd() const
{
    return m_frontEnd;
}

bool CCalculator::CellValue(int powerIndex, int nIndex, double* out) const
{
    if (auto* sample = dynamic_cast<const CSampleCalc*>(this))
        return sample->ComputeCell(powerIndex, nIndex, out);
    if (auto* power = dynamic_cast<const CPowerCalc*>(this))
        return power->ComputeCell(powerIndex, out);
    return false;
}

bool CCalculator::SelectedCellHasResult() const
{
    if (!HasSelection())
        return false;
    double value = 0;
    return CellValue(m_selPower, m_selN, &value);
}

ExactLevel CCalculator::Level() const
{
    return ExactLevel::FromStored(m_alpha, m_twoTailed);
}

double CCalculator::PowerFraction(int i) const
{
    return m_powers[i] / 100;
}

const char* CCalculator::FailedCellFormat(const CTableLabels& labels) const
{
    if (labels.plainFormat == labels.valueFormat)
        return "Impossible";
    return labels.plainFormat.c_str();
}
