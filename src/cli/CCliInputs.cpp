#include "CCliInputs.h"

#include "CCliError.h"
#include "Formatting.h"

#include <QByteArray>

#include <cerrno>
#include <cmath>

namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

const std::vector<CCliInputs::Option>& CCliInputs::options()
{
    static const std::vector<Option> list = {
        {"sd", "X",
         "Standard deviation: of each group (sample unpaired; sample paired with --r), the "
         "expected SD (sample one-sample), the SD of the differences (power paired), the SD "
         "of the group (power one-sample)."},
        {"r", "R", "Expected correlation among pairs, between 0 and 1 (sample paired)."},
        {"sd-diff", "X", "Expected SD of the after-before differences (sample paired)."},
        {"n1", "N", "Sample size of group 1 (power unpaired)."},
        {"n2", "N", "Sample size of group 2 (power unpaired)."},
        {"sd1", "X", "SD of group 1 (power unpaired)."},
        {"sd2", "X", "SD of group 2 (power unpaired)."},
        {"pairs", "N", "Number of pairs (power paired)."},
        {"n", "N", "Number of subjects (power one-sample)."},
    };
    return list;
}

void CCliInputs::set(const QString& name, const QString& text)
{
    m_texts.insert(name, text);
}

bool CCliInputs::has(const QString& name) const
{
    return m_texts.contains(name);
}

QStringList CCliInputs::given() const
{
    QStringList names;
    for (const Option& option : options())
        if (has(QString::fromLatin1(option.name)))
            names << QString::fromLatin1(option.name);
    return names;
}

bool CCliInputs::parseNumber(const QString& text, double& value)
{
    const QByteArray bytes = text.toUtf8();
    // strtod would skip leading white space; a value is the whole argument or nothing.
    if (bytes.isEmpty() || bytes.front() == ' ' || (bytes.front() >= '\t' && bytes.front() <= '\r'))
        return false;
    char* end = nullptr;
    errno = 0;
    value = parseDoubleInCLocale(bytes.constData(), &end);
    if (end != bytes.constData() + bytes.size())
        return false;
    // An overflow comes back as an infinity with ERANGE; an underflow is a usable tiny value.
    return std::isfinite(value);
}

double CCliInputs::number(const QString& name) const
{
    const auto it = m_texts.constFind(name);
    if (it == m_texts.constEnd())
        throw CCliError(QStringLiteral("missing --%1").arg(name).toStdString());
    double value = 0;
    if (!parseNumber(*it, value))
        throw CCliError(
            QStringLiteral("--%1: %2 is not a finite number").arg(name, quoted(*it)).toStdString());
    if (value > LargestValue)
        throw CCliError(QStringLiteral("--%1: %2 is too large; the largest value accepted is %3")
                            .arg(name, quoted(*it))
                            .arg(LargestValue, 0, 'f', 0)
                            .toStdString());
    return value;
}

double CCliInputs::wholeNumber(const QString& name) const
{
    const double value = number(name);
    if (value != std::trunc(value))
        throw CCliError(QStringLiteral("--%1: %2 is not a whole number")
                            .arg(name, quoted(m_texts.value(name)))
                            .toStdString());
    return value;
}
