#include "ui/dialogs/CEditPowersNsDialog.h"

#include "calc/CCalculator.h"
#include "ui/dialogs/CListEdit.h"
#include "platform/CSettingsStore.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"

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
