#include "ui/forms/CSampleUnpairedForm.h"

#include "calc/CSampleUnpairedCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

CSampleUnpairedForm::CSampleUnpairedForm(QWidget* parent) : CStepForm(154, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size for unpaired t test"));
    addLabel(1009, QStringLiteral("1. What standard deviation do you expect?"));
    addExplanation(
        1013, QStringLiteral("Sample size depends on the scatter among the data. You'll need more "
                             "subjects if your data have a high SD. Enter the SD in the same "
                             "units as the data based on pilot studies or previous data. If you "
                             "expect different SDs in the two groups, enter the average."));
    m_sd =
        addNumberField(addFieldGrid(), 0, 0, 1100, QStringLiteral("Estimated SD of the groups:"));
    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1014,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecideUnpaired);
}

void CSampleUnpairedForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CSampleUnpairedCalc*>(calculator()))
        m_sd->showValue(calc->m_sd);
}

void CSampleUnpairedForm::exchangeSave()
{
    if (auto* calc = dynamic_cast<CSampleUnpairedCalc*>(calculator()))
        calc->SetSD(readField(m_sd));
}
