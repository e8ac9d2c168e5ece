#include "ui/forms/CPowerUnpairedForm.h"

#include "calc/CPowerUnpairedCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>
#include <QLabel>

#include <utility>

CPowerUnpairedForm::CPowerUnpairedForm(QWidget* parent) : CStepForm(160, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of an unpaired t test"));
    addLabel(1009, QStringLiteral("1. Enter sample sizes and SDs"));
    QGridLayout* grid = addFieldGrid();
    auto* nHead = new QLabel(QStringLiteral("N:"), this);
    nHead->setObjectName(QStringLiteral("1010"));
    auto* sdHead = new QLabel(QStringLiteral("SD:"), this);
    sdHead->setObjectName(QStringLiteral("1011"));
    grid->addWidget(nHead, 0, 1);
    grid->addWidget(sdHead, 0, 2);
    m_n1 = addNumberField(grid, 1, 0, 1036, QStringLiteral("Group 1:"), true);
    m_sd1 = addNumberField(grid, 1, 1, 1037, QString());
    m_n2 = addNumberField(grid, 2, 0, 1038, QStringLiteral("Group 2:"), true);
    m_sd2 = addNumberField(grid, 2, 1, 1039, QString());
    addSignificanceStep(1012, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
    applyFonts({1008, 1009, 1010, 1011, 1012}, {1013});
}

void CPowerUnpairedForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerUnpairedCalc*>(calculator())) {
        m_n1->showValue(calc->m_n1);
        m_sd1->showValue(calc->m_sd1);
        m_n2->showValue(calc->m_n2);
        m_sd2->showValue(calc->m_sd2);
    }
}

void CPowerUnpairedForm::exchangeSave()
{
    auto* calc = dynamic_cast<CPowerUnpairedCalc*>(calculator());
    if (!calc)
        return;
    const double n1 = readField(m_n1);
    const double n2 = readField(m_n2);
    const double sd1 = readField(m_sd1);
    const double sd2 = readField(m_sd2);
    calc->SetGroups(n1, n2, sd1, sd2);
}

QWidget* CPowerUnpairedForm::refusedField() const
{
    // SetGroups checks N1, N2, SD1, SD2 in turn.
    auto* calc = dynamic_cast<CPowerUnpairedCalc*>(calculator());
    return calc ? firstNotStored({{m_n1, calc->m_n1},
                                  {m_n2, calc->m_n2},
                                  {m_sd1, calc->m_sd1},
                                  {m_sd2, calc->m_sd2}})
                : nullptr;
}
