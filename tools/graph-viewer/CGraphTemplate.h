#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <QVector>

/// The look of a graph, read from a template file of "key=value" lines ("#" starts a
/// comment line). Keys:
///   width, height             size of a written picture in pixels
///   font                      font family
///   background, plotBackground, textColor, axisColor, gridColor    colours (#rrggbb or a name)
///   titleSize, axisTitleSize, tickSize, legendSize                 text sizes in points
///   lineWidth, markerSize     curve width and point-marker diameter in pixels (0: none)
///   legend                    right or none
///   xScale                    auto, linear or log (auto: log when all x > 0 span a
///                             factor of 50 or more)
///   xTitle, yTitle            axis titles used when the script sets none
///   palette                   curve colours separated by commas, used in turn
/// Unknown keys and unreadable values are skipped; every key has a default, so a graph is
/// drawn without any template.
class CGraphTemplate
{
public:
    enum class Scale
    {
        Auto,
        Linear,
        Log
    };

    CGraphTemplate();

    /// A template holds a few lines; a larger file is refused.
    static constexpr qint64 MaxFileSize = 1 << 20;

    /// Reads the template file at path; false, with the defaults kept, when it cannot be
    /// read. error, when given, then says why, unless the file is missing: a file that is
    /// there but not a regular file of at most MaxFileSize bytes is refused unread.
    bool load(const QString& path, QString* error = nullptr);
    /// Reads template text over the current settings.
    void parse(const QByteArray& text);

    /// The colour of curve index.
    QColor seriesColor(int index) const;

    QSize size;
    QString fontFamily;
    QColor background;
    QColor plotBackground;
    QColor textColor;
    QColor axisColor;
    QColor gridColor;
    qreal titleSize;
    qreal axisTitleSize;
    qreal tickSize;
    qreal legendSize;
    qreal lineWidth;
    qreal markerSize;
    bool legend;
    Scale xScale;
    QString xTitle;
    QString yTitle;
    QVector<QColor> palette;
};
