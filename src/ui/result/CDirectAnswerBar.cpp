#include "ui/result/CDirectAnswerBar.h"

#include "calc/CCalculator.h"
#include "calc/CSampleCalc.h"
#include "calc/Formatting.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>
#include <string>

CDirectAnswerBar::CDirectAnswerBar(QWidget* parent) : QWidget(parent)
{
    m_caption = new QLabel(this);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("directEffect"));
    m_field->setMaximumWidth(120);
    m_caption->setBuddy(m_field);
    m_find = new QPushButton(tr("Find"), this);
    m_find->setObjectName(QStringLiteral("directFind"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(15, 6, 15, 6);
    layout->addWidget(m_caption);
    layout->addWidget(m_field);
    layout->addWidget(m_find);
    layout->addStretch(1);
    connect(m_find, &QPushButton::clicked, this, &CDirectAnswerBar::findRequested);
    connect(m_field, &QLineEdit::returnPressed, this, &CDirectAnswerBar::findRequested);
}

void CDirectAnswerBar::showFor(const CCalculator& calc)
{
    const bool sample = dynamic_cast<const CSampleCalc*>(&calc) != nullptr;
    m_caption->setText(sample ? tr("F&ind the sample size for an effect of")
                              : tr("&Power to detect an effect of"));
    std::string text;
    if (calc.m_direct.requested)
        FormatNumber(calc.m_direct.effect, text);
    m_field->setText(QString::fromStdString(text));
}

bool CDirectAnswerBar::effect(double& value) const
{
    bool ok = false;
    value = QLocale::c().toDouble(m_field->text().trimmed(), &ok);
    return ok && std::isfinite(value);
}
