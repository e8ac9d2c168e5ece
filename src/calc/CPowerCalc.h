#pragma once

#include "calc/CCalculator.h"

#include <string>

class CHtmlWriter;
class CTableLabels;

/// Base of the calculators whose goal is the power of a completed experiment: each
/// tabulates, for every power (rows, descending), the effect the experiment had that power
/// to detect. The selection is m_selPower alone; the list of sizes holds the single entry 0.
class CPowerCalc : public CCalculator
{
public:
    /// A calculator of kind with no selection and the stored default powers.
    explicit CPowerCalc(const CalculatorKind& kind);

    /// Always 189.
    unsigned int GetGraphTemplateId() const override;
    /// "<program folder>/Templates/power.qxt"; true when that file exists.
    bool GetGraphTemplatePath(std::string& out) const override;
    /// Reads "pow" from the query; an index outside the list becomes -1.
    bool SelectFromQuery(const char* query) override;
    /// True when a power is selected.
    bool HasSelection() const override;

    /// The effect for the power at powerIndex into out; false when the value is not a valid
    /// result.
    virtual bool ComputeCell(int powerIndex, double* out) const = 0;

    /// The power table: the power column linked when labels.linkCells, otherwise the
    /// selected power highlighted.
    void WritePowerTable(CHtmlWriter& w, const CTableLabels& labels) const;
    /// The explanation of the selected power.
    void WritePowerExplanation(CHtmlWriter& w, const char* effectName, bool alphaWithTails) const;

protected:
    /// The graph-export data: a header line "<rowLabel>\tPower(%)", then per power the cell
    /// value in valueFormat (empty for a failed cell), a tab and the power.
    void WritePowerDataRows(CHtmlWriter& w, const CTableLabels& labels) const;

    /// The table of two groups on the choices of a two-group design, width pixels wide: a
    /// header row (blank, "N", then the value column's title, written by writeValueTitle),
    /// then "Group 1" and "Group 2" with their sizes and values.
    static void WriteGroupTable(CHtmlWriter& w, int width, void (*writeValueTitle)(CHtmlWriter&),
                                double n1, double value1, double n2, double value2);
};
