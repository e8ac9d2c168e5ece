#include "ui/forms/CPowerLogrankForm.h"

#include "calc/CPowerLogrankCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ContinuedText.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CPowerLogrankForm::CPowerLogrankForm(QWidget* parent) : CStepForm(165, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of survival analysis"));
    addLabel(1009, QStringLiteral("1. Define your experiment"));
    addExplanation(1013, QStringLiteral("Survival analysis is used to analyze studies where you "
                                        "have tabulated the time it takes until a one-time event "
                                        "occurs. This event is often death, which is why it is "
                                        "called \"survival\" analysis, but you can track time "
                                        "until any event."));
    QGridLayout* experiment = addFieldGrid();
    m_proportion = addNumberField(
        experiment, 0, 0, 1057,
        QStringLiteral("Proportion \"death\" in controls (Pc) at the last time point:"));
    m_n = addNumberField(experiment, 1, 0, 1044, QStringLiteral("Sample size:"), true);
    experiment->addWidget(
        new QLabel(QStringLiteral("Enter TOTAL sample size. Sum the two groups."), this), 1, 2);

    // On this form "Edit powers ..." belongs to the tabulate step, not beside "Alpha:".
    addLabel(1010, QStringLiteral("2. Choose a significance level"));
    addExplanation(1014, QString::fromLatin1(PowerAlphaText));
    CChoiceList::addToGrid(this, addFieldGrid(), 0, 0, ControlId::AlphaList,
                           QStringLiteral("Alpha:"), false);
    setSignificanceTable(DefaultSignificance);

    addLabel(1011, QStringLiteral("3. What do you wish to tabulate?"));
    addExplanation(
        1015,
        continuedText(
            QStringLiteral(
                "You are comparing a control and treated group, and this calculator will "
                "tabulate the power to detect various treatment effects. There are two "
                "ways to display the effect. The simplest approach (recommended) is "),
            QStringLiteral("to tabulate the difference in the proportion of subjects who died. The "
                           "alternative is to tabulate the hazard ratio, the ratio of the rates at "
                           "which  the event occurs in the two groups.")));
    QGridLayout* tabulate = addFieldGrid();
    m_tabulate = CChoiceList::addToGrid(this, tabulate, 0, 0, ControlId::TabulateList,
                                        QStringLiteral("Tabulate:"), false);
    m_tabulate->addChoice(QStringLiteral("Proportion difference (Pt-Pc)"), 1);
    m_tabulate->addChoice(QStringLiteral("Hazard ratio (Pt/Pc)"), 2);
    tabulate->addWidget(addCommandButton(ControlId::EditPowers, QStringLiteral("Edit powers ...")),
                        0, 2);

    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
}

void CPowerLogrankForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerLogrankCalc*>(calculator())) {
        m_proportion->showValue(calc->m_pControl);
        m_n->showValue(calc->m_n);
        m_tabulate->selectCode(calc->m_effectType);
    }
}

void CPowerLogrankForm::exchangeSave()
{
    auto* calc = dynamic_cast<CPowerLogrankCalc*>(calculator());
    if (!calc)
        return;
    calc->SetProportion(readField(m_proportion));
    calc->SetSampleSize(readField(m_n));
    int type = 0;
    if (m_tabulate->selectedCode(type))
        calc->SetEffectType(type);
}
