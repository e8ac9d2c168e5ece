#pragma once

#include "calc/CPowerCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;

/// Power of a completed paired t test over m_n pairs (goal 1, design 1).
/// Tabulates the difference the experiment had each power to detect.
class CPowerPairedCalc : public CPowerCalc
{
public:
    /// SD and size not set yet (-1).
    CPowerPairedCalc();
    ~CPowerPairedCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    bool IsKind(int goal, int design) const override;
    unsigned int GetTitleId() const override;
    unsigned int GetExplanationTitleId() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    /// The detectable difference; always true.
    bool ComputeCell(int powerIndex, double* out) const override;

    /// Stores the SD (> 0, otherwise the message is shown and CUserException thrown) and
    /// sets m_decimals from it.
    bool SetSD(double sd);
    /// Stores the number of pairs; it must be greater than 0, otherwise message 61240
    /// through ReportError.
    bool SetPairs(double n);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// SD of the differences; -1 until set.
    double m_sd;
    /// Number of pairs; -1 until set.
    double m_n;

private:
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const;
};
