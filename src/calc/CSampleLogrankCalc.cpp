#include "calc/CSampleLogrankCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ProportionShared.h"
#include "calc/ReportText.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "report/CHtmlWriter.h"

#include <memory>

namespace {

const char* const RowLabel = "N per group";
// By kind 1 to 3.
const char* const Phrases[] = {"increase in survival proportion", "hazard ratio",
                               "hazard ratio (larger is worse)"};
const char* const PluralPhrases[] = {"increase in survival proportions", "hazard ratios",
                                     "hazard ratios (larger is worse)"};
const char* const ColumnTitles[] = {"Increase in survival proportion", "Hazard ratio",
                                    "Hazard ratio (larger is worse)"};
// The text of a failed cell: the approximate increase, a bound, or nothing.
const char* const FailedFormats[] = {"~%.2f", "<0.001", ""};

} // namespace

CSampleLogrankCalc::CSampleLogrankCalc()
    : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Survival, IDS_SAMPLE_LOGRANK_TITLE}),
      m_pControl(0.5), m_effectKind(1)
{
    m_decimals = 3;
}

CSampleLogrankCalc::~CSampleLogrankCalc() = default;

bool CSampleLogrankCalc::SetProportion(double p)
{
    return StoreProportion(*this, p, m_pControl, ProportionMessage);
}

bool CSampleLogrankCalc::SetEffectKind(int kind)
{
    if (kind < 1 || kind > 3)
        return false;
    m_effectKind = kind;
    return true;
}

int CSampleLogrankCalc::KindIndex() const
{
    // The texts of kind 1 stand in for a kind that no setter can store.
    return m_effectKind >= 1 && m_effectKind <= 3 ? m_effectKind - 1 : 0;
}

bool CSampleLogrankCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    const double h = LogrankRatioFor(*this, m_pControl, m_ns[nIndex], powerIndex);
    const int kind = KindIndex() + 1;
    if (kind != 3)
        return LogrankEffect(m_pControl, h, kind == 1, out);
    if (h < LogrankSmallestRatio) {
        *out = 1.7e38;
        return false;
    }
    *out = 1 / h;
    return true;
}

CCalculator* CSampleLogrankCalc::Clone() const
{
    std::unique_ptr<CSampleLogrankCalc> copy(new CSampleLogrankCalc);
    copy->m_pControl = m_pControl;
    copy->m_effectKind = m_effectKind;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSampleLogrankCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteChoicesOpening(w, detailed);
    w.Write("Sample size for comparing two survival curves");
    WriteChoicesHeadEnd(w, detailed);
    WriteLabelledNumber(w, "Expected proportion of event-free (surviving) subjects = ", m_pControl);
    WriteSignificanceLevel(w, *this);
}

void CSampleLogrankCalc::FillTableLabels(CTableLabels& labels) const
{
    labels.rowLabel = RowLabel;
    labels.valueFormat = "%.3f";
    labels.plainFormat = FailedFormats[KindIndex()];
}

bool CSampleLogrankCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Sample size for comparing two survival curves");
    WriteChoices(w, false);
    WriteSampleTradeoffInstructions(w, Phrases[KindIndex()], PluralPhrases[KindIndex()]);
    if (KindIndex() == 1) {
        w.OpenParagraph();
        w.Write("The hazard ratio compares the survival of the treated group to the survival of "
                "the control group, so a treatment that works well will have a small hazard "
                "ratio.");
        w.CloseParagraph();
    }
    w.OpenParagraph();
    w.LineBreak();
    CTableLabels labels;
    FillTableLabels(labels);
    WriteTradeoffTable(w, labels);
    w.CloseParagraph();
    w.OpenParagraph();
    WriteLogrankCitation(w, true);
    w.CloseParagraph();
    w.WritePageEnd();
    return true;
}

void CSampleLogrankCalc::WriteExplanationPage(CHtmlWriter& w)
{
    const char* phrase = Phrases[KindIndex()];
    w.WritePageHead("Explanation of sample size for comparing two survival curves");
    WriteChoices(w, true);
    CTableLabels labels;
    FillTableLabels(labels);
    WriteSampleReportBody(*this, w, phrase, labels, true);
}

bool CSampleLogrankCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size per group";
    labels.rowLabel = RowLabel;
    labels.valueLabel = ColumnTitles[KindIndex()];
    labels.valueFormat = "%.3f";
    WriteSampleDataRows(w, labels);
    return true;
}

std::string CSampleLogrankCalc::ExactMethodName() const
{
    return ExactLogrankName;
}

std::string CSampleLogrankCalc::ApproximateMethodName() const
{
    return WrittenLogrankName;
}
