#pragma once

#include <cstdio>

class CCalculator;

/// Writes one page of a calculator whose inputs are set to an open stream.
class CCliPageWriter
{
public:
    /// The step-3 page, the table of tradeoffs, in writer mode (1 text, 0 HTML, 3 HTML
    /// with links).
    static void writeTradeoff(CCalculator& calc, int mode, FILE* out);
    /// The step-4 page on the selected cell; the caller has selected it.
    static void writeReport(CCalculator& calc, int mode, FILE* out);
    /// The tab-separated graph data, always as text.
    static void writeData(CCalculator& calc, FILE* out);
    /// For scripts: "n\tpower\tvalue\tok", then one line per cell in table order (row by row
    /// over the sample sizes, powers across; a power calculation has one line per power
    /// with n = 0). The power as FormatNumber writes it, the value with "%.17g", ok 1 or 0.
    /// In the exact method of a design that computes only some rows exactly (proportions),
    /// a fifth column "exact" says 1 for an exact cell and 0 for one of the written formula.
    static void writeCells(CCalculator& calc, FILE* out);
    /// Whether the selected cell has a result. A cell without one ("Impossible" and the like)
    /// has no link in the table and no report: its report would state the stand-in value.
    static bool selectedCellHasResult(const CCalculator& calc);
};
