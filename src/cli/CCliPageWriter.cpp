#include "cli/CCliPageWriter.h"

#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/Formatting.h"
#include "calc/SimulatedCheck.h"

#include <string>

namespace {

void writeCell(FILE* out, int n, double power, double value, bool ok, const std::string* extra)
{
    std::string powerText;
    FormatNumber(power, powerText);
    const std::string line =
        formatInCLocale("%d\t%s\t%.17g\t%d", n, powerText.c_str(), value, ok ? 1 : 0);
    std::fputs(line.c_str(), out);
    if (extra != nullptr) {
        std::fputc('\t', out);
        std::fputs(extra->c_str(), out);
    }
    std::fputc('\n', out);
}

} // namespace

void CCliPageWriter::writeTradeoff(CCalculator& calc, int mode, FILE* out)
{
    CHtmlWriter writer(out, mode);
    calc.WriteTradeoffPage(writer);
}

void CCliPageWriter::writeReport(CCalculator& calc, int mode, FILE* out,
                                 const std::string& paragraph)
{
    CHtmlWriter writer(out, mode);
    if (!paragraph.empty())
        writer.SetBeforeFooter([&paragraph](CHtmlWriter& w) { WriteSimulatedCheck(w, paragraph); });
    calc.WriteReportForQuery(writer, nullptr);
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
    std::fputs(simulated ? "n\tpower\tvalue\tok\tsimulated\n" : "n\tpower\tvalue\tok\n", out);
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
                writeCell(out, sample->m_ns[r], sample->m_powers[p], value, ok, simulatedOf(p, r));
            }
    } else if (auto* power = dynamic_cast<CPowerCalc*>(&calc)) {
        for (int p = 0; p < power->m_nPowers; ++p) {
            double value = 0;
            const bool ok = power->ComputeCell(p, &value);
            writeCell(out, 0, power->m_powers[p], value, ok, simulatedOf(p, 0));
        }
    }
}

bool CCliPageWriter::selectedCellHasResult(const CCalculator& calc)
{
    return calc.SelectedCellHasResult();
}
