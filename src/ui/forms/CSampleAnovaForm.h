#pragma once

#include "ui/forms/CStepForm.h"

class CChoiceList;
class CNumberEdit;

/// Step 2, sample size for a one-way ANOVA: the number of groups ("1028", the items 3 to 20),
/// the expected SD ("1100") and one of the three ANOVA significance levels. The SD is stored
/// before the number of groups; after the load the SD field has the focus. Help topic
/// HelpTopic::DecideAnova.
class CSampleAnovaForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSampleAnovaForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CChoiceList* m_groups;
    CNumberEdit* m_sd;
};
