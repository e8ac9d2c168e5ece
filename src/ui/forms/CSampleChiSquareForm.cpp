#include "ui/forms/CSampleChiSquareForm.h"

#include "calc/CSampleChiSquareCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ContinuedText.h"
#include "ui/forms/ControlIds.h"
#include "ui/forms/ProportionTestList.h"

#include <QGridLayout>
#include <QLabel>

CSampleChiSquareForm::CSampleChiSquareForm(QWidget* parent) : CStepForm(158, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size for a chi-square test (compare two "
                                  "proportions)"));
    addLabel(1009, QStringLiteral("1. What do you expect to find?"));
    addExplanation(
        1013,
        continuedText(
            QStringLiteral(
                "You will be comparing two groups, which we will call \"control\" and "
                "\"treated\". There are two possible outcomes, which we call \"success\" "
                "and \"failure\". You'll need the most subjects when the proportion "
                "success in the control"),
            QStringLiteral("group is near 0.50. Therefore you need to estimate (based on pilot "
                           "studies or previous data) the proportion of the control subjects whose "
                           "outcome you expect to be \"success\".")));
    m_proportion = addNumberField(addFieldGrid(), 0, 0, 1057,
                                  QStringLiteral("Proportion \"success\" in the control group:"));
    addExplanation(1015, QStringLiteral("The number of subjects required also depends on whether "
                                        "you expect the treated group to have a higher or lower "
                                        "proportion success than the control group."));
    // The direction list stands inside its sentence.
    QGridLayout* sentence = addFieldGrid();
    m_direction = CChoiceList::addToGrid(this, sentence, 0, 0, 1033,
                                         QStringLiteral("The treated group will have a "), true);
    sentence->addWidget(
        new QLabel(QStringLiteral("proportion \"success\" than the control group."), this), 0, 2);
    m_direction->addChoice(QStringLiteral("lower"), 0);
    m_direction->addChoice(QStringLiteral("higher"), 1);

    addLabel(1010, QStringLiteral("2. What do you want to tabulate?"));
    addExplanation(
        1016,
        continuedText(QStringLiteral(
                          "You are comparing a control and treated group, and this calculator will "
                          "tabulate the treatment effect for various combinations of power and "
                          "sample size. There are two ways to display the effect, as the "
                          "difference between proportion success in the "),
                      QStringLiteral("two groups, or as the ratio.")));
    QGridLayout* lists = addFieldGrid();
    m_tabulate = CChoiceList::addToGrid(this, lists, 0, 0, ControlId::TabulateList,
                                        QStringLiteral("Tabulate:"), true);
    m_tabulate->addChoice(QStringLiteral("difference"), 1);
    m_tabulate->addChoice(QStringLiteral("ratio"), 2);
    m_test = addProportionTestList(this, lists, 1);

    addSignificanceStep(1011, QStringLiteral("3. Choose a significance level"), 1018,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecideProportions);
}

void CSampleChiSquareForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CSampleChiSquareCalc*>(calculator())) {
        m_proportion->showValue(calc->m_pControl);
        m_direction->selectCode(calc->IsHigher());
        m_tabulate->selectCode(calc->GetTabulate());
        showStoredProportionTest(*m_test);
    }
}

void CSampleChiSquareForm::exchangeSave()
{
    auto* calc = dynamic_cast<CSampleChiSquareCalc*>(calculator());
    if (!calc)
        return;
    calc->SetProportion(readField(m_proportion));
    int direction = 0;
    int tabulate = 0;
    if (m_direction->selectedCode(direction) && m_tabulate->selectedCode(tabulate))
        calc->SetEffectKind(direction, tabulate);
    calc->SetTest(saveProportionTest(*m_test));
}
