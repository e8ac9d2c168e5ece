#include "ui/forms/CPowerAnovaForm.h"

#include "calc/CPowerAnovaCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <climits>

namespace {

const CStepForm::SFieldPairs kAnovaTable = {
    {{0, "DF:"}, {0, "MS:"}},
    {{"Treatment (groups):", 1046, 1045}, {"Residual (error):", 1047, 1101}},
};

} // namespace

CPowerAnovaForm::CPowerAnovaForm(QWidget* parent) : CStepForm(162, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power for completed one-way ANOVA"));
    addLabel(1009, QStringLiteral("1. Enter results from ANOVA table"));
    addExplanation(1013,
                   QStringLiteral("From the ANOVA table, enter the degrees of freedom and mean "
                                  "square values for treatment (also called mean square for "
                                  "groups). Also enter the degrees of freedom and mean square "
                                  "value of the residuals, also called the mean square error."));
    const auto fields = addFieldPairs(kAnovaTable);
    m_dfTreatment = fields[0];
    m_msGroups = fields[1];
    m_dfResidual = fields[2];
    m_msResidual = fields[3];

    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1014,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    setSignificanceTable(AnovaSignificance);
    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
}

int CPowerAnovaForm::readDegreesOfFreedom(CNumberEdit* field)
{
    const double value = readField(field);
    if (!(value > INT_MIN - 1.0 && value < INT_MAX + 1.0))
        return INT_MIN;
    return static_cast<int>(value);
}

void CPowerAnovaForm::exchangeLoad()
{
    if (auto* calc = dynamic_cast<CPowerAnovaCalc*>(calculator())) {
        m_dfTreatment->showValue(calc->m_dfTreatment);
        m_msGroups->showValue(calc->m_msGroups);
        m_dfResidual->showValue(calc->m_dfResidual);
        m_msResidual->showValue(calc->m_msResidual);
    }
}

void CPowerAnovaForm::exchangeSave()
{
    auto* calc = dynamic_cast<CPowerAnovaCalc*>(calculator());
    if (!calc)
        return;
    calc->SetDfTreatment(readDegreesOfFreedom(m_dfTreatment));
    calc->SetMsGroups(readField(m_msGroups));
    calc->SetDfResidual(readDegreesOfFreedom(m_dfResidual));
    calc->SetMsResidual(readField(m_msResidual));
}
