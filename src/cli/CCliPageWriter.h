#pragma once

#include <cstdio>
#include <functional>
#include <string>

class CCalculator;

/// Writes one page of a calculator whose inputs are set to an open stream.
class CCliPageWriter
{
public:
    /// The step-3 page, the table of tradeoffs, in writer mode (1 text, 0 HTML, 3 HTML
    /// with links).
    static void writeTradeoff(CCalculator& calc, int mode, FILE* out);
    /// The step-4 page on the selected cell; the caller has selected it. A paragraph that is
    /// not empty goes last, before the footer.
    static void writeReport(CCalculator& calc, int mode, FILE* out,
                            const std::string& paragraph = std::string());
    /// The tab-separated graph data, always as text.
    static void writeData(CCalculator& calc, FILE* out);
    /// For scripts: "n\tpower\tvalue\tok", then one line per cell in table order (row by row
    /// over the sample sizes, powers across; a power calculation has one line per power
    /// with n = 0). The power as FormatNumber writes it, the value with "%.17g", ok 1 or 0.
    /// With simulated, a fifth column "simulated" holds simulated(powerIndex, nIndex) of
    /// each cell.
    static void writeCells(CCalculator& calc, FILE* out,
                           const std::function<std::string(int, int)>& simulated = {});
    /// Whether the selected cell has a result. A cell without one ("Impossible" and the like)
    /// has no link in the table and no report: its report would state the stand-in value.
    static bool selectedCellHasResult(const CCalculator& calc);
};
