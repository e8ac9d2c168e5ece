#include "calc/DirectAnswerPage.h"

#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/Formatting.h"
#include "calc/ReportText.h"
#include "report/CHtmlWriter.h"

#include <initializer_list>
#include <string>

namespace {

std::string NumberOf(double value)
{
    std::string text;
    FormatNumber(value, text);
    return text;
}

// The question as a bold heading, then the table's start and its header row of columns;
// false, with nothing written, when no effect was asked for.
bool OpenAnswerTable(CHtmlWriter& w, const DirectAnswers& answers, const char* question,
                     std::initializer_list<const char*> columns)
{
    if (!answers.requested)
        return false;
    w.OpenParagraph();
    w.BeginBold();
    w.Write("%s %s:", question, NumberOf(answers.effect).c_str());
    w.EndBold();
    w.CloseParagraph();
    w.OpenTable(0, 0, false, 4);
    w.OpenRow(CHtmlWriter::NoColor, 2, 2);
    for (const char* column : columns) {
        w.OpenCell(2, 0, 0, 0);
        w.BeginBold();
        w.WriteNoBreak("%s", column);
        w.EndBold();
        w.CloseCell();
    }
    w.CloseRow();
    return true;
}

// One cell holding text, linked to query when query is not empty.
void WriteLinkedCell(CHtmlWriter& w, const std::string& query, const std::string& text)
{
    w.OpenCell(3, 0, 0, 0);
    if (!query.empty())
        w.OpenLink(query.c_str());
    w.WriteNoBreak("%s", text.c_str());
    if (!query.empty())
        w.CloseLink();
    w.CloseCell();
}

void WriteFailedCell(CHtmlWriter& w, int columns, const std::string& message)
{
    w.OpenCell(0, 0, columns, 0);
    w.Write("%s", message.c_str());
    w.CloseCell();
}

void WriteNote(CHtmlWriter& w, const char* text)
{
    w.OpenParagraph();
    w.Write("%s", text);
    w.CloseParagraph();
}

} // namespace

void WriteDirectAnswers(CHtmlWriter& w, const CSampleCalc& calc, const CTableLabels& labels)
{
    const DirectAnswers& answers = calc.m_direct;
    if (!OpenAnswerTable(w, answers, "Sample size for an effect of",
                         {"Power", labels.rowLabel.c_str(), "Detects"}))
        return;
    int row = 0;
    for (const DirectAnswer& line : answers.lines) {
        w.OpenRow(RowColor(row++), 7, 2);
        WriteLinkedCell(w, std::string(), NumberOf(line.power) + "%");
        if (line.ok) {
            const int r = IndexInList(calc.m_ns, calc.m_nNs, line.n);
            const int p = IndexInList(calc.m_powers, calc.m_nPowers, line.power);
            const std::string query = r >= 0 && p >= 0 && labels.linkCells
                                          ? formatInCLocale("?n=%i&pow=%i", r, p)
                                          : std::string();
            WriteLinkedCell(w, query, std::to_string(line.n));
            WriteLinkedCell(w, query, formatInCLocale(labels.valueFormat.c_str(), line.effect));
        } else {
            WriteFailedCell(w, 2, line.message);
        }
        w.CloseRow();
    }
    w.CloseTable();
    WriteNote(w, "Each N is the smallest whole number, up to 1,000,000, whose value in the table "
                 "detects the effect; it joins the rows of the table below.");
    if (answers.notMonotone)
        WriteNote(w, "The exact table goes up and down with N: each N above is the smallest from "
                     "which every larger N also detects the effect, and a smaller N may detect "
                     "it too.");
}

void WriteDirectAnswers(CHtmlWriter& w, const CPowerCalc& calc, const CTableLabels& labels)
{
    const DirectAnswers& answers = calc.m_direct;
    if (!OpenAnswerTable(w, answers, "Power to detect an effect of",
                         {labels.rowLabel.c_str(), "Power (%)"}))
        return;
    for (const DirectAnswer& line : answers.lines) {
        w.OpenRow(RowColor(0), 7, 2);
        if (line.ok) {
            const int p = IndexInList(calc.m_powers, calc.m_nPowers, line.power);
            const std::string query =
                p >= 0 && labels.linkCells ? formatInCLocale("?pow=%i", p) : std::string();
            WriteLinkedCell(w, query, formatInCLocale(labels.valueFormat.c_str(), line.effect));
            WriteLinkedCell(w, query, NumberOf(line.power));
        } else {
            WriteFailedCell(w, 2, line.message);
        }
        w.CloseRow();
    }
    w.CloseTable();
    WriteNote(w, "The power joins the rows of the table below.");
}
