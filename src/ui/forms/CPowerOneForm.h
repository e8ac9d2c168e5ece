#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, power of a completed one-sample t test: N ("1044", digits only), the SD ("1100") and the
/// significance level. The SD is stored before the size.
class CPowerOneForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerOneForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_n;
    CNumberEdit* m_sd;
};
