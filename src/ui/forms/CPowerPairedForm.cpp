#include "ui/forms/CPowerPairedForm.h"

#include "calc/CPowerPairedCalc.h"
#include "ui/app/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>

CPowerPairedForm::CPowerPairedForm(QWidget* parent) : CStepForm(161, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of a paired sample t test"));
    addLabel(1009, QStringLiteral("1. Enter sample sizes and SD"));
    QGridLayout* grid = addFieldGrid();
    m_n = addNumberField(grid, 0, 0, 1044, QStringLiteral("Number of pairs:"), true);
    m_sd = addNumberField(grid, 1, 0, 1100, QStringLiteral("SD of the differences:"));
    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    addBottomButtons(QStringLiteral("Calculate"), 0);
    applyFonts({1008, 1009, 1010}, {1013});
}

void CPowerPairedForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerPairedCalc*>(calculator())) {
        m_n->showValue(calc->m_n);
        m_sd->showValue(calc->m_sd);
    }
}

void CPowerPairedForm::exchangeSave()
{
    if (auto* calc = dynamic_cast<CPowerPairedCalc*>(calculator())) {
        calc->SetSD(readField(m_sd));
        calc->SetPairs(readField(m_n));
    }
}
