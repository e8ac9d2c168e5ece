#include "cli/CCliPageWriter.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/Formatting.h"

#include <optional>
#include <string>

namespace {

// exact is -1 when the page has no exact column.
void writeCell(FILE* out, int n, double power, double value, bool ok, int exact)
{
    std::string powerText;
    FormatNumber(power, powerText);
    std::string line =
        formatInCLocale("%d\t%s\t%.17g\t%d", n, powerText.c_str(), value, ok ? 1 : 0);
    if (exact >= 0)
        line += formatInCLocale("\t%d", exact);
    std::fputs((line + "\n").c_str(), out);
}

// The exact column's value for row nIndex: 1 or 0, or -1 without the column.
int exactColumn(const CCalculator& calc, int nIndex)
{
    const std::optional<bool> exact = calc.RowComputedExactly(nIndex);
    return calc.IsExact() && exact ? (*exact ? 1 : 0) : -1;
}

} // namespace

void CCliPageWriter::writeTradeoff(CCalculator& calc, int mode, FILE* out)
{
    CHtmlWriter writer(out, mode);
    calc.WriteTradeoffPage(writer);
}

void CCliPageWriter::writeReport(CCalculator& calc, int mode, FILE* out)
{
    CHtmlWriter writer(out, mode);
    calc.WriteReportForQuery(writer, nullptr);
}

void CCliPageWriter::writeData(CCalculator& calc, FILE* out)
{
    CHtmlWriter writer(out, CHtmlWriter::ModeText);
    CTableLabels labels;
    calc.WriteDataTable(writer, labels);
}

void CCliPageWriter::writeCells(CCalculator& calc, FILE* out)
{
    std::fputs(exactColumn(calc, 0) >= 0 ? "n\tpower\tvalue\tok\texact\n" : "n\tpower\tvalue\tok\n",
               out);
    if (auto* sample = dynamic_cast<CSampleCalc*>(&calc)) {
        for (int r = 0; r < sample->m_nNs; ++r)
            for (int p = 0; p < sample->m_nPowers; ++p) {
                double value = 0;
                const bool ok = sample->ComputeCell(p, r, &value);
                writeCell(out, sample->m_ns[r], sample->m_powers[p], value, ok,
                          exactColumn(calc, r));
            }
    } else if (auto* power = dynamic_cast<CPowerCalc*>(&calc)) {
        for (int p = 0; p < power->m_nPowers; ++p) {
            double value = 0;
            const bool ok = power->ComputeCell(p, &value);
            writeCell(out, 0, power->m_powers[p], value, ok, exactColumn(calc, 0));
        }
    }
}

bool CCliPageWriter::selectedCellHasResult(const CCalculator& calc)
{
    return calc.SelectedCellHasResult();
}
