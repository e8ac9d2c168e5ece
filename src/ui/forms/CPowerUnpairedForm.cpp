#include "ui/forms/CPowerUnpairedForm.h"

#include "calc/CPowerUnpairedCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <utility>

namespace {

// The column heads are named and in the heading font on this form only.
const CStepForm::SFieldPairs kGroups = {
    {{1010, "N:"}, {1011, "SD:"}},
    {{"Group 1:", 1036, 1037}, {"Group 2:", 1038, 1039}},
};

} // namespace

CPowerUnpairedForm::CPowerUnpairedForm(QWidget* parent) : CStepForm(160, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power of an unpaired t test"));
    addLabel(1009, QStringLiteral("1. Enter sample sizes and SDs"));
    const auto fields = addFieldPairs(kGroups);
    m_n1 = fields[0];
    m_sd1 = fields[1];
    m_n2 = fields[2];
    m_sd2 = fields[3];
    addSignificanceStep(1012, QStringLiteral("2. Choose a significance level"), 1013,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
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
