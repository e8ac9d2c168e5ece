#include "ui/forms/CSampleLogrankForm.h"

#include "calc/CSampleLogrankCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ContinuedText.h"
#include "ui/forms/ControlIds.h"

CSampleLogrankForm::CSampleLogrankForm(QWidget* parent) : CStepForm(157, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size to compare two survival curves"));
    addLabel(1009, QStringLiteral("1. Estimate the proportion"));
    addExplanation(
        1013,
        continuedText(
            QStringLiteral(
                "Survival analysis is used to analyze studies that compare the time until "
                "a one-time event occurs. This event is often death, which explains the "
                "name \"survival analysis\". Sample size depends on the proportion of "
                "subjects"),
            QStringLiteral("who will be event-free at the end of the study. For the group (usually "
                           "control) for which you think the event will occur more rapidly, "
                           "estimate the proportion of subjects who will be event-free (will still "
                           "be alive) at the end of the study.")));
    m_proportion = addNumberField(addFieldGrid(), 0, 0, 1057,
                                  QStringLiteral("Fraction of surviving (event-free) subjects:"));

    addLabel(1010, QStringLiteral("2. What do you wish to tabulate?"));
    addExplanation(
        1015,
        continuedText(
            QStringLiteral(
                "You are comparing a control and treated group, and this calculator will "
                "tabulate the treatment effect for various combinations of power and "
                "sample size. There are two ways to display the effect. The simplest "
                "approach"),
            QStringLiteral("(recommended) is to tabulate the increase in survival proportion. The "
                           "alternative is to tabulate the hazard ratio, the ratio of the rates at "
                           "which the event occurs in the two groups.")));
    m_tabulate = CChoiceList::addToGrid(this, addFieldGrid(), 0, 0, ControlId::TabulateList,
                                        QStringLiteral("Tabulate:"), true);
    m_tabulate->addChoice(QStringLiteral("Increase in proportion (recommended)"), 1);
    m_tabulate->addChoice(QStringLiteral("Hazard ratio"), 2);
    m_tabulate->addChoice(QStringLiteral("Hazard ratio (larger is worse)"), 3);

    addSignificanceStep(1011, QStringLiteral("3. Choose a significance level"), 1017,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecideSurvival);
}

void CSampleLogrankForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CSampleLogrankCalc*>(calculator())) {
        m_proportion->showValue(calc->m_pControl);
        m_tabulate->selectCode(calc->m_effectKind);
    }
}

void CSampleLogrankForm::exchangeSave()
{
    auto* calc = dynamic_cast<CSampleLogrankCalc*>(calculator());
    if (!calc)
        return;
    calc->SetProportion(readField(m_proportion));
    int kind = 0;
    if (m_tabulate->selectedCode(kind))
        calc->SetEffectKind(kind);
}
