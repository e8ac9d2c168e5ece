#pragma once

#include "ui/forms/CStepForm.h"

class CNumberEdit;

/// Step 2 of the power of a completed t test on one column of values (the one-sample test and
/// the paired test): the count ("1044", digits only), the SD ("1100") and the significance
/// level. The SD is stored before the count. The derived forms give the words.
class CPowerOneGroupForm : public CStepForm
{
    Q_OBJECT

public:
    /// The words of one form: its heading, the first step's label and the two field labels.
    struct SWords
    {
        const char* heading;
        const char* firstStep;
        const char* countLabel;
        const char* sdLabel;
    };

protected:
    CPowerOneGroupForm(unsigned int templateId, const SWords& words, QWidget* parent);

    void exchangeLoad() override;
    void exchangeSave() override;

private:
    CNumberEdit* m_n;
    CNumberEdit* m_sd;
};
