#include "graph-viewer/CGraphTemplate.h"

#include "graph-viewer/CBoundedFile.h"

#include <QStringList>

#include <algorithm>

namespace {

// A number from key=value text within [low, high]; otherwise the current value stays.
void readNumber(const QString& text, qreal low, qreal high, qreal& out)
{
    bool ok = false;
    const qreal value = text.toDouble(&ok);
    if (ok && value >= low && value <= high)
        out = value;
}

void readColor(const QString& text, QColor& out)
{
    const QColor color = QColor::fromString(text);
    if (color.isValid())
        out = color;
}

} // namespace

CGraphTemplate::CGraphTemplate()
    : size(800, 560), background(Qt::white), plotBackground(Qt::white),
      textColor(QColor(0x1a, 0x1a, 0x1a)), axisColor(QColor(0x3a, 0x3a, 0x3a)),
      gridColor(QColor(0xde, 0xde, 0xe6)), titleSize(15), axisTitleSize(11), tickSize(9),
      legendSize(9), lineWidth(2), markerSize(5), legend(true),
      xScale(Scale::Auto), palette{QColor(0x1f, 0x4e, 0x9a), QColor(0xc0, 0x39, 0x2b),
                                   QColor(0x2e, 0x8b, 0x57), QColor(0xe6, 0x7e, 0x22),
                                   QColor(0x7d, 0x3c, 0x98), QColor(0x13, 0x8d, 0x9c)}
{
}

bool CGraphTemplate::load(const QString& path, QString* error)
{
    QByteArray text;
    QString reason;
    const CBoundedFile::Result result =
        CBoundedFile::read(path, MaxFileSize, QStringLiteral("template"), text, &reason);
    if (result == CBoundedFile::Result::Refused && error)
        *error = reason;
    if (result != CBoundedFile::Result::Read)
        return false;
    parse(text);
    return true;
}

void CGraphTemplate::parse(const QByteArray& text)
{
    for (const QString& rawLine : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        const int equals = line.indexOf(QLatin1Char('='));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("width")) {
            qreal width = size.width();
            readNumber(value, 100, 8000, width);
            size.setWidth(int(width));
        } else if (key == QLatin1String("height")) {
            qreal height = size.height();
            readNumber(value, 100, 8000, height);
            size.setHeight(int(height));
        } else if (key == QLatin1String("font")) {
            fontFamily = value;
        } else if (key == QLatin1String("background")) {
            readColor(value, background);
        } else if (key == QLatin1String("plotBackground")) {
            readColor(value, plotBackground);
        } else if (key == QLatin1String("textColor")) {
            readColor(value, textColor);
        } else if (key == QLatin1String("axisColor")) {
            readColor(value, axisColor);
        } else if (key == QLatin1String("gridColor")) {
            readColor(value, gridColor);
        } else if (key == QLatin1String("titleSize")) {
            readNumber(value, 4, 96, titleSize);
        } else if (key == QLatin1String("axisTitleSize")) {
            readNumber(value, 4, 96, axisTitleSize);
        } else if (key == QLatin1String("tickSize")) {
            readNumber(value, 4, 96, tickSize);
        } else if (key == QLatin1String("legendSize")) {
            readNumber(value, 4, 96, legendSize);
        } else if (key == QLatin1String("lineWidth")) {
            readNumber(value, 0.5, 20, lineWidth);
        } else if (key == QLatin1String("markerSize")) {
            readNumber(value, 0, 40, markerSize);
        } else if (key == QLatin1String("legend")) {
            if (value == QLatin1String("right") || value == QLatin1String("none"))
                legend = value == QLatin1String("right");
        } else if (key == QLatin1String("xScale")) {
            if (value == QLatin1String("auto"))
                xScale = Scale::Auto;
            else if (value == QLatin1String("linear"))
                xScale = Scale::Linear;
            else if (value == QLatin1String("log"))
                xScale = Scale::Log;
        } else if (key == QLatin1String("xTitle")) {
            xTitle = value;
        } else if (key == QLatin1String("yTitle")) {
            yTitle = value;
        } else if (key == QLatin1String("palette")) {
            QVector<QColor> colors;
            for (const QString& name : value.split(QLatin1Char(','))) {
                const QColor color = QColor::fromString(name.trimmed());
                if (color.isValid())
                    colors << color;
            }
            if (!colors.isEmpty())
                palette = colors;
        }
    }
}

QColor CGraphTemplate::seriesColor(int index) const
{
    return palette.isEmpty() ? textColor : palette[std::max(0, index) % palette.size()];
}
