#include "calc/CSampleCalc.h"

#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/Formatting.h"
#include "platform/Platform.h"
#include "calc/DirectAnswerPage.h"
#include "calc/Query.h"
#include "calc/ReportText.h"

#include <cmath>

const CSampleCalc::ExplanationWording CSampleCalc::GroupWording = {
    "You requested a detailed explanation for N = %d and power = %s%%.",
    "Now imagine that you perform many experiments, with N = %d per group in each experiment. ",
    "Summary: A sample size of %d in each group has a %s%% power to detect %s %s of %.*f with a "
    "significance level (alpha) of %s.",
    "If you perform many experiments with N = %d in each group, ",
    "difference between means",
};

CSampleCalc::CSampleCalc(const CalculatorKind& kind) : CCalculator(kind)
{
    m_selPower = -1;
    m_selN = -1;
    LoadSampleDefaults();
}

unsigned int CSampleCalc::GetGraphTemplateId() const
{
    return m_nPowers <= 10 ? 200 : 190;
}

bool CSampleCalc::GetGraphTemplatePath(std::string& out) const
{
    return ExistingTemplatePath(m_nPowers <= 10 ? "sample10.qxt" : "sample.qxt", out);
}

bool CSampleCalc::SelectFromQuery(const char* query)
{
    m_selPower = QueryIndex(query, "pow", m_nPowers);
    m_selN = QueryIndex(query, "n", m_nNs);
    return HasSelection();
}

bool CSampleCalc::HasSelection() const
{
    return m_selPower != -1 && m_selN != -1;
}

int CSampleCalc::MonotoneFromN() const
{
    return 0;
}

void CSampleCalc::WriteCellValue(CHtmlWriter& w, const char* format, double value) const
{
    // A minus sign must stay on the line of its digits.
    if (value >= 0)
        w.Write(format, value);
    else
        w.WriteNoBreak(format, value);
}

void CSampleCalc::WriteTradeoffTable(CHtmlWriter& w, const CTableLabels& labels) const
{
    CBusyScope busy;
    if (labels.linkCells) {
        WriteDirectAnswers(w, *this, labels);
        WriteAccuracyNote(w);
    }
    WriteResultTableStart(w, labels);

    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(2, 0, 0, 0);
    w.CloseCell();
    w.OpenCell(2, 0, 2 * m_nPowers, 0);
    WriteBold(w, "Power");
    w.CloseCell();
    w.CloseRow();

    w.OpenRow(CHtmlWriter::NoColor, 2, 2);
    w.OpenCell(2, 0, 0, 0);
    w.BeginBold();
    w.WriteNoBreak("%s", labels.rowLabel.c_str());
    w.EndBold();
    w.CloseCell();
    for (int p = 0; p < m_nPowers; ++p) {
        WriteSpacerCell(w);
        w.OpenCell(2, 0, 0, 0);
        w.BeginBold();
        w.WriteNumber(m_powers[p], 0);
        w.Write("%%");
        w.EndBold();
        w.CloseCell();
    }
    w.CloseRow();

    for (int r = 0; r < m_nNs; ++r) {
        w.OpenRow(RowColor(r), 7, 2);
        w.OpenCell(2, 0, 0, 0);
        w.WriteNumber(m_ns[r], 0);
        w.CloseCell();
        for (int p = 0; p < m_nPowers; ++p) {
            WriteSpacerCell(w);
            w.OpenCell(3, 0, 0, 0);
            double value = 0;
            if (!ComputeCell(p, r, &value)) {
                WriteCellValue(w, FailedCellFormat(labels), value);
            } else if (labels.linkCells) {
                w.OpenLink(formatInCLocale("?n=%i&pow=%i", r, p).c_str());
                WriteCellValue(w, labels.valueFormat.c_str(), value);
                w.CloseLink();
            } else {
                const bool highlight = p == m_selPower && r == m_selN && w.IsHtml();
                if (highlight)
                    w.Write("<FONT COLOR=\"BLUE\"><B>");
                WriteCellValue(w, labels.valueFormat.c_str(), value);
                if (highlight)
                    w.Write("</B></FONT>");
            }
            w.CloseCell();
        }
        w.CloseRow();
    }
    WriteResultTableEnd(w, labels);
}

