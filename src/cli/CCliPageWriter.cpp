#include "cli/CCliPageWriter.h"

#include "cli/CCliDelimited.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/Formatting.h"

#include <string>

namespace {

void writeCell(FILE* out, int n, double power, double value, bool ok)
{
    std::string powerText;
    FormatNumber(power, powerText);
    const std::string line =
        formatInCLocale("%d\t%s\t%.17g\t%d\n", n, powerText.c_str(), value, ok ? 1 : 0);
    std::fputs(line.c_str(), out);
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

void CCliPageWriter::writeReport(CCalculator& calc, int mode, const Style& style, FILE* out)
{
    CHtmlWriter writer(out, mode, style.clock);
    writer.SetPageOptions(pageOptions(mode, style));
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

void CCliPageWriter::writeCells(CCalculator& calc, FILE* out)
{
    std::fputs("n\tpower\tvalue\tok\n", out);
    if (auto* sample = dynamic_cast<CSampleCalc*>(&calc)) {
        for (int r = 0; r < sample->m_nNs; ++r)
            for (int p = 0; p < sample->m_nPowers; ++p) {
                double value = 0;
                const bool ok = sample->ComputeCell(p, r, &value);
                writeCell(out, sample->m_ns[r], sample->m_powers[p], value, ok);
            }
    } else if (auto* power = dynamic_cast<CPowerCalc*>(&calc)) {
        for (int p = 0; p < power->m_nPowers; ++p) {
            double value = 0;
            const bool ok = power->ComputeCell(p, &value);
            writeCell(out, 0, power->m_powers[p], value, ok);
        }
    }
}

bool CCliPageWriter::selectedCellHasResult(const CCalculator& calc)
{
    return calc.SelectedCellHasResult();
}
