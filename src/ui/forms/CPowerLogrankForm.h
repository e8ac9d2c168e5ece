#pragma once

#include "ui/forms/CStepForm.h"

class CChoiceList;
class CNumberEdit;

/// Step 2, power of a completed comparison of two survival curves: the control group's
/// proportion of deaths at the last time point ("1057"), the total sample size of both groups
/// ("1044", digits only), the significance level and what to tabulate ("1031": proportion
/// difference or hazard ratio), beside which "Edit powers ..." sits on this form.
class CPowerLogrankForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerLogrankForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_proportion;
    CNumberEdit* m_n;
    CChoiceList* m_tabulate;
};
