#include "cli/CCliPageWriter.h"

#include "cli/CCliDelimited.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/Formatting.h"
#include "calc/SimulatedCheck.h"

#include <optional>
#include <string>

namespace {

// exact is -1 when the page has no exact column; extra, when not null, is a last column.
void writeCell(FILE* out, int n, double power, double value, bool ok, int exact,
               const std::string* extra)
{
    std::string powerText;
    FormatNumber(power, powerText);
    std::string line =
        formatInCLocale("%d\t%s\t%.17g\t%d", n, powerText.c_str(), value, ok ? 1 : 0);
    if (exact >= 0)
        line += formatInCLocale("\t%d", exact);
    if (extra != nullptr)
        line += "\t" + *extra;
    std::fputs((line + "\n").c_str(), out);
}

// The exact column's value for row nIndex: 1 or 0, or -1 without the column.
int exactColumn(const CCalculator& calc, int nIndex)
{
    const std::optional<bool> exact = calc.RowComputedExactly(nIndex);
    return calc.IsExact() && exact ? (*exact ? 1 : 0) : -1;
}

// A writer of a page for a terminal or another program in writer mode.
CHtmlWriter::PageOptions pageOptions(int mode, const CCliPageWriter::Style& style)
{
    CHtmlWriter::PageOptions options;
    // Only a page with links has anything to click.
    options.clickHints = mode == CHtmlWriter::ModeHtmlLinks;
    options.footer = style.footer;
    options.tabAfterLastCell = false;
    return options;
}

} // namespace

void CCliPageWriter::writeTradeoff(CCalculator& calc, int mode, const Style& style, FILE* out)
{
    if (style.csv) {
        writeDelimited(
            style, true,
            [&calc](FILE* tabSeparated) {
                CHtmlWriter writer(tabSeparated, CHtmlWriter::ModeText);
                CHtmlWriter::PageOptions options;
                options.resultTablesOnly = true;
                writer.SetPageOptions(options);
                calc.WriteTradeoffPage(writer);
            },
            out);
        return;
    }
    CHtmlWriter writer(out, mode, style.clock);
    writer.SetPageOptions(pageOptions(mode, style));
    calc.WriteTradeoffPage(writer);
    writer.FinishLastLine();
}

void CCliPageWriter::writeReport(CCalculator& calc, int mode, const Style& style, FILE* out,
                                 const std::string& paragraph)
{
    CHtmlWriter writer(out, mode, style.clock);
    writer.SetPageOptions(pageOptions(mode, style));
    if (!paragraph.empty())
        writer.SetBeforeFooter([&paragraph](CHtmlWriter& w) { WriteSimulatedCheck(w, paragraph); });
    calc.WriteReportForQuery(writer, nullptr);
    writer.FinishLastLine();
}

void CCliPageWriter::writeDelimited(const Style& style, bool tabAfterEveryField,
                                    const std::function<void(FILE*)>& page, FILE* out)
{
    const CCliDelimited format(style.csv ? CCliDelimited::Separator::Comma
                                         : CCliDelimited::Separator::Tab,
                               tabAfterEveryField);
    format.rewrite(page, out);
}

void CCliPageWriter::writeData(CCalculator& calc, FILE* out)
{
    CHtmlWriter writer(out, CHtmlWriter::ModeText);
    CTableLabels labels;
    calc.WriteDataTable(writer, labels);
}

void CCliPageWriter::writeCells(CCalculator& calc, FILE* out,
                                const std::function<std::string(int, int)>& simulated)
{
    std::string header = "n\tpower\tvalue\tok";
    if (exactColumn(calc, 0) >= 0)
        header += "\texact";
    if (simulated)
        header += "\tsimulated";
    std::fputs((header + "\n").c_str(), out);
    std::string extra;
    const auto simulatedOf = [&](int p, int r) {
        if (!simulated)
            return static_cast<const std::string*>(nullptr);
        extra = simulated(p, r);
        return static_cast<const std::string*>(&extra);
    };
    if (auto* sample = dynamic_cast<CSampleCalc*>(&calc)) {
        for (int r = 0; r < sample->m_nNs; ++r)
            for (int p = 0; p < sample->m_nPowers; ++p) {
                double value = 0;
                const bool ok = sample->ComputeCell(p, r, &value);
                writeCell(out, sample->m_ns[r], sample->m_powers[p], value, ok,
                          exactColumn(calc, r), simulatedOf(p, r));
            }
    } else if (auto* power = dynamic_cast<CPowerCalc*>(&calc)) {
        for (int p = 0; p < power->m_nPowers; ++p) {
            double value = 0;
            const bool ok = power->ComputeCell(p, &value);
            writeCell(out, 0, power->m_powers[p], value, ok, exactColumn(calc, 0),
                      simulatedOf(p, 0));
        }
    }
}

bool CCliPageWriter::selectedCellHasResult(const CCalculator& calc)
{
    return calc.SelectedCellHasResult();
}
