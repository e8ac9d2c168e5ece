#include "ui/forms/CPowerOneForm.h"

#include "calc/CPowerOneCalc.h"
#include "ui/app/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>

CPowerOneForm::CPowerOneForm(QWidget* parent) : CStepForm(164, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of a one-sample t test"));
    addLabel(1009, QStringLiteral("1. Enter sample size and SD"));
    QGridLayout* grid = addFieldGrid();
    m_n = addNumberField(grid, 0, 0, 1044, QStringLiteral("N:"), true);
    m_sd = addNumberField(grid, 1, 0, 1100, QStringLiteral("SD:"));
    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    addBottomButtons(QStringLiteral("Calculate"), 0);
    applyFonts({1008, 1009, 1010}, {1013});
}

void CPowerOneForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerOneCalc*>(calculator())) {
        m_n->showValue(calc->m_n);
        m_sd->showValue(calc->m_sd);
    }
}

void CPowerOneForm::exchangeSave()
{
    if (auto* calc = dynamic_cast<CPowerOneCalc*>(calculator())) {
        calc->SetSD(readField(m_sd));
        calc->SetSampleSize(readField(m_n));
    }
}
