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

// Where everything goes: fonts and their metrics on the painter's device, the two axes, the
// plot rectangle and the legend's grid. Worked out once per paint.
struct SFrame
{
    SFrame(const QPaintDevice* device, const CGraphTemplate& look)
        : titleFont(fontOf(look, look.titleSize, true)), axisFont(fontOf(look, look.axisTitleSize)),
          tickFont(fontOf(look, look.tickSize)), legendFont(fontOf(look, look.legendSize)),
          titleMetrics(titleFont, device), axisMetrics(axisFont, device),
          tickMetrics(tickFont, device), legendMetrics(legendFont, device),
          legendLineHeight(legendMetrics.height() + 2)
    {
    }

    QFont titleFont;
    QFont axisFont;
    QFont tickFont;
    QFont legendFont;
    QFontMetricsF titleMetrics;
    QFontMetricsF axisMetrics;
    QFontMetricsF tickMetrics;
    QFontMetricsF legendMetrics;
    qreal legendLineHeight;
    CGraphAxis xAxis;
    CGraphAxis yAxis;
    QRectF plot;
    bool legend = false;
    int legendRows = 0;
    qreal legendColumnWidth = 0;

    QPointF place(const QPointF& value) const
    {
        return QPointF(plot.left() + xAxis.fraction(value.x()) * plot.width(),
                       plot.bottom() - yAxis.fraction(value.y()) * plot.height());
    }
};

// The axes' ranges: a log x axis when the template asks for one, or, left to itself, when
// the values span at least a factor of 50.
void setAxes(SFrame& frame, const CGraphTemplate& look, const CGraphData& data)
{
    const QRectF bounds = data.valueBounds();
    const bool hasValues = data.hasValues();
    bool logX = look.xScale == CGraphTemplate::Scale::Log;
    if (look.xScale == CGraphTemplate::Scale::Auto)
        logX = hasValues && bounds.left() > 0 && bounds.right() / bounds.left() >= 50;
    frame.xAxis.setRange(hasValues ? bounds.left() : 0, hasValues ? bounds.right() : 1, logX);
    frame.yAxis.setRange(hasValues ? bounds.top() : 0, hasValues ? bounds.bottom() : 1, false);
}

// The frame of the plot: title above, tick labels and axis titles left and below, legend to
// the right in as many columns as the curves need.
void layOut(SFrame& frame, const QRectF& area, const CGraphTemplate& look, const CGraphData& data,
            bool hasTitle, bool hasXTitle, bool hasYTitle)
{
    const qreal top = area.top() + kPad + (hasTitle ? frame.titleMetrics.height() + kPad : 0);
    qreal yLabelWidth = 0;
    for (double tick : frame.yAxis.ticks())
        yLabelWidth =
            std::max(yLabelWidth, frame.tickMetrics.horizontalAdvance(frame.yAxis.label(tick)));
    const qreal left = area.left() + kPad + (hasYTitle ? frame.axisMetrics.height() + kPad : 0) +
                       yLabelWidth + kTickLength + 4;
    const qreal bottom = area.bottom() - kPad - frame.tickMetrics.height() - kTickLength - 4 -
                         (hasXTitle ? frame.axisMetrics.height() + kPad : 0);
    qreal right = area.right() - kPad -
                  frame.tickMetrics.horizontalAdvance(frame.xAxis.label(frame.xAxis.upper())) / 2;

    frame.legend = look.legend && !data.series.isEmpty();
    if (frame.legend) {
        frame.legendRows = std::max(1, int((bottom - top) / frame.legendLineHeight));
        for (const CGraphData::Series& curve : data.series)
            frame.legendColumnWidth =
                std::max(frame.legendColumnWidth,
                         kLegendSample + 6 + frame.legendMetrics.horizontalAdvance(curve.name));
        const int columns = (int(data.series.size()) + frame.legendRows - 1) / frame.legendRows;
        right = std::min(right, area.right() - kPad - columns * (frame.legendColumnWidth + kPad));
    }
    frame.plot =
        QRectF(QPointF(left, top), QPointF(std::max(right, left + 10), std::max(bottom, top + 10)));
}

