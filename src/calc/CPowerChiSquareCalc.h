#pragma once

#include "calc/CPowerCalc.h"
#include "calc/CProportionPowerCache.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;

/// Power of a completed chi-square test comparing two proportions (goal 1, design 4): for
/// every power, the change in the proportion of successes that the experiment could detect,
/// centred on the mean of the two observed proportions.
class CPowerChiSquareCalc : public CPowerCalc
{
public:
    /// Sizes and proportions not entered yet (-1), type 0 (change), 4 decimals.
    CPowerChiSquareCalc();
    ~CPowerChiSquareCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The exact power of the written cell's treated proportion; NaN for sizes beyond the
    /// exact sums.
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;
    /// The detectable effect of the type; false (out 1.7e38) when a proportion of the
    /// effect would fall outside (0, 1).
    bool ComputeCell(int powerIndex, double* out) const override;
    /// The true proportions of groups 1 and 2 at the detectable effect of cell powerIndex,
    /// around the same centre and in the same order as the entered ones; false when the
    /// cell has no result.
    bool CellProportions(int powerIndex, double* p1, double* p2) const;
    std::optional<bool> RowComputedExactly(int nIndex) const override;

    /// Checks and stores, in this order, N1 and N2 (each at least 2, messages 61238 and
    /// 61239) and P1 and P2 (each strictly between 0 and 1). Each value is stored as soon as
    /// its own check passes; the first refusal goes through ReportError.
    bool SetGroups(double n1, double n2, double p1, double p2);
    /// Stores the type: 0 change, 1 relative risk, 2 risk reduction. Other codes are refused
    /// (false, nothing changed) without a message.
    bool SetEffectType(int type);
    /// Stores the test the scientist ran, whose exact power the exact method computes.
    void SetTest(ProportionTest test);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    double m_n1;
    double m_n2;
    double m_p1;
    double m_p2;
    /// 0 change, 1 relative risk, 2 risk reduction.
    int m_effectType;
    /// The test that was run (the uncorrected chi-square test unless set).
    ProportionTest m_test;

private:
    // The arcsine of the mean of the two proportions, the centre of the effect.
    double CentreAngle() const;
    // Half the detectable difference on the arcsine scale, by the written method.
    double WrittenHalfWidth(int powerIndex) const;
    // The same by the exact sums; pi / 2 (a failed cell) when no width reaches the power.
    double ExactHalfWidth(int powerIndex) const;
    // The half-width of cell powerIndex by the cell's method; pi / 2 for a failed cell.
    double CellHalfWidth(int powerIndex) const;
    // True when the exact method sums the binomial outcomes of these groups.
    bool Summed() const;
    // The effect of the type for the half-width b around the centre a; false (out 1.7e38)
    // when a proportion falls outside (0, 1).
    bool EffectAt(double a, double b, double* out) const;
    int TypeIndex() const;
    void FillTableLabels(CTableLabels& labels) const;
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
    // The exact power of the groups under the test.
    const CProportionPower& Test() const;

    CProportionPowerCache m_powerCache;
};
