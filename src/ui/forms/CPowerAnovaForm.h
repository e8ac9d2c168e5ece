#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, power of a completed one-way ANOVA: the degrees of freedom and mean squares of
/// the treatment ("1046", "1045") and of the residual ("1047", "1101") from the experiment's
/// ANOVA table, and one of the three ANOVA significance levels. The degrees of freedom take
/// digits only and are truncated to integers; the values are stored row by row, DF first.
class CPowerAnovaForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerAnovaForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    /// The field read as a whole number, truncated toward zero. A number too large for an
    /// int gives the lowest int, which the setters refuse as not positive, so no other
    /// number than the one typed is ever stored.
    int readDegreesOfFreedom(CNumberEdit* field);

    CNumberEdit* m_dfTreatment;
    CNumberEdit* m_msGroups;
    CNumberEdit* m_dfResidual;
    CNumberEdit* m_msResidual;
};
