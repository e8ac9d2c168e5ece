#include "CEditPowersNsDialog.h"

#include "CCalculator.h"
#include "CListEdit.h"
#include "CSettingsStore.h"
#include "Platform.h"
#include "StringTable.h"

#include <QCheckBox>

#include <string>

CEditPowersNsDialog::CEditPowersNsDialog(CCalculator* calculator, QWidget* parent)
    : CEditPowersDialog(calculator, parent, QStringLiteral("Edit Powers and Ns"))
{
    m_ns =
        addListRow(1009, QStringLiteral("Enter a list of Ns, separated by commas:"), 1022, false);
    std::string text;
    m_calculator->FormatNs(text);
    m_ns->setText(QString::fromStdString(text));
    finish();
}

bool CEditPowersNsDialog::saveLists()
{
    if (!parseInto(powersField(), &CCalculator::ParsePowers) ||
        !parseInto(m_ns, &CCalculator::ParseNs))
        return false;
    if (defaultsBox()->isChecked()) {
        std::string ns;
        std::string powers;
        m_calculator->FormatNs(ns);
        m_calculator->FormatPowers(powers);
        CSettingsStore& settings = Platform::settings();
        settings.writeString(SettingsSection, LoadString(IDS_SETTING_SAMPLE_SERIES), ns);
        settings.writeString(SettingsSection, LoadString(IDS_SETTING_SAMPLE_POWERS), powers);
    }
    return true;
}
