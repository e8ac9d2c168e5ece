#include "calc/CPowerCalc.h"

#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/Formatting.h"
#include "platform/Platform.h"
#include "calc/DirectAnswerPage.h"
#include "calc/Query.h"
#include "calc/ReportText.h"

CPowerCalc::CPowerCalc(const CalculatorKind& kind) : CCalculator(kind)
{
    m_selPower = -1;
    LoadPowerDefaults();
}

unsigned int CPowerCalc::GetGraphTemplateId() const
{
    return 189;
}

bool CPowerCalc::GetGraphTemplatePath(std::string& out) const
{
    return ExistingTemplatePath("power.qxt", out);
}

bool CPowerCalc::SelectFromQuery(const char* query)
{
    m_selPower = QueryIndex(query, "pow", m_nPowers);
    return HasSelection();
}

bool CPowerCalc::HasSelection() const
{
    return m_selPower != -1;
}

void CPowerCalc::WritePowerTable(CHtmlWriter& w, const CTableLabels& labels) const
{
    CBusyScope busy;
    if (labels.linkCells) {
        WriteDirectAnswers(w, *this, labels);
        WriteAccuracyNote(w);
    }
    WriteResultTableStart(w, labels);

    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(3, 0, 0, 0);
    w.BeginBold();
    w.WriteNoBreak("%s", labels.rowLabel.c_str());
    w.EndBold();
    w.CloseCell();
    WriteSpacerCell(w);
    w.OpenCell(2, 0, 0, 0);
    WriteBold(w, "Power (%)");
    w.CloseCell();
    w.CloseRow();

    for (int p = 0; p < m_nPowers; ++p) {
        w.OpenRow(RowColor(p), 7, 2);
        w.OpenCell(3, 0, 0, 0);
        double value = 0;
        const bool ok = ComputeCell(p, &value);
        w.Write(ok ? labels.valueFormat.c_str() : FailedCellFormat(labels), value);
        w.CloseCell();
        WriteSpacerCell(w);
        w.OpenCell(2, 0, 0, 0);
        if (ok && labels.linkCells) {
            w.OpenLink(formatInCLocale("?pow=%i", p).c_str());
            w.WriteNumber(m_powers[p], 0);
            w.CloseLink();
        } else {
            const bool highlight = p == m_selPower && w.IsHtml();
            if (highlight)
                w.Write("<FONT COLOR=\"BLUE\"><B>");
            w.WriteNumber(m_powers[p], 0);
            if (highlight)
                w.Write("</B></FONT>");
        }
        w.CloseCell();
        w.CloseRow();
    }
    WriteResultTableEnd(w, labels);
}

void CPowerCalc::WritePowerExplanation(CHtmlWriter& w, const char* effectName,
                                       bool alphaWithTails) const
{
    if (!HasSelection())
        return;
    double v = 0;
    ComputeCell(m_selPower, &v);
    const PowerTexts texts = DescribePower(m_selPower, alphaWithTails);
    const int dp = m_decimals;

    w.OpenParagraph();
    w.BeginBold();
    w.Write("Explanation for %s%% power:", texts.power.c_str());
    w.EndBold();
    w.LineBreak();
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("Assume that the true %s is %.*f. ", effectName, dp, v);
    w.Write("Now imagine that you perform many experiments, with the same sample size used in the "
            "completed experiment. Due to random sampling, you won't find that the %s",
            effectName);
    w.Write(" equals %.*f in every experiment.", dp, v);
    w.Write(" Instead, you'll find that the %s will be greater than %.*f", effectName, dp, v);
    w.Write(" in about half the experiments, and less than %.*f in the other half.", dp, v);
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("In %s%% (the power) of those experiments, the P value will be less than %s so the "
            "results will be deemed ",
            texts.power.c_str(), texts.alpha.c_str());
    w.WriteQuoted("statistically significant");
    w.Write(". In the remaining %s%% of the experiments, the P value will be greater than %s so "
            "the results will be deemed ",
            texts.beta.c_str(), texts.alpha.c_str());
    w.WriteQuoted("not statistically significant");
    w.Write(" and you will have made a Type II (beta) error.");
    w.CloseParagraph();

    w.OpenParagraph();
    w.Write("Summary: Your experiment had a %s%% power to detect %s %s of %.*f with a significance "
            "level (alpha) of %s.",
            texts.power.c_str(), ArticleFor(effectName), effectName, dp, v, texts.alpha.c_str());
    w.CloseParagraph();
    WriteExactCheck(w, MakeExactCheck());
}

void CPowerCalc::WritePowerDataRows(CHtmlWriter& w, const CTableLabels& labels) const
{
    std::string number;
    w.Write("%s\tPower(%%)\n", labels.rowLabel.c_str());
    for (int p = 0; p < m_nPowers; ++p) {
        double value = 0;
        if (ComputeCell(p, &value))
            w.Write(labels.valueFormat.c_str(), value);
        FormatNumber(m_powers[p], number);
        w.Write("\t%s\n", number.c_str());
    }
}

namespace {

void WriteGroupRow(CHtmlWriter& w, const char* name, double n, double value)
{
    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(0, 0, 0, 0);
    w.WriteNoBreak("%s", name);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.WriteNumber(n, 0);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.WriteNumber(value, 0);
    w.CloseCell();
    w.CloseRow();
}

} // namespace

void CPowerCalc::WriteGroupTable(CHtmlWriter& w, int width, void (*writeValueTitle)(CHtmlWriter&),
                                 double n1, double value1, double n2, double value2)
{
    w.OpenTable(width, 0, false, -1);
    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(0, 0, 0, 0);
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    w.Write("N");
    w.CloseCell();
    w.OpenCell(0, 0, 0, 0);
    writeValueTitle(w);
    w.CloseCell();
    w.CloseRow();
    WriteGroupRow(w, "Group 1", n1, value1);
    WriteGroupRow(w, "Group 2", n2, value2);
    w.CloseTable();
}
