#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;
class QRadioButton;

/// Step 2, sample size for a paired t test. The SD is entered one of two ways: the SD
/// within groups ("1100") with the correlation r ("1025") under radio "1024", or the SD of
/// the differences ("1027") under radio "1026". Switching ways stores nothing; the save
/// stores the way chosen. Help topic HelpTopic::DecidePaired.
class CSamplePairedForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CSamplePairedForm(QWidget* parent = nullptr);

protected:
    void exchangeLoad() override;
    void exchangeSave() override;

private:
    /// Enables the fields of the chosen way, disables the other's and focuses its first.
    void showWay(bool useR);

    QRadioButton* m_withR;
    QRadioButton* m_differences;
    CNumberEdit* m_sd;
    CNumberEdit* m_r;
    CNumberEdit* m_sdDifferences;
};
