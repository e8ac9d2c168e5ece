#include "cli/CCliInputs.h"

#include "cli/CCliError.h"
#include "calc/Formatting.h"

#include <QByteArray>

#include <cerrno>
#include <climits>
#include <cmath>

namespace {

// The characters of a decimal number; strtod alone would also take hexadecimal numbers,
// "inf", "nan" and white space.
bool hasOnlyDecimalCharacters(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return false;
    return true;
}

} // namespace

QString CCliInputs::quoted(const QString& text)
{
    const QString shown =
        text.size() > MaxQuoted ? text.left(MaxQuoted) + QStringLiteral("...") : text;
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

const std::vector<CCliInputs::Option>& CCliInputs::options()
{
    static const std::vector<Option> list = {
        {"sd", "X",
         "Standard deviation: of each group (sample unpaired, sample anova; sample paired with "
         "--r), the expected SD (sample one-sample), the SD of the differences (power paired), "
         "the SD of the group (power one-sample)."},
        {"r", "R", "Expected correlation among pairs, between 0 and 1 (sample paired)."},
        {"sd-diff", "X", "Expected SD of the after-before differences (sample paired)."},
        {"n1", "N", "Sample size of group 1 (power unpaired, power proportions)."},
        {"n2", "N", "Sample size of group 2 (power unpaired, power proportions)."},
        {"sd1", "X", "SD of group 1 (power unpaired)."},
        {"sd2", "X", "SD of group 2 (power unpaired)."},
        {"pairs", "N", "Number of pairs (power paired)."},
        {"n", "N",
         "Number of subjects (power one-sample); total sample size, the sum of both groups "
         "(power survival)."},
        {"groups", "K", "Number of groups, 3 to 20 (sample anova; default 3)."},
        {"df-treatment", "N", "Degrees of freedom of the treatment (groups) (power anova)."},
        {"ms-groups", "X", "Mean square of the groups (treatment) (power anova)."},
        {"df-residual", "N", "Degrees of freedom of the residual (error) (power anova)."},
        {"ms-residual", "X", "Mean square of the residual (error) (power anova)."},
        {"proportion", "P",
         "Proportion in the control group, between 0 and 1: of surviving (event-free) "
         "subjects at the end of the study (sample survival; default 0.5), of deaths at the "
         "last time point (power survival), of \"success\" (sample proportions; default 0.5)."},
        {"higher", nullptr,
         "The treated group will have a higher proportion \"success\" than the control group "
         "(sample proportions; the default)."},
        {"lower", nullptr,
         "The treated group will have a lower proportion \"success\" than the control group "
         "(sample proportions)."},
        {"p1", "X", "Proportion \"success\" in group 1, between 0 and 1 (power proportions)."},
        {"p2", "X", "Proportion \"success\" in group 2, between 0 and 1 (power proportions)."},
        {"test", "TEST",
         "The test to be run (sample proportions, power proportions): chi-square (the "
         "uncorrected chi-square test, default), yates (with Yates's continuity correction) or "
         "fisher (Fisher's exact test). The exact method computes that test's power; the "
         "written method approximates the uncorrected test."},
        {"tabulate", "EFFECT",
         "The effect to tabulate. sample survival: increase (in survival proportion, default), "
         "hazard-ratio or hazard-ratio-worse (the hazard ratio, larger is worse); power "
         "survival: difference (default) or hazard-ratio; sample proportions: difference "
         "(default) or ratio; power proportions: change (default), relative-risk or "
         "risk-reduction."},
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
    if (bytes.isEmpty() || !hasOnlyDecimalCharacters(bytes))
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
    m_lastRead = name;
    const auto it = m_texts.constFind(name);
    if (it == m_texts.constEnd())
        throw CCliError(QStringLiteral("--%1: missing").arg(name).toStdString());
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

double CCliInputs::numberOr(const QString& name, double fallback) const
{
    m_lastRead = name;
    return has(name) ? number(name) : fallback;
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

int CCliInputs::integer(const QString& name) const
{
    const double value = wholeNumber(name);
    if (value > INT_MAX)
        throw CCliError(QStringLiteral("--%1: %2 is too large; the largest value accepted is %3")
                            .arg(name, quoted(m_texts.value(name)))
                            .arg(INT_MAX)
                            .toStdString());
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int CCliInputs::integerOr(const QString& name, int fallback) const
{
    m_lastRead = name;
    return has(name) ? integer(name) : fallback;
}

int CCliInputs::choice(const QString& name, Choices choices) const
{
    m_lastRead = name;
    const auto it = m_texts.constFind(name);
    return it == m_texts.constEnd() ? choices.begin()->second : choose(name, *it, choices);
}

int CCliInputs::choose(const QString& name, const QString& text, Choices choices)
{
    QStringList names;
    for (const auto& choice : choices) {
        if (text == QLatin1String(choice.first))
            return choice.second;
        names << QString::fromLatin1(choice.first);
    }
    const QString last = names.takeLast();
    throw CCliError(QStringLiteral("--%1: %2 is not %3 or %4")
                        .arg(name, quoted(text), names.join(QStringLiteral(", ")), last)
                        .toStdString());
}
