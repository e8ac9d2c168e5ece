#pragma once

#include "calc/CSampleCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;
struct TCell;

/// Sample size of a one-sample t test: one group against a hypothetical mean (goal 0,
/// design 5).
/// Tabulates the difference between the group mean and the hypothetical mean detectable for
/// every N and power.
class CSampleOneCalc : public CSampleCalc
{
public:
    /// The SD is not set yet (-1).
    CSampleOneCalc();
    ~CSampleOneCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable difference; false for a power at or below the level.
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;

    /// Stores the expected SD (> 0, otherwise the message is shown and CUserException
    /// thrown) and sets m_decimals from it.
    bool SetSD(double sd);
    /// The "Your choices" block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// Expected SD; -1 until set.
    double m_sd;

private:
    static const ExplanationWording OneGroupWording;
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    double IntervalShare(double halfWidth) const override;
    // The t test behind cell (powerIndex, nIndex).
    TCell CellOf(int powerIndex, int nIndex) const;
};
