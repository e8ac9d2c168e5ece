#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2, power of a completed paired t test: the number of pairs ("1044", digits only), the SD of
/// the differences ("1100") and the significance level. The SD is stored before the size.
class CPowerPairedForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CPowerPairedForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_n;
    CNumberEdit* m_sd;
};
