#pragma once

#include "calc/CPowerCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;
struct TCell;

/// Power of a completed t test on one column of m_n values: the one-sample test of a group
/// against a hypothetical mean and the paired test of the differences within pairs are the
/// same computation. Tabulates the difference the experiment had each power to detect; the
/// derived classes give the words of their pages.
class CPowerOneGroupTCalc : public CPowerCalc
{
public:
    /// The texts that tell the one-sample and the paired pages apart.
    struct SWords
    {
        /// The test's name in the choices block, as "paired".
        const char* testName;
        /// The labels of the count and of the SD in the choices block.
        const char* countLabel;
        const char* sdLabel;
        /// What is counted, after the count in the accuracy check, as "pairs".
        const char* countUnit;
        /// Titles of the step-3 and the step-4 page.
        const char* tradeoffTitle;
        const char* explanationTitle;
        /// The effect the step-3 page asks the user to choose, and the one step 4 explains.
        const char* tradeoffEffect;
        const char* effectName;
    };

    ~CPowerOneGroupTCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable difference; false for a power at or below the level.
    bool ComputeCell(int powerIndex, double* out) const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;

    /// Stores the SD (> 0, otherwise the message is shown and CUserException thrown) and
    /// sets m_decimals from it.
    bool SetSD(double sd);
    /// Stores the count (of values or of pairs); it must be at least 2, otherwise message 61237
    /// through ReportError.
    bool SetCount(double n);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// SD of the values (of the differences for pairs); -1 until set.
    double m_sd;
    /// Number of values (of pairs); -1 until set.
    double m_n;

protected:
    /// A calculator of kind with SD and count not set yet (-1); words must outlive the
    /// calculator.
    CPowerOneGroupTCalc(const CalculatorKind& kind, const SWords& words);
    /// Copies the SD, the count and the core of source, for Clone.
    void CopyOneGroupFrom(const CPowerOneGroupTCalc& source);

private:
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    // The t test behind the cell of powerIndex.
    TCell CellOf(int powerIndex) const;

    const SWords& m_words;
};
