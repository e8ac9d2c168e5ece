#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, sample size for an unpaired t test: the expected SD of the groups ("1100") and
/// the significance level. Help topic HelpTopic::DecideUnpaired.
class CSampleUnpairedForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSampleUnpairedForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_sd;
};
