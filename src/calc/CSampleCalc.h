#pragma once

#include "calc/CCalculator.h"

#include <string>

class CHtmlWriter;
class CTableLabels;

/// Base of the calculators whose goal is the sample size of a future experiment: each
/// tabulates, for every sample size N (rows, ascending) and power (columns, descending), the
/// smallest effect that an experiment of that size detects with that power. The selected
/// cell is (m_selPower, m_selN).
class CSampleCalc : public CCalculator
{
public:
    /// A calculator of kind with no selection and the stored default powers and sample sizes.
    explicit CSampleCalc(const CalculatorKind& kind);

    /// 200 with at most 10 powers, 190 with more.
    unsigned int GetGraphTemplateId() const override;
    /// "<program folder>/Templates/sample10.qxt" with at most 10 powers, ".../sample.qxt"
    /// with more; true when that file exists.
    bool GetGraphTemplatePath(std::string& out) const override;
    /// Reads "pow" and "n" from the query; an index outside its list becomes -1.
    bool SelectFromQuery(const char* query) override;
    /// True when both a power and a sample size are selected.
    bool HasSelection() const override;

    /// The effect of the cell (power index, sample-size index) into out; false when the value
    /// is not a valid result.
    virtual bool ComputeCell(int powerIndex, int nIndex, double* out) const = 0;
    /// The smallest N from which the cells change monotonically with N; 0 when they do
    /// for every N.
    virtual int MonotoneFromN() const;

    /// The table of tradeoffs: linked cells when labels.linkCells, otherwise the selected
    /// cell highlighted.
    void WriteTradeoffTable(CHtmlWriter& w, const CTableLabels& labels) const;
    /// Advice on unequal group sizes that keep the power of the selected equal design.
    void WriteUnequalNAdvice(CHtmlWriter& w) const;
    /// The detailed explanation of the selected cell, with the confidence-interval paragraph
    /// when withConfidenceInterval is true.
    void WriteSampleExplanation(CHtmlWriter& w, const char* effectName, bool withConfidenceInterval,
                                bool alphaWithTails) const;

protected:
    /// The sentences of the detailed explanation that differ between designs. Each format
    /// takes the arguments of the generic text.
    struct ExplanationWording
    {
        /// "%d" N, "%s" power.
        const char* request;
        /// "%d" N.
        const char* perExperiment;
        /// "%d" N, "%s" power, "%s" article, "%s" effect, "%.*f" value, "%s" alpha.
        const char* summary;
        /// "%d" N.
        const char* intervalStart;
        /// What the confidence interval is for; null means the effect name.
        const char* intervalSubject;
    };
    /// The wording of two groups of N each.
    static const ExplanationWording GroupWording;

    /// WriteSampleExplanation with the given wording.
    void WriteSampleExplanation(CHtmlWriter& w, const char* effectName, bool withConfidenceInterval,
                                bool alphaWithTails, const ExplanationWording& wording) const;
    /// Paragraphs a design adds to the detailed explanation just before its summary; none
    /// by default.
    virtual void WriteBeforeSummary(CHtmlWriter& w) const;
    /// The share (a fraction) of the experiments of the selected cell in which the
    /// confidence interval extends halfWidth or less in each direction; NaN (the sentence is
    /// left out) when the design does not compute it, as by default.
    virtual double IntervalShare(double halfWidth) const;

    /// The graph-export data: a header line with rowLabel and the powers, then one line per
    /// sample size with its cell values in valueFormat (empty for a failed cell).
    void WriteSampleDataRows(CHtmlWriter& w, const CTableLabels& labels) const;

private:
    void WriteCellValue(CHtmlWriter& w, const char* format, double value) const;
};