namespace {

// The paragraph that offers unequal groups instead of n subjects in each.
void writeUnequalNIntroduction(CHtmlWriter& w, int n)
{
    w.OpenParagraph();
    w.Write("Instead of using %d", n);
    w.Write(" subjects in each group, you can use unequal N. Substitute any of the following "
            "experimental designs, without losing any statistical power. Note that total sample "
            "size increases if you use unequal N (you must increase N for Group B more than you "
            "decrease N for group A). This can make sense if treatment A ");
    w.WriteQuoted("costs");
    w.Write(" more (considering expense, hassle and risk) than treatment B. Even though the "
            "total sample size goes up, choosing unequal N may reduce the total cost (or risk) "
            "of the experiment.");
    w.CloseParagraph();
}

// The two heading rows of the unequal-N table.
void writeUnequalNHeading(CHtmlWriter& w)
{
    w.OpenRow(CHtmlWriter::NoColor, 2, 2);
    w.OpenCell(2, 0, 3, 0);
    WriteBold(w, "Sample size");
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.Write(" ");
    w.CloseCell();
    w.CloseRow();

    w.OpenRow(CHtmlWriter::NoColor, 2, 0);
    w.OpenCell(2, 10, 0, 0);
    w.BeginBold();
    w.WriteNoBreak("Group A");
    w.EndBold();
    w.CloseCell();
    if (w.IsHtml()) {
        w.OpenCell(0, 4, 0, 0);
        w.Write("&nbsp;");
        w.CloseCell();
    }
    w.OpenCell(2, 10, 0, 0);
    w.BeginBold();
    w.WriteNoBreak("Group B");
    w.EndBold();
    w.CloseCell();
    w.OpenCell(2, 12, 0, 0);
    WriteBold(w, "Ratio");
    w.CloseCell();
    w.OpenCell(2, 12, 0, 0);
    WriteBold(w, "Total");
    w.CloseCell();
    w.OpenCell(0, 40, 0, 0);
    WriteBold(w, "When to choose");
    w.CloseCell();
    w.CloseRow();
}

// One design of the unequal-N table: group B ratio times the size of group A, at the power of
// n in each group. index picks the row's colour and the one printed cost that is rounded up.
void writeUnequalNRow(CHtmlWriter& w, int index, double ratio, int n)
{
    // Group A is rounded up with six nines and group B with seven: the sizes that keep
    // the power of the equal design.
    const double a = std::trunc((ratio + 1) * (2.0 * n) / (4 * ratio) + 0.999999);
    const double b = std::trunc(ratio * a + 0.9999999);
    // The cost ratio of 1.5 is printed as 2.3, one rounding step above 2.25.
    const double cost = index == 2 ? 2.25 + 0.01 : ratio * ratio;

    w.OpenRow(RowColor(index), 0, 0);
    w.OpenCell(2, 0, 0, 0);
    w.WriteNumber(a, 0);
    w.CloseCell();
    WriteSpacerCell(w);
    w.OpenCell(2, 0, 0, 0);
    w.WriteNumber(b, 0);
    w.CloseCell();
    w.OpenCell(2, 0, 0, 0);
    w.WriteNumber(ratio, 3);
    w.CloseCell();
    w.OpenCell(2, 0, 0, 0);
    w.WriteNumber(a + b, 0);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.Write("If the ");
    w.WriteQuoted("cost");
    w.Write(" of treatment A is %.1f times the ", cost);
    w.WriteQuoted("cost");
    w.Write(" of treatment B.");
    w.CloseCell();
    w.CloseRow();
}

} // namespace

void CSampleCalc::WriteUnequalNAdvice(CHtmlWriter& w) const
{
    const int n = m_selN >= 0 && m_selN < m_nNs ? m_ns[m_selN] : 0;

    w.OpenParagraph();
    WriteBold(w, "If you want to use unequal N:");
    w.CloseParagraph();

    writeUnequalNIntroduction(w, n);

    w.OpenParagraph();
    w.OpenTable(0, 0, false, 0);
    writeUnequalNHeading(w);
    static const double ratios[] = {1, 1.25, 1.5, 2, 3, 4, 5};
    for (int i = 0; i < 7; ++i)
        writeUnequalNRow(w, i, ratios[i], n);
    w.CloseTable();
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("You cannot reduce the sample size of Group A to fewer than half the number needed if "
            "you choose equal sample size (without losing statistical power).");
    w.CloseParagraph();
}

