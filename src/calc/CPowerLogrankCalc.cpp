#include "calc/CPowerLogrankCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ProportionShared.h"
#include "calc/ReportText.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <memory>

namespace {

// By type 1 and 2.
const char* const Phrases[] = {"survival difference", "hazard ratio"};
const char* const ColumnTitles[] = {"Survival difference", "Hazard ratio"};

} // namespace

CPowerLogrankCalc::CPowerLogrankCalc()
    : CPowerCalc(CalculatorKind{Goal::Power, Design::Survival, IDS_POWER_LOGRANK_TITLE}),
      m_pControl(-1), m_n(-1), m_effectType(1)
{
    m_decimals = 3;
}

CPowerLogrankCalc::~CPowerLogrankCalc() = default;

bool CPowerLogrankCalc::SetProportion(double p)
{
    return StoreProportion(*this, p, m_pControl, ProportionMessage);
}

bool CPowerLogrankCalc::SetSampleSize(double n)
{
    if (!(n >= 2) || !std::isfinite(n))
        return ReportError(LoadString(IDS_SAMPLE_SIZE_ABOVE_ONE));
    m_n = n;
    return true;
}

bool CPowerLogrankCalc::SetEffectType(int type)
{
    if (type < 1 || type > 2)
        return false;
    m_effectType = type;
    return true;
}

int CPowerLogrankCalc::TypeIndex() const
{
    // The texts of type 1 stand in for a type that no setter can store.
    return m_effectType == 2 ? 1 : 0;
}

bool CPowerLogrankCalc::ComputeCell(int powerIndex, double* out) const
{
    // m_n counts both groups; the events needed are weighed against the size of each group,
    // as the sample-size calculator does, so that N in all has the power of N / 2 per group.
    // The form asks for the proportion of deaths; the search works on the event-free share,
    // and S^h - S is then the drop in the proportion of deaths.
    const double survival = 1 - m_pControl;
    const double h = LogrankRatioFor(*this, survival, m_n / 2, powerIndex);
    return LogrankEffect(survival, h, TypeIndex() == 0, out);
}

CCalculator* CPowerLogrankCalc::Clone() const
{
    std::unique_ptr<CPowerLogrankCalc> copy(new CPowerLogrankCalc);
    copy->m_pControl = m_pControl;
    copy->m_n = m_n;
    copy->m_effectType = m_effectType;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerLogrankCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteChoicesOpening(w, detailed);
    w.Write("Power of survival analysis");
    WriteChoicesHeadEnd(w, detailed);
    w.Write("Proportion ");
    w.WriteQuoted("death");
    WriteLabelledNumber(w, " in the control group = ", m_pControl);
    WriteLabelledNumber(w, "Total sample size = ", m_n);
    WriteSignificanceLevel(w, *this);
}

void CPowerLogrankCalc::FillTableLabels(CTableLabels& labels) const
{
    labels.rowLabel = ColumnTitles[TypeIndex()];
    labels.valueFormat = "%4.3f";
    labels.plainFormat = "Impossible";
}

bool CPowerLogrankCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Power of survival analysis");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the %s that you think would be scientifically interesting or important, and "
            "read the power of the experiment to detect that difference. Click on the value for "
            "a detailed report. If you wish more power, repeat the experiment with a larger "
            "sample size.",
            Phrases[TypeIndex()]);
    w.CloseParagraph();
    CTableLabels labels;
    FillTableLabels(labels);
    WritePowerTable(w, labels);
    w.OpenParagraph();
    WriteLogrankCitation(w, false);
    w.CloseParagraph();
    w.WritePageEnd();
    return true;
}

void CPowerLogrankCalc::WriteExplanationPage(CHtmlWriter& w)
{
    const char* phrase = Phrases[TypeIndex()];
    w.WritePageHead("Power of survival analysis");
    WriteChoices(w, true);
    CTableLabels labels;
    FillTableLabels(labels);
    WritePowerReportBody(*this, w, phrase, labels);
}

bool CPowerLogrankCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = ColumnTitles[TypeIndex()];
    labels.valueFormat = "%4.3f";
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerLogrankCalc::ExactMethodName() const
{
    return ExactLogrankName;
}

std::string CPowerLogrankCalc::ApproximateMethodName() const
{
    return WrittenLogrankName;
}
