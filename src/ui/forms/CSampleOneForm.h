#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, sample size for a one-sample t test: the estimated SD ("1100") and the
/// significance level. Help topic HelpTopic::DecideOneSample.
class CSampleOneForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSampleOneForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_sd;
};
