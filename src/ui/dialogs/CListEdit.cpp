#include "ui/dialogs/CListEdit.h"

CListEdit::CListEdit(bool decimalPointAllowed, QWidget* parent)
    : CFilteredEdit(parent), m_decimalPointAllowed(decimalPointAllowed)
{
}

bool CListEdit::isListCharacter(QChar ch) const
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char(',') ||
           (m_decimalPointAllowed && ch == QLatin1Char('.'));
}

bool CListEdit::replaceSelection(const QString& text)
{
    int cut = 0;
    while (cut < text.size() && isListCharacter(text.at(cut)))
        ++cut;
    return insertOrBeep(text.left(cut));
}

bool CListEdit::acceptsCharacter(QChar ch, Qt::KeyboardModifiers modifiers) const
{
    return modifiers.testFlag(Qt::ControlModifier) || isListCharacter(ch);
}

QString CListEdit::acceptedInputText() const
{
    return m_decimalPointAllowed
               ? QStringLiteral("Type numbers separated by commas (digits, \".\" and \",\").")
               : QStringLiteral("Type whole numbers separated by commas (digits and \",\").");
}
