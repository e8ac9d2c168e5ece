#pragma once

#include "calc/CPowerCalc.h"

#include <string>

class CHtmlWriter;
class CTableLabels;

/// Power of a completed comparison of two survival curves with the logrank test (goal 1,
/// design 3): for every power, the treatment effect that the experiment of m_n subjects in
/// all, split into two equal groups, could detect.
class CPowerLogrankCalc : public CPowerCalc
{
public:
    /// Proportion and size not entered yet (-1), type 1 (survival difference), 3 decimals.
    CPowerLogrankCalc();
    ~CPowerLogrankCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable effect of the type; false when the hazard ratio would have to be below
    /// 0.001.
    bool ComputeCell(int powerIndex, double* out) const override;

    /// Stores the control proportion Pc; it must lie strictly between 0 and 1, otherwise the
    /// message goes through ReportError.
    bool SetProportion(double p);
    /// Stores the total sample size of both groups; it must be at least 2 (and finite),
    /// otherwise message 61237 through ReportError.
    bool SetSampleSize(double n);
    /// Stores the type: 1 survival difference, 2 hazard ratio. Other codes are refused (false,
    /// nothing changed) without a message.
    bool SetEffectType(int type);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// Control proportion Pc; -1 until entered.
    double m_pControl;
    /// Total sample size N of both groups; -1 until entered.
    double m_n;
    /// 1 survival difference, 2 hazard ratio.
    int m_effectType;

private:
    int TypeIndex() const;
    void FillTableLabels(CTableLabels& labels) const;
};
