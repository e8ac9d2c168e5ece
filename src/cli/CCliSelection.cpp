#include "cli/CCliSelection.h"

#include "cli/CCliError.h"
#include "cli/CCliInputs.h"
#include "calc/CCalculator.h"
#include "calc/Formatting.h"

#include <QStringList>

#include <string>

namespace {

[[noreturn]] void refuse(const QString& message)
{
    throw CCliError((QStringLiteral("--select: ") + message).toStdString());
}

QString powerText(double power)
{
    std::string text;
    FormatNumber(power, text);
    return QString::fromStdString(text);
}

} // namespace

bool CCliSelection::isValueForm(const QString& text)
{
    for (const QString& part : text.split(QLatin1Char(',')))
        if (part.trimmed().startsWith(QLatin1String("power=")))
            return true;
    return false;
}

int CCliSelection::powerIndex(const CCalculator& calc, const QString& value)
{
    // "80" and "80%" both name the column headed 80%; 80.0 is the same power as 80.
    QString number = value.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number.chop(1);
    double power = 0;
    const bool isNumber = CCliInputs::parseNumber(number, power);
    QStringList available;
    for (int p = 0; p < calc.m_nPowers; ++p) {
        available << powerText(calc.m_powers[p]);
        if (isNumber && available.last() == powerText(power))
            return p;
    }
    refuse(QStringLiteral("power %1 is not in the list of powers; choose one of %2")
               .arg(CCliInputs::quoted(value), available.join(QStringLiteral(", "))));
}

int CCliSelection::nIndex(const CCalculator& calc, const QString& value)
{
    bool isNumber = false;
    const int n = value.trimmed().toInt(&isNumber);
    QStringList available;
    for (int r = 0; r < calc.m_nNs; ++r) {
        if (isNumber && calc.m_ns[r] == n)
            return r;
        available << QString::number(calc.m_ns[r]);
    }
    refuse(QStringLiteral("n %1 is not in the list of sample sizes; choose one of %2")
               .arg(CCliInputs::quoted(value), available.join(QStringLiteral(", "))));
}

QString CCliSelection::query(const CCalculator& calc, bool sampleGoal, const QString& text)
{
    if (!isValueForm(text))
        return text;
    QString n;
    QString power;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed();
        QString& value = key == QLatin1String("n") ? n : power;
        if ((key != QLatin1String("n") && key != QLatin1String("power")) || !part.contains('='))
            refuse(QStringLiteral("%1 is not n=N or power=P").arg(CCliInputs::quoted(part)));
        if (!value.isNull())
            refuse(QStringLiteral("%1 is given more than once").arg(key));
        value = part.section(QLatin1Char('='), 1);
    }
    const int p = powerIndex(calc, power);
    if (!sampleGoal) {
        if (!n.isNull())
            refuse(QStringLiteral("n does not apply to a power calculation; give power=P only"));
        return QStringLiteral("pow=%1").arg(p);
    }
    if (n.isNull())
        refuse(QStringLiteral("a sample size table needs n and power, for example "
                              "n=10,power=80"));
    return QStringLiteral("n=%1&pow=%2").arg(nIndex(calc, n)).arg(p);
}
