#include "ui/forms/CPowerOneGroupForm.h"

#include "calc/CPowerOneGroupTCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>

CPowerOneGroupForm::CPowerOneGroupForm(unsigned int templateId, const SWords& words,
                                       QWidget* parent)
    : CStepForm(templateId, ID_STEP_3, parent)
{
    addLabel(1008, QString::fromLatin1(words.heading));
    addLabel(1009, QString::fromLatin1(words.firstStep));
    QGridLayout* grid = addFieldGrid();
    m_n = addNumberField(grid, 0, 0, 1044, QString::fromLatin1(words.countLabel), true);
    m_sd = addNumberField(grid, 1, 0, 1100, QString::fromLatin1(words.sdLabel));
    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
}

void CPowerOneGroupForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerOneGroupTCalc*>(calculator())) {
        m_n->showValue(calc->m_n);
        m_sd->showValue(calc->m_sd);
    }
}

void CPowerOneGroupForm::exchangeSave()
{
    if (auto* calc = dynamic_cast<CPowerOneGroupTCalc*>(calculator())) {
        calc->SetSD(readField(m_sd));
        calc->SetCount(readField(m_n));
    }
}
