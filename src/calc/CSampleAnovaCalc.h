#pragma once

#include "calc/CSampleCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;

/// Sample size of a one-way ANOVA of k groups (goal 0, design 2). Tabulates, for every sample
/// size per group and power, the smallest range of group means (largest minus smallest) that
/// can be detected, the other means lying equally spaced in between.
class CSampleAnovaCalc : public CSampleCalc
{
public:
    /// The SD is not set yet (-1); three groups.
    CSampleAnovaCalc();
    ~CSampleAnovaCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;
    /// The detectable range of means; always true.
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override;

    /// Stores the expected SD of each group (> 0, otherwise the message is shown and
    /// CUserException thrown) and sets m_decimals from it.
    bool SetSD(double sd);
    /// Stores the number of groups, 3 to 20; any other count goes through ReportError and
    /// nothing is stored.
    bool SetGroupCount(int groups);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// Expected SD of each group; -1 until set.
    double m_sd;
    /// Number of groups k, 3 to 20.
    int m_groups;

protected:
    /// How the other means are assumed to lie between the largest and the smallest.
    void WriteBeforeSummary(CHtmlWriter& w) const override;

private:
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
};
