#pragma once

#include "calc/CSampleCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;
struct TCell;

/// Sample size of a paired t test: N pairs (goal 0, design 1). Tabulates the difference
/// between means detectable for every N and power.
class CSamplePairedCalc : public CSampleCalc
{
public:
    /// SD and r not set yet (-1), the SD read as the SD of each group.
    CSamplePairedCalc();
    ~CSamplePairedCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable difference; false for a power at or below the level.
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;

    /// Stores the SD (> 0, otherwise the message is shown and CUserException thrown) and
    /// sets m_decimals from it.
    bool SetSD(double sd);
    /// Stores the correlation among pairs; r must lie strictly between 0 and 1, otherwise
    /// it is refused through ReportError.
    bool SetR(double r);
    /// The "Your choices" block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// SD of each group when m_useR, otherwise SD of the after-before differences; -1 until
    /// set.
    double m_sd;
    /// Correlation among pairs; -1 until set.
    double m_r;
    /// True when the user gives the SD of each group and r.
    bool m_useR;

    /// The SD of the after-before differences: from each group's SD and r, or as entered.
    double DifferencesSd() const;

private:
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    double IntervalShare(double halfWidth) const override;
    // The t test behind cell (powerIndex, nIndex).
    TCell CellOf(int powerIndex, int nIndex) const;
};
