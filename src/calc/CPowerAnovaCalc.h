#pragma once

#include "calc/CPowerCalc.h"

#include <string>

class CHtmlWriter;
struct ExactCheck;
class CTableLabels;

/// Power of a completed one-way ANOVA (goal 1, design 2). From the degrees of freedom and
/// mean squares of the experiment's ANOVA table, tabulates for every power the range of group
/// means (largest minus smallest) that the experiment had that power to detect, the other
/// means lying equally spaced in between.
class CPowerAnovaCalc : public CPowerCalc
{
public:
    /// Degrees of freedom and mean squares not set yet (-1).
    CPowerAnovaCalc();
    ~CPowerAnovaCalc() override;

    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override;
    bool WriteTradeoffPage(CHtmlWriter& w) override;
    CCalculator* Clone() const override;
    void WriteExplanationPage(CHtmlWriter& w) override;
    std::string ExactMethodName() const override;
    std::string ApproximateMethodName() const override;
    double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const override;
    /// The detectable range of means; always true.
    bool ComputeCell(int powerIndex, double* out) const override;

    /// The setters below are called in this order. Each refuses a value that is not
    /// positive (or not finite) through ReportError, and stores an accepted one.
    /// Degrees of freedom of the treatment (groups), k - 1.
    bool SetDfTreatment(int df);
    /// Mean square of the groups; also sets m_decimals (see DecimalsSource).
    bool SetMsGroups(double ms);
    /// Degrees of freedom of the residual (error), N - k.
    bool SetDfResidual(int df);
    /// Mean square of the residual, the variance within groups; also sets m_decimals.
    bool SetMsResidual(double ms);
    /// The choices block: list form in step 4 (detailed), heading form in step 3.
    void WriteChoices(CHtmlWriter& w, bool detailed) const;

    /// The mean square that sets the decimals and the table formats: the one entered while the
    /// other is still unentered (negative), the smaller of the two once both are entered.
    double DecimalsSource() const;

    /// Degrees of freedom of the treatment; -1 until set.
    int m_dfTreatment;
    /// Degrees of freedom of the residual; -1 until set.
    int m_dfResidual;
    /// Mean square of the groups; -1 until set.
    double m_msGroups;
    /// Mean square of the residual; -1 until set.
    double m_msResidual;

private:
    bool SetDegreesOfFreedom(int df, int& field, const char* message);
    bool SetMeanSquare(double ms, double& field, const char* message);
    void FillLabels(CTableLabels& labels, const char* rowLabel) const;
    // The accuracy check of the selected cell on the step-4 page of the written method.
    ExactCheck MakeExactCheck() const override;
};
