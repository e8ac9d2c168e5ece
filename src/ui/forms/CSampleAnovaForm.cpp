#include "ui/forms/CSampleAnovaForm.h"

#include "calc/CSampleAnovaCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

namespace {

constexpr int FewestGroups = 3;
constexpr int MostGroups = 20;

} // namespace

CSampleAnovaForm::CSampleAnovaForm(QWidget* parent) : CStepForm(156, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size for completed one-way ANOVA"));
    addLabel(1009, QStringLiteral("1. How many groups?"));
    m_groups = CChoiceList::addToGrid(this, addFieldGrid(), 0, 0, 1028,
                                      QStringLiteral("Number of groups:"), false);
    for (int k = FewestGroups; k <= MostGroups; ++k)
        m_groups->addChoice(QString::asprintf("%d", k), k);

    addLabel(1010, QStringLiteral("2. What standard deviation do you expect?"));
    addExplanation(1013,
                   QStringLiteral("Sample size depends on the scatter among the data. You'll need "
                                  "more subjects if your data have a high SD. Enter the SD in the "
                                  "same units as the data, based on pilot studies or previous "
                                  "data. If you expect different SDs in the groups, enter the "
                                  "average."));
    m_sd = addNumberField(addFieldGrid(), 0, 0, 1100, QStringLiteral("Estimated SD:"));

    addSignificanceStep(1011, QStringLiteral("3. Choose a significance level"), 1014,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    setSignificanceTable(AnovaSignificance);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecideAnova);
}

void CSampleAnovaForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CSampleAnovaCalc*>(calculator())) {
        m_groups->selectCode(calc->m_groups);
        m_sd->showValue(calc->m_sd);
    }
    m_sd->setFocus(Qt::OtherFocusReason);
}

void CSampleAnovaForm::exchangeSave()
{
    auto* calc = dynamic_cast<CSampleAnovaCalc*>(calculator());
    if (!calc)
        return;
    calc->SetSD(readField(m_sd));
    int groups = 0;
    if (m_groups->selectedCode(groups))
        calc->SetGroupCount(groups);
}