void CSampleCalc::WriteSampleExplanation(CHtmlWriter& w, const char* effectName,
                                         bool withConfidenceInterval, bool alphaWithTails) const
{
    WriteSampleExplanation(w, effectName, withConfidenceInterval, alphaWithTails, GroupWording);
}

void CSampleCalc::WriteSampleExplanation(CHtmlWriter& w, const char* effectName,
                                         bool withConfidenceInterval, bool alphaWithTails,
                                         const ExplanationWording& wording) const
{
    if (!HasSelection())
        return;
    double v = 0;
    ComputeCell(m_selPower, m_selN, &v);
    const int n = m_ns[m_selN];
    const PowerTexts texts = DescribePower(m_selPower, alphaWithTails);
    const int dp = m_decimals;

    w.OpenParagraph();
    WriteBold(w, "Detailed explanation:");
    w.LineBreak();
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write(wording.request, n, texts.power.c_str());
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("Assume that the true %s is %.*f. ", effectName, dp, v);
    w.Write(wording.perExperiment, n);
    w.Write("Due to random sampling, you won't find that the %s equals %.*f in every experiment. ",
            effectName, dp, v);
    w.Write("Instead, you'll find that the %s will be greater than %.*f in about half the "
            "experiments, and less than %.*f in the other half.",
            effectName, dp, v, dp, v);
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("In %s%% (the power) of those experiments, the P value will be less than %s",
            texts.power.c_str(), texts.alpha.c_str());
    w.Write(" so the results will be deemed ");
    w.WriteQuoted("statistically significant");
    w.Write(". In the remaining %s%% of the experiments, the %s will be deemed ",
            texts.beta.c_str(), effectName);
    w.WriteQuoted("not statistically significant");
    w.Write(", so you will have made a Type II (beta) error.");
    w.CloseParagraph();

    WriteBeforeSummary(w);
    w.OpenParagraph();
    w.Write(wording.summary, n, texts.power.c_str(), ArticleFor(effectName), effectName, dp, v,
            texts.alpha.c_str());
    w.LineBreak();
    w.CloseParagraph();
    WriteExactCheck(w, MakeExactCheck());

    if (!withConfidenceInterval)
        return;
    const double confidence = (1 - m_alpha) * 100;
    w.OpenParagraph();
    WriteBold(w, "Alternative explanation using confidence intervals:");
    w.CloseParagraph();
    w.OpenParagraph();
    w.Write(wording.intervalStart, n);
    w.Write("and the true %s is %.*f, you expect that in %s%% of these experiments (the power) ",
            effectName, dp, v, texts.power.c_str());
    w.Write("the %.14g%% confidence interval for the %s will not include zero. ", confidence,
            wording.intervalSubject != nullptr ? wording.intervalSubject : effectName);
    w.Write("In the remaining %s%% of the experiments, it will include zero.", texts.beta.c_str());
    // How wide the interval comes out depends on the sample SD alone, not on the power.
    const double share = IntervalShare(v);
    if (std::isfinite(share))
        w.Write(" In %s%% of the experiments, the interval will extend %.*f or less in each "
                "direction.",
                ExactPercentText(share).c_str(), dp, v);
    w.LineBreak();
    w.CloseParagraph();
}

void CSampleCalc::WriteBeforeSummary(CHtmlWriter&) const {}

double CSampleCalc::IntervalShare(double) const
{
    return std::nan("");
}

void CSampleCalc::WriteSampleDataRows(CHtmlWriter& w, const CTableLabels& labels) const
{
    std::string number;
    w.Write("%s\t", labels.rowLabel.c_str());
    for (int p = 0; p < m_nPowers; ++p) {
        FormatNumber(m_powers[p], number);
        w.Write("%s%%\t", number.c_str());
    }
    w.Write("\n");
    for (int r = 0; r < m_nNs; ++r) {
        w.Write("%d\t", m_ns[r]);
        for (int p = 0; p < m_nPowers; ++p) {
            double value = 0;
            if (ComputeCell(p, r, &value))
                w.Write(labels.valueFormat.c_str(), value);
            w.Write("\t");
        }
        w.Write("\n");
    }
}
