#pragma once

#include "calc/CProportionPowerCache.h"
#include "calc/CSampleCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;

/// Sample size for comparing two proportions with a chi-square test (goal 0, design 4):
/// for every N per group and power, the smallest effect on the treated group's proportion of
/// successes, from the expected proportion of the control group.
class CSampleChiSquareCalc : public CSampleCalc
{
public:
    /// Control proportion 0.5, kind 1 (increase).
    CSampleChiSquareCalc();
    ~CSampleChiSquareCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The exact power of the written cell's treated proportion; NaN for sizes beyond the
    /// exact sums.
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;
    /// The detectable effect of the kind; false (out 1.7e38) when the treated proportion
    /// would fall outside (0, 1).
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override;
    /// In the exact method 201: below it the cells go up and down with N in steps that
    /// matter, and a direct answer checks every N.
    int MonotoneFromN() const override;
    std::optional<bool> RowComputedExactly(int nIndex) const override;

    /// Stores the control group's expected proportion of successes; it must lie strictly
    /// between 0 and 1, otherwise the message goes through ReportError.
    bool SetProportion(double p);
    /// Stores the kind from direction (1 treated higher, 0 lower) and tabulate (1 difference,
    /// 2 ratio). Other codes are refused (false, nothing changed) without a message.
    bool SetEffectKind(int direction, int tabulate);
    /// 1 when the treated group is expected higher (kinds 1 and 3), 0 when lower.
    int IsHigher() const;
    /// 1 when a difference is tabulated (kinds 1 and 2), 2 for a ratio (kinds 3 and 4).
    int GetTabulate() const;
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;
    /// Stores the test the scientist will run, whose exact power the exact method computes.
    void SetTest(ProportionTest test);

    /// Expected proportion of successes in the control group.
    double m_pControl;
    /// 1 increase, 2 decrease, 3 relative risk, 4 risk reduction.
    int m_effectKind;
    /// The test to be run (the uncorrected chi-square test unless set).
    ProportionTest m_test;

private:
    // The treated proportion of a cell by the arcsine method; NaN outside (0, 1).
    double WrittenTreated(int powerIndex, int nIndex) const;
    // The treated proportion of a cell by the exact sums; NaN when none reaches the power.
    double ExactTreated(int powerIndex, int nIndex) const;
    // True when the exact method sums the binomial outcomes of row nIndex.
    bool Summed(int nIndex) const;
    // The effect of the kind for the treated proportion.
    double EffectOf(double pTreated) const;
    int KindIndex() const;
    void FillTableLabels(CTableLabels& labels) const;
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    // In the exact method: the test's actual level at the control proportion, row by row.
    void WriteActualLevels(CHtmlWriter& w) const;

    CProportionPowerCache m_powerCache;
};
