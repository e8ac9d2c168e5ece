#include "ui/forms/CPowerAnovaForm.h"

#include "calc/CPowerAnovaCalc.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>
#include <QLabel>

#include <climits>

CPowerAnovaForm::CPowerAnovaForm(QWidget* parent) : CStepForm(162, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Power for completed one-way ANOVA"));
    addLabel(1009, QStringLiteral("1. Enter results from ANOVA table"));
    addExplanation(1013,
                   QStringLiteral("From the ANOVA table, enter the degrees of freedom and mean "
                                  "square values for treatment (also called mean square for "
                                  "groups). Also enter the degrees of freedom and mean square "
                                  "value of the residuals, also called the mean square error."));
    QGridLayout* grid = addFieldGrid();
    grid->addWidget(new QLabel(QStringLiteral("DF:"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MS:"), this), 0, 2);
    m_dfTreatment = addNumberField(grid, 1, 0, 1046, QStringLiteral("Treatment (groups):"), true);
    m_msGroups = addNumberField(grid, 1, 1, 1045, QString());
    m_dfResidual = addNumberField(grid, 2, 0, 1047, QStringLiteral("Residual (error):"), true);
    m_msResidual = addNumberField(grid, 2, 1, 1101, QString());

    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1014,
                        QString::fromLatin1(PowerAlphaText), ControlId::EditPowers);
    setSignificanceTable(AnovaSignificance);
    addBottomButtons(QStringLiteral("Calculate"), NoHelpButton);
    applyFonts({1008, 1009, 1010}, {1013, 1014});
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
