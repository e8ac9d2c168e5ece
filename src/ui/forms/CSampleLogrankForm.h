#pragma once

#include "ui/forms/CStepForm.h"

class CChoiceList;
class CNumberEdit;

/// Step 2, sample size to compare two survival curves: the control group's surviving
/// (event-free) fraction ("1057"), what to tabulate ("1031", sorted: increase in proportion,
/// hazard ratio or its reciprocal) and the significance level. Help topic
/// HelpTopic::DecideSurvival.
class CSampleLogrankForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSampleLogrankForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_proportion;
    CChoiceList* m_tabulate;
};
