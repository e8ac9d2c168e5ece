#include "graph-viewer/CGraphData.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace {

const double kMissing = std::numeric_limits<double>::quiet_NaN();

// The fields of a line; the tab that ends every row of a sample-size table does not start
// another field.
QStringList fieldsOf(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() > 1 && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

// A number written with "." as the decimal point, or NaN for an empty or unreadable field.
double valueOf(const QString& field)
{
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : kMissing;
}

} // namespace

bool CGraphData::parse(const QString& text, QString* error)
{
    series.clear();
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    if (lines.isEmpty()) {
        *error = QStringLiteral("The data block is empty.");
        return false;
    }
    const QStringList header = fieldsOf(lines.takeFirst());
    firstColumn = header.value(0).trimmed();
    kind = header.size() == 2 && header[1].trimmed() == QLatin1String("Power(%)")
               ? Kind::Power
               : Kind::SampleSize;
    if (kind == Kind::Power) {
        secondColumn = header[1].trimmed();
        series.append({firstColumn, {}});
    } else {
        secondColumn.clear();
        for (int column = 1; column < header.size(); ++column)
            series.append({header[column].trimmed(), {}});
    }
    int row = 1;
    for (const QString& line : lines) {
        ++row;
        const QStringList fields = fieldsOf(line);
        const double x = valueOf(fields.value(kind == Kind::Power ? 1 : 0));
        if (std::isnan(x)) {
            *error =
                QStringLiteral("Row %1 of the data has no number in its %2 field.")
                    .arg(row)
                    .arg(kind == Kind::Power ? QStringLiteral("power") : QStringLiteral("first"));
            return false;
        }
        if (kind == Kind::Power) {
            series[0].points.append(QPointF(x, valueOf(fields.value(0))));
            continue;
        }
        for (int column = 0; column < series.size(); ++column)
            series[column].points.append(QPointF(x, valueOf(fields.value(column + 1))));
    }
    return true;
}

bool CGraphData::hasValues() const
{
    for (const Series& curve : series) {
        for (const QPointF& point : curve.points) {
            if (!std::isnan(point.y()))
                return true;
        }
    }
    return false;
}

QRectF CGraphData::valueBounds() const
{
    double left = 0, right = 0, bottom = 0, top = 0;
    bool any = false;
    for (const Series& curve : series) {
        for (const QPointF& point : curve.points) {
            if (std::isnan(point.y()))
                continue;
            if (!any) {
                left = right = point.x();
                bottom = top = point.y();
                any = true;
            }
            left = std::min(left, point.x());
            right = std::max(right, point.x());
            bottom = std::min(bottom, point.y());
            top = std::max(top, point.y());
        }
    }
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}