// Background, grid, tick marks with their labels, and the two axis lines.
void paintGrid(QPainter& painter, const SFrame& frame, const CGraphTemplate& look)
{
    const QRectF& plot = frame.plot;
    const QFontMetricsF& metrics = frame.tickMetrics;
    painter.fillRect(plot, look.plotBackground);
    painter.setFont(frame.tickFont);
    for (double tick : frame.xAxis.ticks()) {
        const qreal x = frame.place(QPointF(tick, frame.yAxis.lower())).x();
        painter.setPen(QPen(look.gridColor, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(QPen(look.axisColor, 1));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString text = frame.xAxis.label(tick);
        const qreal width = metrics.horizontalAdvance(text);
        painter.setPen(look.textColor);
        painter.drawText(QPointF(x - width / 2, plot.bottom() + kTickLength + 2 + metrics.ascent()),
                         text);
    }
    for (double tick : frame.yAxis.ticks()) {
        const qreal y = frame.place(QPointF(frame.xAxis.lower(), tick)).y();
        painter.setPen(QPen(look.gridColor, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QPen(look.axisColor, 1));
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        const QString text = frame.yAxis.label(tick);
        painter.setPen(look.textColor);
        painter.drawText(QPointF(plot.left() - kTickLength - 4 - metrics.horizontalAdvance(text),
                                 y + metrics.ascent() / 2 - 1),
                         text);
    }
    painter.setPen(QPen(look.axisColor, 1.2));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
}

// The graph's title above and the axis titles below and (turned) left of the plot.
void paintTitles(QPainter& painter, const SFrame& frame, const QRectF& area,
                 const CGraphTemplate& look, const QString& title, const QString& xText,
                 const QString& yText)
{
    const QRectF& plot = frame.plot;
    const qreal axisHeight = frame.axisMetrics.height();
    painter.setPen(look.textColor);
    if (!title.isEmpty()) {
        painter.setFont(frame.titleFont);
        painter.drawText(
            QRectF(area.left(), area.top() + kPad, area.width(), frame.titleMetrics.height()),
            Qt::AlignCenter, title);
    }
    painter.setFont(frame.axisFont);
    if (!xText.isEmpty()) {
        painter.drawText(
            QRectF(plot.left(), area.bottom() - kPad - axisHeight, plot.width(), axisHeight),
            Qt::AlignCenter, xText);
    }
    if (!yText.isEmpty()) {
        painter.save();
        painter.translate(area.left() + kPad, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisHeight), Qt::AlignCenter,
                         yText);
        painter.restore();
    }
}

// A line sample and the name of each curve, in the columns the layout made room for.
void paintLegend(QPainter& painter, const SFrame& frame, const CGraphTemplate& look,
                 const CGraphData& data)
{
    const qreal lineHeight = frame.legendLineHeight;
    painter.setFont(frame.legendFont);
    for (int i = 0; i < data.series.size(); ++i) {
        const qreal x =
            frame.plot.right() + kPad + (i / frame.legendRows) * (frame.legendColumnWidth + kPad);
        const qreal y = frame.plot.top() + (i % frame.legendRows) * lineHeight + lineHeight / 2;
        painter.setPen(QPen(look.seriesColor(i), look.lineWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x, y), QPointF(x + kLegendSample, y));
        painter.setPen(look.textColor);
        painter.drawText(QPointF(x + kLegendSample + 6, y + frame.legendMetrics.ascent() / 2 - 1),
                         data.series[i].name);
    }
}

} // namespace

bool CGraphPicture::load(const QByteArray& scriptText, QString* error)
{
    if (!m_script.parse(scriptText, error) || !m_data.parse(m_script.data, error))
        return false;
    // A missing template leaves the default look; one that is there but refused is named.
    const QString templatePath = m_script.templatePath();
    QString refusal;
    if (!templatePath.isEmpty() && !m_template.load(templatePath, &refusal) && !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return false;
    }
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

    const QString title = m_script.title;
    const QString xText = xTitle();
    const QString yText = yTitle();
    SFrame frame(painter.device(), look);
    setAxes(frame, look, m_data);
    layOut(frame, area, look, m_data, !title.isEmpty(), !xText.isEmpty(), !yText.isEmpty());
    paintGrid(painter, frame, look);

    // The curves, kept inside the plot.
    const QRectF& plot = frame.plot;
    painter.save();
    painter.setClipRect(
        plot.adjusted(-look.markerSize, -look.markerSize, look.markerSize, look.markerSize));
    const auto place = [&frame](const QPointF& value) { return frame.place(value); };
    for (int i = 0; i < m_data.series.size(); ++i)
        paintCurve(painter, m_data.series[i], look.seriesColor(i), look, place);
    painter.restore();
    if (!m_data.hasValues()) {
        painter.setPen(look.textColor);
        painter.setFont(frame.axisFont);
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No values to draw"));
    }

    paintTitles(painter, frame, area, look, title, xText, yText);
    if (frame.legend)
        paintLegend(painter, frame, look, m_data);
    painter.restore();
}
