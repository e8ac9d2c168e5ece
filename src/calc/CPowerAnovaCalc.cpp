#include "calc/CPowerAnovaCalc.h"

#include "calc/AnovaShared.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "exact/ExactLevel.h"
#include "calc/Formatting.h"
#include "calc/ReportText.h"
#include "calc/StringTable.h"
#include "engine/Distributions.h"
#include "report/CHtmlWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

const char* const PlainEffectName = "range of means (d2)";
const char* const HtmlEffectName = "range of means (d<sub>2</sub>)";
const char* const PlainRowLabel = "Range of means (d2)";
const char* const HtmlRowLabel = "Range of means (d<sub>2</sub>)";

void WriteNumberCell(CHtmlWriter& w, double value)
{
    std::string number;
    FormatNumber(value, number);
    w.OpenCell(0, 0, 0, 0);
    w.Write("%s", number.c_str());
    w.CloseCell();
}

void WriteSourceRow(CHtmlWriter& w, const char* source, int df, double ms)
{
    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(0, 0, 0, 0);
    w.WriteNoBreak("%s", source);
    w.CloseCell();
    WriteNumberCell(w, df);
    WriteNumberCell(w, ms);
    w.CloseRow();
}

} // namespace

CPowerAnovaCalc::CPowerAnovaCalc()
    : CPowerCalc(CalculatorKind{Goal::Power, Design::Anova, IDS_POWER_ANOVA_TITLE}),
      m_dfTreatment(-1), m_dfResidual(-1), m_msGroups(-1), m_msResidual(-1)
{
}

CPowerAnovaCalc::~CPowerAnovaCalc() = default;

bool CPowerAnovaCalc::SetDfTreatment(int df)
{
    return SetDegreesOfFreedom(df, m_dfTreatment,
                               "DF treatment must be a positive integer.\nEnter correct value in "
                               "the field and try again.");
}

bool CPowerAnovaCalc::SetMsGroups(double ms)
{
    return SetMeanSquare(ms, m_msGroups,
                         "Groups mean square must be a positive number.\nEnter correct value in "
                         "the field and try again.");
}

bool CPowerAnovaCalc::SetDfResidual(int df)
{
    return SetDegreesOfFreedom(df, m_dfResidual,
                               "DF residual must be a positive integer.\nEnter correct value in "
                               "the field and try again.");
}

bool CPowerAnovaCalc::SetMsResidual(double ms)
{
    return SetMeanSquare(ms, m_msResidual,
                         "Residual mean square must be a positive number.\nEnter correct value "
                         "in the field and try again.");
}

bool CPowerAnovaCalc::SetDegreesOfFreedom(int df, int& field, const char* message)
{
    if (df <= 0)
        return ReportError(message);
    field = df;
    return true;
}

bool CPowerAnovaCalc::SetMeanSquare(double ms, double& field, const char* message)
{
    // An infinite mean square would put infinities into every cell.
    if (!(ms > 0) || !std::isfinite(ms))
        return ReportError(message);
    field = ms;
    m_decimals = DecimalsFor(DecimalsSource());
    return true;
}

double CPowerAnovaCalc::DecimalsSource() const
{
    if (m_msGroups < 0)
        return m_msResidual;
    if (m_msResidual < 0)
        return m_msGroups;
    return std::min(m_msGroups, m_msResidual);
}

bool CPowerAnovaCalc::ComputeCell(int powerIndex, double* out) const
{
    const double k = m_dfTreatment + 1.0;
    // The residual mean square is the variance within groups, so its square root is the SD;
    // the noncentrality lambda = N f^2 takes the total sample size N = df residual + k, as
    // the sample-size calculator takes k n.
    const double total = m_dfResidual + k;
    if (!Level().Admits(PowerFraction(powerIndex))) {
        *out = 0;
        return false;
    }
    if (IsExact())
        return StoreExactCell(ExactAnovaRange(PowerFraction(powerIndex), k, m_dfResidual, total,
                                              std::sqrt(m_msResidual), m_alpha),
                              std::sqrt(m_msResidual), out);
    *out = AnovaDetectableRange(m_alpha, m_zPowers[powerIndex], k, m_dfResidual, total,
                                std::sqrt(m_msResidual));
    return FailUnlessFinite(out);
}

