#include "ui/forms/CSampleOneForm.h"

#include "calc/CSampleOneCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

CSampleOneForm::CSampleOneForm(QWidget* parent) : CStepForm(159, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size for a one-sample t test"));
    addLabel(1009, QStringLiteral("1. What standard deviation do you expect?"));
    addExplanation(1013, QStringLiteral("Sample size depends on the scatter among the data. "
                                        "You'll need more subjects if your data have a high "
                                        "SD. Enter the SD in same units as the data, based on "
                                        "pilot studies or previous data."));
    m_sd = addNumberField(addFieldGrid(), 0, 0, 1100, QStringLiteral("Estimated SD:"));
    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1014,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecideOneSample);
}

void CSampleOneForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CSampleOneCalc*>(calculator()))
        m_sd->showValue(calc->m_sd);
}

void CSampleOneForm::exchangeSave()
{
    if (auto* calc = dynamic_cast<CSampleOneCalc*>(calculator()))
        calc->SetSD(readField(m_sd));
}
