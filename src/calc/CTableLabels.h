#pragma once

#include <string>

/// Captions and number formats that a page writer fills and hands to the table writers.
class CTableLabels
{
public:
    CTableLabels();

    /// Chooses the decimals of the table cells from the SD or rate x (> 0) on which the
    /// table's effect is scaled: 2 when x > 1, otherwise 2 - log10(x) truncated. Sets both
    /// valueFormat and plainFormat to "%.<digits>f".
    void SetFormatsFor(double x);

    /// Caption above the table, written only when not empty; the graph's X-axis title.
    std::string title;
    /// Header of the first column, for example "N per group".
    std::string rowLabel;
    /// Name of the tabulated quantity; the graph's Y-axis title.
    std::string valueLabel;
    /// printf format of a valid cell value.
    std::string valueFormat;
    /// printf format of a cell whose value is not a valid result.
    std::string plainFormat;
    /// True in the tradeoff table, where cells are links; false where the selected cell is
    /// highlighted instead.
    bool linkCells;
};