CCalculator* CPowerAnovaCalc::Clone() const
{
    std::unique_ptr<CPowerAnovaCalc> copy(new CPowerAnovaCalc);
    copy->m_dfTreatment = m_dfTreatment;
    copy->m_dfResidual = m_dfResidual;
    copy->m_msGroups = m_msGroups;
    copy->m_msResidual = m_msResidual;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerAnovaCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteAnovaChoicesStart(w, "Power of one-way ANOVA", detailed);
    w.OpenTable(200, 0, false, -1);
    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(0, 0, 0, 0);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.Write("DF");
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.Write("MS");
    w.CloseCell();
    w.CloseRow();
    WriteSourceRow(w, "Treatment (groups)", m_dfTreatment, m_msGroups);
    WriteSourceRow(w, "Residual (error)", m_dfResidual, m_msResidual);
    w.CloseTable();
    w.LineBreak();
    // Two decimals for the levels the form offers; any other level as the user gave it.
    std::string level;
    FormatAlpha(level, false);
    w.Write("Significance level (alpha) = %s", level.c_str());
    WriteMethodLine(w);
    w.CloseParagraph();
}

void CPowerAnovaCalc::FillLabels(CTableLabels& labels, const char* rowLabel) const
{
    labels.rowLabel = rowLabel;
    labels.SetFormatsFor(DecimalsSource());
}

bool CPowerAnovaCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead(LoadString(GetTitleId()));
    WriteChoices(w, false);
    w.LineBreak();
    w.OpenParagraph();
    w.Write("This table shows the difference between the largest mean and the smallest mean that "
            "can be detected with the power specified  ");
    w.Write("%s", TextOrHtml(w, "(Cohen's d2).", "(Cohen&rsquo;s d<sub>2</sub>)."));
    w.Write(" The calculations assume moderate variability between the remaining group means. "
            "This happens when the remaining group means are equally spaced between the highest "
            "and lowest means.");
    w.CloseParagraph();
    w.OpenParagraph();
    w.Write("Choose the smallest %s that you think would be scientifically interesting or "
            "important, and read the power of the experiment to detect it. Click on the power for "
            "a detailed report. If you wish more power, repeat the experiment with a larger "
            "sample size or decide it is OK to only detect larger differences.",
            TextOrHtml(w, PlainEffectName, HtmlEffectName));
    w.CloseParagraph();
    CTableLabels labels;
    FillLabels(labels, TextOrHtml(w, PlainRowLabel, HtmlRowLabel));
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerAnovaCalc::WriteExplanationPage(CHtmlWriter& w)
{
    const char* const effectName = TextOrHtml(w, PlainEffectName, HtmlEffectName);
    w.WritePageHead(LoadString(GetExplanationTitleId()));
    WriteChoices(w, true);
    WritePowerExplanation(w, effectName, false);
    WriteTradeoffsCaption(w);
    w.OpenParagraph();
    w.Write("For any power you choose, this table shows the %s that can be detected.", effectName);
    w.CloseParagraph();
    CTableLabels labels;
    labels.linkCells = false;
    FillLabels(labels, TextOrHtml(w, PlainRowLabel, HtmlRowLabel));
    WritePowerTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}

bool CPowerAnovaCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    // The graph shows the plain form whatever the writer's mode.
    FillLabels(labels, PlainRowLabel);
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerAnovaCalc::ExactMethodName() const
{
    return ExactFName;
}

std::string CPowerAnovaCalc::ApproximateMethodName() const
{
    return WrittenFName;
}

double CPowerAnovaCalc::ExactPowerOfCell(int, int, double effect) const
{
    const double k = m_dfTreatment + 1.0;
    return ExactAnovaPowerAt(effect, k, m_dfResidual, m_dfResidual + k, std::sqrt(m_msResidual),
                             m_alpha);
}

ExactCheck CPowerAnovaCalc::MakeExactCheck() const
{
    if (IsExact() || !HasSelection())
        return ExactCheck();
    const double k = m_dfTreatment + 1.0;
    const double total = m_dfResidual + k;
    double range = 0;
    ComputeCell(m_selPower, &range);
    return AnovaCheck(*this, range, k, m_dfResidual, total, std::sqrt(m_msResidual),
                      NumberText(k) + " groups with " + NumberText(total) + " subjects in all");
}
