#pragma once

#include "calc/CSampleCalc.h"

#include <string>

class CHtmlWriter;
class CTableLabels;

/// Sample size for comparing two survival curves with the logrank test under proportional
/// hazards (goal 0, design 3): for every N per group and power, the smallest treatment
/// effect, from the control group's expected event-free proportion at the end of the study.
class CSampleLogrankCalc : public CSampleCalc
{
public:
    /// Control proportion 0.5, kind 1 (increase in survival proportion), 3 decimals.
    CSampleLogrankCalc();
    ~CSampleLogrankCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    /// The detectable effect of the kind; false when the hazard ratio would have to be below
    /// 0.001 (out is then the increase at 0.001, 0 or 1.7e38 by kind).
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override;

    /// Stores the control group's event-free proportion; it must lie strictly between 0 and
    /// 1, otherwise the message goes through ReportError.
    bool SetProportion(double p);
    /// Stores the kind: 1 increase in proportion, 2 hazard ratio, 3 hazard ratio (larger is
    /// worse). Other codes are refused (false, nothing changed) without a message.
    bool SetEffectKind(int kind);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// Expected event-free (surviving) proportion S of the control group.
    double m_pControl;
    /// 1 increase in survival proportion, 2 hazard ratio, 3 its reciprocal.
    int m_effectKind;

private:
    int KindIndex() const;
    void FillTableLabels(CTableLabels& labels) const;
};
