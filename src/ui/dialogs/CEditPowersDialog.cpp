#include "ui/dialogs/CEditPowersDialog.h"

#include "calc/CCalculator.h"
#include "ui/dialogs/CListEdit.h"
#include "platform/CSettingsStore.h"
#include "platform/CUserException.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

CEditPowersDialog::CEditPowersDialog(CCalculator* calculator, QWidget* parent)
    : CEditPowersDialog(calculator, parent, QStringLiteral("Edit Powers"))
{
    finish();
}

CEditPowersDialog::CEditPowersDialog(CCalculator* calculator, QWidget* parent,
                                     const QString& caption)
    : QDialog(parent), m_calculator(calculator), m_layout(new QVBoxLayout(this))
{
    setWindowTitle(caption);
    setMinimumWidth(560);
    m_powers = addListRow(1008, QStringLiteral("Enter a list of % powers, separated by commas:"),
                          1021, true);
    std::string text;
    m_calculator->FormatPowers(text);
    m_powers->setText(QString::fromStdString(text));
}

CListEdit* CEditPowersDialog::addListRow(int labelId, const QString& label, int fieldId,
                                         bool decimalPoint)
{
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QString::number(labelId));
    auto* field = new CListEdit(decimalPoint, this);
    field->setObjectName(QString::number(fieldId));
    caption->setBuddy(field);
    m_layout->addWidget(caption);
    m_layout->addWidget(field);
    return field;
}

void CEditPowersDialog::finish()
{
    m_defaults =
        new QCheckBox(QStringLiteral("Make these choices default for future analyses"), this);
    m_defaults->setObjectName(QStringLiteral("1023"));
    m_defaults->setChecked(true);
    m_layout->addWidget(m_defaults);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_layout->addWidget(buttons);
}

bool CEditPowersDialog::parseInto(CListEdit* field, bool (CCalculator::*parse)(const std::string&))
{
    m_parsing = field;
    return (m_calculator->*parse)(field->text().toStdString());
}

bool CEditPowersDialog::saveLists()
{
    if (!parseInto(m_powers, &CCalculator::ParsePowers))
        return false;
    if (m_defaults->isChecked()) {
        std::string powers;
        m_calculator->FormatPowers(powers);
        Platform::settings().writeString(SettingsSection, LoadString(IDS_SETTING_POWER_POWERS),
                                         powers);
    }
    return true;
}

void CEditPowersDialog::accept()
{
    m_parsing = nullptr;
    bool taken = false;
    try {
        taken = saveLists();
    } catch (const CUserException&) {
        taken = false;
    }
    if (!taken) {
        if (m_parsing) {
            m_parsing->setFocus(Qt::OtherFocusReason);
            m_parsing->selectAll();
        }
        return;
    }
    QDialog::accept();
}
