#include "calc/CSampleAnovaCalc.h"

#include "calc/AnovaShared.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"
#include "calc/Formatting.h"
#include "calc/ReportText.h"
#include "calc/StringTable.h"
#include "report/CHtmlWriter.h"

#include <memory>
#include <string>

namespace {

const char* const EffectName = "difference between largest and smallest mean";
const char* const RowLabel = "N per group";

} // namespace

CSampleAnovaCalc::CSampleAnovaCalc()
    : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Anova, IDS_SAMPLE_ANOVA_TITLE}),
      m_sd(-1.0), m_groups(3)
{
}

CSampleAnovaCalc::~CSampleAnovaCalc() = default;

bool CSampleAnovaCalc::SetSD(double sd)
{
    return CCalculator::SetSD(sd, m_sd);
}

bool CSampleAnovaCalc::SetGroupCount(int groups)
{
    if (groups < 3 || groups > 20)
        return ReportError("Number of groups must be a positive number between 3 and 20.\nEnter "
                           "correct value in the field and try again.");
    m_groups = groups;
    return true;
}

bool CSampleAnovaCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    const double k = m_groups;
    const double n = m_ns[nIndex];
    if (!Level().Admits(PowerFraction(powerIndex))) {
        *out = 0;
        return false;
    }
    if (IsExact())
        return StoreExactCell(
            ExactAnovaRange(PowerFraction(powerIndex), k, (n - 1) * k, k * n, m_sd, m_alpha), m_sd,
            out);
    // lambda = k n f^2: the noncentrality grows with the total sample size.
    *out = AnovaDetectableRange(m_alpha, m_zPowers[powerIndex], k, (n - 1) * k, k * n, m_sd);
    return FailUnlessFinite(out);
}

CCalculator* CSampleAnovaCalc::Clone() const
{
    std::unique_ptr<CSampleAnovaCalc> copy(new CSampleAnovaCalc);
    copy->m_sd = m_sd;
    copy->m_groups = m_groups;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSampleAnovaCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteAnovaChoicesStart(w, "Sample size for one-way ANOVA", detailed);
    w.Write("Number of groups = %d", m_groups);
    w.LineBreak();
    // Two decimals for the levels the form offers; any other level as the user gave it.
    std::string level;
    FormatAlpha(level, false);
    w.Write("Significance level (alpha) = %s", level.c_str());
    w.LineBreak();
    std::string sd;
    FormatNumber(m_sd, sd);
    w.Write("Expected SD of each group = %s", sd.c_str());
    WriteMethodLine(w);
    w.CloseParagraph();
}

bool CSampleAnovaCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead(LoadString(GetTitleId()));
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("If you use the sample size (per group) tabulated, this table shows the difference "
            "between the largest mean and the smallest mean that can be detected with the power "
            "specified. Click on any value for a detailed explanation of power.");
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = RowLabel;
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CSampleAnovaCalc::WriteBeforeSummary(CHtmlWriter& w) const
{
    w.OpenParagraph();
    w.Write("The calculation of sample size depends not only on the difference between the "
            "largest and smallest mean, but also on the how the other means are spread in "
            "between. The calculations here assume that the remainning group  means are equally "
            "spaced between the highest and lowest means ");
    w.Write("%s", TextOrHtml(w, " (Cohen's d2).", " (Cohen&rsquo;s d<sub>2</sub>)."));
    w.CloseParagraph();
}

void CSampleAnovaCalc::WriteExplanationPage(CHtmlWriter& w)
{
    w.WritePageHead(LoadString(GetExplanationTitleId()));
    WriteChoices(w, true);
    WriteSampleExplanation(w, EffectName, false, false);
    WriteTradeoffsCaption(w);
    w.OpenParagraph();
    w.Write("For any combination of sample size (N) and power, this table shows the %s that can "
            "be detected.",
            EffectName);
    w.CloseParagraph();
    CTableLabels labels;
    labels.linkCells = false;
    labels.rowLabel = RowLabel;
    labels.SetFormatsFor(m_sd);
    WriteTradeoffTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}

bool CSampleAnovaCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size per group";
    labels.rowLabel = RowLabel;
    labels.valueLabel = "Difference between largest and smallest mean";
    labels.SetFormatsFor(m_sd);
    WriteSampleDataRows(w, labels);
    return true;
}

std::string CSampleAnovaCalc::ExactMethodName() const
{
    return ExactFName;
}

std::string CSampleAnovaCalc::ApproximateMethodName() const
{
    return WrittenFName;
}

double CSampleAnovaCalc::ExactPowerOfCell(int, int nIndex, double effect) const
{
    const double k = m_groups;
    const double n = m_ns[nIndex];
    return ExactAnovaPowerAt(effect, k, (n - 1) * k, k * n, m_sd, m_alpha);
}

ExactCheck CSampleAnovaCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    const double k = m_groups;
    const double n = m_ns[m_selN];
    double range = 0;
    ComputeCell(m_selPower, m_selN, &range);
    return AnovaCheck(*this, range, k, (n - 1) * k, k * n, m_sd,
                      std::to_string(m_groups) + " groups of " + std::to_string(m_ns[m_selN]));
}
