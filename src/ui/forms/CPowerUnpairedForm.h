#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, power of a completed unpaired t test: N and SD of each group (group 1 "1036",
/// "1037"; group 2 "1038", "1039"; the sizes take digits only) and the significance level.
class CPowerUnpairedForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerUnpairedForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;
    /// The first of the four fields whose value the calculator did not take.
    QWidget* refusedField() const override;

private:
    CNumberEdit* m_n1;
    CNumberEdit* m_sd1;
    CNumberEdit* m_n2;
    CNumberEdit* m_sd2;
};
