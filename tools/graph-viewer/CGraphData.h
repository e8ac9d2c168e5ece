#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

/// The table of a graph script, as curves. Two layouts are known:
/// - a sample-size table: a header "<row label>\t<power>%\t...", then per sample size N a
///   line "N\t<value>\t..."; each power column becomes a curve of the value against N;
/// - a power table: the header "<row label>\tPower(%)", then per power a line
///   "<value>\t<power>"; it becomes one curve of the value against the power.
/// An empty field is a value without a valid result: the curve has a gap there.
class CGraphData
{
public:
    enum class Kind
    {
        SampleSize,
        Power
    };

    struct Series
    {
        QString name;
        /// One point per table row; y is NaN where the table has no value.
        QVector<QPointF> points;
    };

    /// Reads the data lines. False, with the reason in error, for a table without a header
    /// or with a row whose first field is not a number.
    bool parse(const QString& text, QString* error);

    /// True when some curve has at least one value.
    bool hasValues() const;
    /// The smallest rectangle around every point that has a value: left() and right() are
    /// the smallest and largest x, top() and bottom() the smallest and largest y.
    QRectF valueBounds() const;

    Kind kind = Kind::SampleSize;
    /// The header of the first column (the row label).
    QString firstColumn;
    /// The header of the second column of a power table.
    QString secondColumn;
    QVector<Series> series;
};
