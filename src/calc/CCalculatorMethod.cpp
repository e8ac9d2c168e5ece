// The choice between the written approximations and the exact distributions, shared by all
// calculators.
#include "calc/CCalculator.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "exact/ExactLevel.h"

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

std::optional<bool> CCalculator::RowComputedExactly(int) const
{
    return std::nullopt;
}

void CCalculator::WriteMethodLine(CHtmlWriter& w) const
{
    if (!IsExact())
        return;
    w.LineBreak();
    w.Write("Method: %s", ExactMethodName().c_str());
}

bool CCalculator::SelectedCellHasResult() const
{
    if (!HasSelection())
        return false;
    double value = 0;
    if (auto* sample = dynamic_cast<const CSampleCalc*>(this))
        return sample->ComputeCell(m_selPower, m_selN, &value);
    if (auto* power = dynamic_cast<const CPowerCalc*>(this))
        return power->ComputeCell(m_selPower, &value);
    return false;
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
    if (IsExact() && labels.plainFormat == labels.valueFormat)
        return "Impossible";
    return labels.plainFormat.c_str();
}
