#pragma once

#include "ui/forms/CStepForm.h"

class CChoiceList;
class CNumberEdit;

/// Step 2, sample size for a chi-square test comparing two proportions: the control group's
/// proportion of successes ("1057"), whether the treated group will be higher or lower
/// ("1033", sorted), whether to tabulate the difference or the ratio ("1031", sorted), the
/// test to be run ("1103", kept in the settings) and the significance level. The calculator keeps
/// the two answers as one effect kind, stored in one call when both lists have a selection. Help
/// topic HelpTopic::DecideProportions.
class CSampleChiSquareForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSampleChiSquareForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_proportion;
    CChoiceList* m_direction;
    CChoiceList* m_tabulate;
    CChoiceList* m_test;
};
