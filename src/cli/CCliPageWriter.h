#pragma once

#include <cstdio>
#include <functional>
#include <string>

class CCalculator;
class CFooterClock;

/// Writes one page of a calculator whose inputs are set to an open stream.
class CCliPageWriter
{
public:
    /// How the command line's pages differ from the desktop program's, the same for every
    /// page: no hints to click, a final line break, no tab at the end of a line.
    struct Style
    {
        /// Comma-separated values instead of tab-separated ones (tradeoff, data and cells).
        bool csv = false;
        /// The footer with the date and time; false leaves it out.
        bool footer = true;
        /// The footer's clock; null means the user's local time.
        const CFooterClock* clock = nullptr;
    };

    /// The step-3 page, the table of tradeoffs, in writer mode (1 text, 0 HTML, 3 HTML
    /// with links); with style.csv the cells of its table only.
    static void writeTradeoff(CCalculator& calc, int mode, const Style& style, FILE* out);
    /// The step-4 page on the selected cell; the caller has selected it. A paragraph that is
    /// not empty goes last, before the footer.
    static void writeReport(CCalculator& calc, int mode, const Style& style, FILE* out,
                            const std::string& paragraph = std::string());
    /// A page of tab-separated lines that page writes (writeData, writeCells), as style
    /// asks; tabAfterEveryField when page ends every field, the last of a line too, with a
    /// tab.
    static void writeDelimited(const Style& style, bool tabAfterEveryField,
                               const std::function<void(FILE*)>& page, FILE* out);
    /// The tab-separated graph data, always as text.
    static void writeData(CCalculator& calc, FILE* out);
    /// For scripts: "n\tpower\tvalue\tok", then one line per cell in table order (row by row
    /// over the sample sizes, powers across; a power calculation has one line per power
    /// with n = 0). The power as FormatNumber writes it, the value with "%.17g", ok 1 or 0.
    /// In the exact method of a design that computes only some rows exactly (proportions),
    /// a column "exact" says 1 for an exact cell and 0 for one of the written formula. With
    /// simulated, a last column "simulated" holds simulated(powerIndex, nIndex) of each cell.
    static void writeCells(CCalculator& calc, FILE* out,
                           const std::function<std::string(int, int)>& simulated = {});
    /// Whether the selected cell has a result. A cell without one ("Impossible" and the like)
    /// has no link in the table and no report: its report would state the stand-in value.
    static bool selectedCellHasResult(const CCalculator& calc);
};
