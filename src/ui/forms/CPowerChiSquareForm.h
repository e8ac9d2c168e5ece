#pragma once

#include "ui/forms/CStepForm.h"

class CChoiceList;
class CNumberEdit;

/// Step 2, power of a completed chi-square test comparing two proportions: N and proportion
/// of successes of each group (group 1 "1036", "1050"; group 2 "1038", "1051"; the sizes take
/// digits only), the significance level, what to tabulate ("1031": change, relative risk
/// or risk reduction) and the test that was run ("1103", kept in the settings).
class CPowerChiSquareForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerChiSquareForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;
    /// The first of the four group fields whose value the calculator did not take.
    QWidget* refusedField() const override;

private:
    CNumberEdit* m_n1;
    CNumberEdit* m_p1;
    CNumberEdit* m_n2;
    CNumberEdit* m_p2;
    CChoiceList* m_tabulate;
    CChoiceList* m_test;
};
