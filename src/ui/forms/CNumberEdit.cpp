#include "ui/forms/CNumberEdit.h"

#include "calc/Formatting.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

bool isAsciiDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

} // namespace

CNumberEdit::CNumberEdit(QWidget* parent, bool digitsOnly)
    : CFilteredEdit(parent), m_digitsOnly(digitsOnly)
{
}

bool CNumberEdit::showValue(double v)
{
    if (!(v >= 0) || !std::isfinite(v))
        return false;
    // Integer digits: 0.5 and 1 have none, 5 and 10 one, 11 two.
    int digits = 0;
    for (double c = 1; v > c; c *= 10)
        ++digits;
    if (digits > m_maxLength)
        return false;
    std::string text = formatInCLocale("%.*f", m_maxLength - digits, v);
    if (digits < m_maxLength) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    setText(QString::fromStdString(text));
    return true;
}

double CNumberEdit::readValue() const
{
    const QByteArray bytes = text().toUtf8();
    return parseDoubleInCLocale(bytes.constData(), nullptr);
}

bool CNumberEdit::decimalPointAllowedInPaste() const
{
    if (m_digitsOnly)
        return false;
    const int point = text().indexOf(QLatin1Char('.'));
    if (point < 0)
        return true;
    const int start = selectionStart();
    return start >= 0 && point >= start && point < start + selectedText().length();
}

bool CNumberEdit::minusAllowedAtSelection() const
{
    if (!m_minusAllowed)
        return false;
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString kept = text().left(start) + text().mid(start + selectedText().length());
    return start == 0 && !kept.startsWith(QLatin1Char('-'));
}

int CNumberEdit::roomLeft() const
{
    return m_maxLength - (text().length() - selectedText().length());
}

bool CNumberEdit::replaceSelection(const QString& pasted)
{
    if (pasted.isEmpty())
        return false;
    int first = 0;
    while (first < pasted.size() && pasted.at(first) == QLatin1Char(' '))
        ++first;
    const QString text = pasted.mid(first);

    const QByteArray bytes = text.toUtf8();
    char* end = nullptr;
    parseDoubleInCLocale(bytes.constData(), &end);
    const int readTo = static_cast<int>(end - bytes.constData());

    int cut = 0;
    if (minusAllowedAtSelection() && text.startsWith(QLatin1Char('-')))
        ++cut;
    const int sign = cut;
    while (cut < text.size() && isAsciiDigit(text.at(cut)))
        ++cut;
    if (decimalPointAllowedInPaste() && cut < text.size() && text.at(cut) == QLatin1Char('.')) {
        ++cut;
        while (cut < text.size() && isAsciiDigit(text.at(cut)))
            ++cut;
    }
    // The kept part is ASCII, so its length in characters is its length in bytes.
    const bool numberFits = readTo == cut || readTo == bytes.size();
    if (cut == sign || !numberFits || roomLeft() <= 0) {
        QApplication::beep();
        return false;
    }
    return insertOrBeep(text.left(std::min(cut, roomLeft())));
}

bool CNumberEdit::acceptsCharacter(QChar ch, Qt::KeyboardModifiers) const
{
    if (isAsciiDigit(ch))
        return roomLeft() > 0;
    if (ch == QLatin1Char('.') && !m_digitsOnly && !text().contains(QLatin1Char('.')))
        return roomLeft() > 0;
    if (ch == QLatin1Char('-') && minusAllowedAtSelection())
        return roomLeft() > 0;
    return false;
}

QString CNumberEdit::acceptedInputText() const
{
    if (roomLeft() <= 0)
        return QStringLiteral("This field takes at most %1 characters.").arg(m_maxLength);
    if (m_digitsOnly)
        return QStringLiteral("This field takes a whole number: digits only.");
    if (m_minusAllowed)
        return QStringLiteral("This field takes a number: digits, one decimal point and a "
                              "minus sign in front.");
    return QStringLiteral("This field takes a positive number: digits and one decimal point.");
}
