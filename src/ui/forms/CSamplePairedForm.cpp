#include "ui/forms/CSamplePairedForm.h"

#include "calc/CSamplePairedCalc.h"
#include "ui/common/CAppFonts.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/ControlIds.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* addRadio(QWidget* form, QVBoxLayout* column, int id, const QString& text)
{
    auto* radio = new QRadioButton(text, form);
    radio->setObjectName(QString::number(id));
    radio->setFont(CAppFonts::heading());
    column->addWidget(radio);
    return radio;
}

} // namespace

CSamplePairedForm::CSamplePairedForm(QWidget* parent) : CStepForm(155, ID_STEP_3, parent)
{
    addLabel(1008, QStringLiteral("Calculate sample size for paired t test"));
    addLabel(1009, QStringLiteral("1. What standard deviation do you expect?"));
    addExplanation(1013, QStringLiteral("Sample size depends on the scatter among the data. "
                                        "Choose between two ways of entering your "
                                        "expectations."));

    m_withR = addRadio(this, column(), 1024,
                       QStringLiteral("Estimate SD within groups and correlation coefficient"));
    addExplanation(1014,
                   QStringLiteral("Estimate the SD you expect to find within the two groups. If "
                                  "you think the SDs might be different, enter the average. "
                                  "You'll need more subjects if you expect a lot of scatter. "
                                  "Also estimate the correlation coefficient, r, you expect to "
                                  "see."));
    QGridLayout* withR = addFieldGrid();
    m_sd = addNumberField(withR, 0, 0, 1100, QStringLiteral("SD:"));
    m_r = addNumberField(withR, 0, 2, 1025, QStringLiteral("r:"));
    // A negative r must reach the calculator's check, not lose its sign on the way.
    m_r->setMinusAllowed(true);
    addExplanation(1015,
                   QStringLiteral("It only makes sense to do a paired t test when you expect the "
                                  "data in the two groups to correlate, so you'll expect r to be "
                                  "positive. You'll need more subjects when r is low than when "
                                  "it is high."));

    m_differences = addRadio(this, column(), 1026,
                             QStringLiteral("Estimate SD of the difference between pairs"));
    addExplanation(1016, QStringLiteral("The paired t test works by first computing the difference "
                                        "between \"before\" and \"after\" for each pair, and then "
                                        "computing the standard deviation of that list of "
                                        "differences. If the SD is high, you'll need more subjects "
                                        "then if the SD is low."));
    m_sdDifferences =
        addNumberField(addFieldGrid(), 0, 0, 1027, QStringLiteral("SD of differences:"));

    addSignificanceStep(1010, QStringLiteral("2. Choose a significance level"), 1017,
                        QString::fromLatin1(SampleAlphaText), ControlId::EditPowersNs);
    addBottomButtons(QStringLiteral("Calculate"), HelpTopic::DecidePaired);

    connect(m_withR, &QRadioButton::clicked, this, [this] { showWay(true); });
    connect(m_differences, &QRadioButton::clicked, this, [this] { showWay(false); });
    m_withR->setChecked(true);
    showWay(true);
}

void CSamplePairedForm::showWay(bool useR)
{
    m_sd->setEnabled(useR);
    m_r->setEnabled(useR);
    m_sdDifferences->setEnabled(!useR);
    (useR ? m_sd : m_sdDifferences)->setFocus(Qt::OtherFocusReason);
}

void CSamplePairedForm::exchangeLoad()
{
    auto* calc = dynamic_cast<CSamplePairedCalc*>(calculator());
    if (!calc)
        return;
    // Only the chosen way's fields show the calculator's SD; the others keep their text.
    if (calc->m_useR) {
        m_withR->setChecked(true);
        m_sd->showValue(calc->m_sd);
        m_r->showValue(calc->m_r);
        m_sdDifferences->showValue(-1);
    } else {
        m_differences->setChecked(true);
        m_sd->showValue(-1);
        m_r->showValue(-1);
        m_sdDifferences->showValue(calc->m_sd);
    }
    showWay(calc->m_useR);
}

void CSamplePairedForm::exchangeSave()
{
    auto* calc = dynamic_cast<CSamplePairedCalc*>(calculator());
    if (!calc)
        return;
    if (m_withR->isChecked()) {
        calc->m_useR = true;
        calc->SetSD(readField(m_sd));
        calc->SetR(readField(m_r));
    } else {
        calc->m_useR = false;
        calc->SetSD(readField(m_sdDifferences));
    }
}
