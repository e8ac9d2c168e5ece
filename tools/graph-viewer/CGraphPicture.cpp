#include "graph-viewer/CGraphPicture.h"

#include "graph-viewer/CGraphAxis.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const qreal kPad = 10;
const qreal kTickLength = 4;
const qreal kLegendSample = 22;

QFont fontOf(const CGraphTemplate& look, qreal points, bool bold = false)
{
    QFont font;
    if (!look.fontFamily.isEmpty())
        font.setFamily(look.fontFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Draws one curve, broken where the table has no value, and its point markers. A value
// between two gaps has no line to show it, so it gets a dot even without markers.
void paintCurve(QPainter& painter, const CGraphData::Series& curve, const QColor& color,
                const CGraphTemplate& look, const std::function<QPointF(const QPointF&)>& place)
{
    QPainterPath path;
    QVector<QPointF> lone;
    const QVector<QPointF>& points = curve.points;
    for (int i = 0; i < points.size(); ++i) {
        if (std::isnan(points[i].y()))
            continue;
        const bool joinsBefore = i > 0 && !std::isnan(points[i - 1].y());
        const bool joinsAfter = i + 1 < points.size() && !std::isnan(points[i + 1].y());
        if (joinsBefore)
            path.lineTo(place(points[i]));
        else
            path.moveTo(place(points[i]));
        if (!joinsBefore && !joinsAfter)
            lone << place(points[i]);
    }
    painter.setPen(QPen(color, look.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    const qreal radius = std::max(look.markerSize, look.lineWidth * 2) / 2;
    for (const QPointF& at : lone)
        painter.drawEllipse(at, radius, radius);
    if (look.markerSize <= 0)
        return;
    for (const QPointF& point : points) {
        if (!std::isnan(point.y()))
            painter.drawEllipse(place(point), look.markerSize / 2, look.markerSize / 2);
    }
}

} // namespace

bool CGraphPicture::load(const QByteArray& scriptText, QString* error)
{
    if (!m_script.parse(scriptText, error) || !m_data.parse(m_script.data, error))
        return false;
    const QString templatePath = m_script.templatePath();
    if (!templatePath.isEmpty())
        m_template.load(templatePath);
    return true;
}

QString CGraphPicture::xTitle() const
{
    if (!m_script.xTitle.isEmpty())
        return m_script.xTitle;
    if (!m_template.xTitle.isEmpty())
        return m_template.xTitle;
    return m_data.kind == CGraphData::Kind::Power ? m_data.secondColumn : m_data.firstColumn;
}

QString CGraphPicture::yTitle() const
{
    if (!m_script.yTitle.isEmpty())
        return m_script.yTitle;
    if (!m_template.yTitle.isEmpty())
        return m_template.yTitle;
    return m_data.kind == CGraphData::Kind::Power ? m_data.firstColumn : QString();
}

QImage CGraphPicture::image() const
{
    QImage picture(m_template.size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(m_template.background);
    QPainter painter(&picture);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(m_template.size)));
    return picture;
}

void CGraphPicture::paint(QPainter& painter, const QRectF& area) const
{
    const CGraphTemplate& look = m_template;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, look.background);

    const QFont titleFont = fontOf(look, look.titleSize, true);
    const QFont axisFont = fontOf(look, look.axisTitleSize);
    const QFont tickFont = fontOf(look, look.tickSize);
    const QFont legendFont = fontOf(look, look.legendSize);
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    const QFontMetricsF axisMetrics(axisFont, painter.device());
    const QFontMetricsF tickMetrics(tickFont, painter.device());
    const QFontMetricsF legendMetrics(legendFont, painter.device());

    // The axes.
    const QRectF bounds = m_data.valueBounds();
    const bool hasValues = m_data.hasValues();
    CGraphAxis xAxis;
    CGraphAxis yAxis;
    bool logX = look.xScale == CGraphTemplate::Scale::Log;
    if (look.xScale == CGraphTemplate::Scale::Auto)
        logX = hasValues && bounds.left() > 0 && bounds.right() / bounds.left() >= 50;
    xAxis.setRange(hasValues ? bounds.left() : 0, hasValues ? bounds.right() : 1, logX);
    yAxis.setRange(hasValues ? bounds.top() : 0, hasValues ? bounds.bottom() : 1, false);

    // The frame of the plot: title above, tick labels and axis titles left and below,
    // legend to the right.
    const QString title = m_script.title;
    const QString xText = xTitle();
    const QString yText = yTitle();
    qreal top = area.top() + kPad + (title.isEmpty() ? 0 : titleMetrics.height() + kPad);
    qreal yLabelWidth = 0;
    for (double tick : yAxis.ticks())
        yLabelWidth = std::max(yLabelWidth, tickMetrics.horizontalAdvance(yAxis.label(tick)));
    qreal left = area.left() + kPad + (yText.isEmpty() ? 0 : axisMetrics.height() + kPad) +
                 yLabelWidth + kTickLength + 4;
    qreal bottom = area.bottom() - kPad - tickMetrics.height() - kTickLength - 4 -
                   (xText.isEmpty() ? 0 : axisMetrics.height() + kPad);
    qreal right =
        area.right() - kPad - tickMetrics.horizontalAdvance(xAxis.label(xAxis.upper())) / 2;

    const bool legend = look.legend && !m_data.series.isEmpty();
    int legendRows = 0;
    qreal legendColumnWidth = 0;
    if (legend) {
        const qreal lineHeight = legendMetrics.height() + 2;
        legendRows = std::max(1, int((bottom - top) / lineHeight));
        for (const CGraphData::Series& curve : m_data.series)
            legendColumnWidth = std::max(
                legendColumnWidth, kLegendSample + 6 + legendMetrics.horizontalAdvance(curve.name));
        const int columns = (int(m_data.series.size()) + legendRows - 1) / legendRows;
        right = std::min(right, area.right() - kPad - columns * (legendColumnWidth + kPad));
    }
    const QRectF plot(QPointF(left, top),
                      QPointF(std::max(right, left + 10), std::max(bottom, top + 10)));

    auto place = [&](const QPointF& value) {
        return QPointF(plot.left() + xAxis.fraction(value.x()) * plot.width(),
                       plot.bottom() - yAxis.fraction(value.y()) * plot.height());
    };

    // Background, grid and tick labels.
    painter.fillRect(plot, look.plotBackground);
    painter.setFont(tickFont);
    for (double tick : xAxis.ticks()) {
        const qreal x = place(QPointF(tick, yAxis.lower())).x();
        painter.setPen(QPen(look.gridColor, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(QPen(look.axisColor, 1));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString text = xAxis.label(tick);
        const qreal width = tickMetrics.horizontalAdvance(text);
        painter.setPen(look.textColor);
        painter.drawText(
            QPointF(x - width / 2, plot.bottom() + kTickLength + 2 + tickMetrics.ascent()), text);
    }
    for (double tick : yAxis.ticks()) {
        const qreal y = place(QPointF(xAxis.lower(), tick)).y();
        painter.setPen(QPen(look.gridColor, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QPen(look.axisColor, 1));
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        const QString text = yAxis.label(tick);
        painter.setPen(look.textColor);
        painter.drawText(
            QPointF(plot.left() - kTickLength - 4 - tickMetrics.horizontalAdvance(text),
                    y + tickMetrics.ascent() / 2 - 1),
            text);
    }
    painter.setPen(QPen(look.axisColor, 1.2));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    // The curves, kept inside the plot.
    painter.save();
    painter.setClipRect(
        plot.adjusted(-look.markerSize, -look.markerSize, look.markerSize, look.markerSize));
    for (int i = 0; i < m_data.series.size(); ++i)
        paintCurve(painter, m_data.series[i], look.seriesColor(i), look, place);
    painter.restore();
    if (!hasValues) {
        painter.setPen(look.textColor);
        painter.setFont(axisFont);
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No values to draw"));
    }

    // Titles.
    painter.setPen(look.textColor);
    if (!title.isEmpty()) {
        painter.setFont(titleFont);
        painter.drawText(
            QRectF(area.left(), area.top() + kPad, area.width(), titleMetrics.height()),
            Qt::AlignCenter, title);
    }
    painter.setFont(axisFont);
    if (!xText.isEmpty()) {
        painter.drawText(QRectF(plot.left(), area.bottom() - kPad - axisMetrics.height(),
                                plot.width(), axisMetrics.height()),
                         Qt::AlignCenter, xText);
    }
    if (!yText.isEmpty()) {
        painter.save();
        painter.translate(area.left() + kPad, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisMetrics.height()),
                         Qt::AlignCenter, yText);
        painter.restore();
    }

    // Legend: a line sample and the name of each curve, in as many columns as it needs.
    if (legend) {
        painter.setFont(legendFont);
        const qreal lineHeight = legendMetrics.height() + 2;
        for (int i = 0; i < m_data.series.size(); ++i) {
            const qreal x = plot.right() + kPad + (i / legendRows) * (legendColumnWidth + kPad);
            const qreal y = plot.top() + (i % legendRows) * lineHeight + lineHeight / 2;
            painter.setPen(QPen(look.seriesColor(i), look.lineWidth, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(x, y), QPointF(x + kLegendSample, y));
            painter.setPen(look.textColor);
            painter.drawText(QPointF(x + kLegendSample + 6, y + legendMetrics.ascent() / 2 - 1),
                             m_data.series[i].name);
        }
    }
    painter.restore();
}
