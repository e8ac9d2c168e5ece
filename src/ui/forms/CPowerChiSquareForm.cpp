#include "ui/forms/CPowerChiSquareForm.h"

#include "calc/CPowerChiSquareCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ContinuedText.h"
#include "ui/forms/ControlIds.h"
#include "ui/forms/ProportionTestList.h"

#include <QGridLayout>

#include <utility>

namespace {

const CStepForm::SFieldPairs kGroups = {
    {{0, "N:"}, {0, "Proportion \"success\":"}},
    {{"Group 1:", 1036, 1050}, {"Group 2:", 1038, 1051}},
};

} // namespace

CPowerChiSquareForm::CPowerChiSquareForm(QWidget* parent) : CStepForm(163, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of a chi-square test (compare two proportions)"));
    addLabel(1009, QStringLiteral("1. Experimental results"));
    const auto fields = addFieldPairs(kGroups);
    m_n1 = fields[0];
    m_p1 = fields[1];
    m_n2 = fields[2];
    m_p2 = fields[3];

    addSignificanceStep(1011, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);

    addLabel(1010, QStringLiteral("3. What do you wish to tabulate?"));
    addExplanation(
        1014,
        continuedText(QStringLiteral(
                          "You are comparing a control and treated group, and this calculator will "
                          "determine the power of your experiment to detect various treatment "
                          "effects. There are two ways to display the effect. The simplest "),
                      QStringLiteral(
                          "approach (recommended) is to tabulate the difference between the two "
                          "proportions. The alternative is to tabulate the relative risk (ratio of "
                          "proportions).")));
    QGridLayout* lists = addFieldGrid();
    m_tabulate = CChoiceList::addToGrid(this, lists, 0, 0, ControlId::TabulateList,
                                        QStringLiteral("Tabulate:"), false);
    m_tabulate->addChoice(QStringLiteral("Change"), 0);
    m_tabulate->addChoice(QStringLiteral("Relative risk"), 1);
    m_tabulate->addChoice(QStringLiteral("Risk reduction"), 2);
    m_test = addProportionTestList(this, lists, 1);

    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
}

void CPowerChiSquareForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerChiSquareCalc*>(calculator())) {
        m_n1->showValue(calc->m_n1);
        m_p1->showValue(calc->m_p1);
        m_n2->showValue(calc->m_n2);
        m_p2->showValue(calc->m_p2);
        m_tabulate->selectCode(calc->m_effectType);
        showStoredProportionTest(*m_test);
    }
}

void CPowerChiSquareForm::exchangeSave()
{
    auto* calc = dynamic_cast<CPowerChiSquareCalc*>(calculator());
    if (!calc)
        return;
    const double n1 = readField(m_n1);
    const double n2 = readField(m_n2);
    const double p1 = readField(m_p1);
    const double p2 = readField(m_p2);
    calc->SetGroups(n1, n2, p1, p2);
    int type = 0;
    if (m_tabulate->selectedCode(type))
        calc->SetEffectType(type);
    calc->SetTest(saveProportionTest(*m_test));
}

QWidget* CPowerChiSquareForm::refusedField() const
{
    // SetGroups checks N1, N2, P1, P2 in turn.
    auto* calc = dynamic_cast<CPowerChiSquareCalc*>(calculator());
    return calc ? firstNotStored({{m_n1, calc->m_n1},
                                  {m_n2, calc->m_n2},
                                  {m_p1, calc->m_p1},
                                  {m_p2, calc->m_p2}})
                : nullptr;
}
