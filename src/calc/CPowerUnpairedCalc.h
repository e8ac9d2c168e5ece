#pragma once

#include "calc/CPowerCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;
struct TCell;

/// Power of a completed unpaired t test of two independent groups (goal 1, design 0).
/// Tabulates the difference the experiment had each power to detect, from the harmonic
/// group size and the pooled SD.
class CPowerUnpairedCalc : public CPowerCalc
{
public:
    /// Sizes and SDs not set yet (-1), pooled SD 0.
    CPowerUnpairedCalc();
    ~CPowerUnpairedCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable difference; false for a power at or below the level.
    bool ComputeCell(int powerIndex, double* out) const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;

    /// Checks and stores, in this order, n1 >= 2 (message 61238), n2 >= 2 (61239), sd1 > 0
    /// and sd2 > 0; each value is stored as soon as its own check passes, and a refusal goes
    /// through ReportError. Then stores the pooled SD and sets m_decimals from it.
    bool SetGroups(double n1, double n2, double sd1, double sd2);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// Size of group 1; -1 until set.
    double m_n1;
    /// Size of group 2; -1 until set.
    double m_n2;
    /// SD of group 1; -1 until set.
    double m_sd1;
    /// SD of group 2; -1 until set.
    double m_sd2;
    /// sqrt((sd1^2 (n1 - 1) + sd2^2 (n2 - 1)) / (n1 + n2 - 2)); 0 until the groups are set.
    double m_pooledSd;

private:
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    // The t test behind the cell of powerIndex.
    TCell CellOf(int powerIndex) const;
};
