#pragma once

#include <QString>
#include <QVector>

/// One axis of a graph: a range widened to round numbers, its tick values and the place of
/// a value along it, on a linear or a logarithmic scale.
class CGraphAxis
{
public:
    /// Covers [low, high] (in either order). A logarithmic axis needs low and high > 0 and
    /// falls back to a linear one otherwise; an empty range is widened around its value.
    void setRange(double low, double high, bool logarithmic);

    double lower() const { return m_lower; }
    double upper() const { return m_upper; }
    bool isLogarithmic() const { return m_logarithmic; }
    const QVector<double>& ticks() const { return m_ticks; }

    /// Where value lies between lower() (0) and upper() (1).
    double fraction(double value) const;
    /// The text of a tick value: as few decimals as the tick step needs.
    QString label(double value) const;

private:
    double m_lower = 0;
    double m_upper = 1;
    double m_step = 0.2;
    bool m_logarithmic = false;
    QVector<double> m_ticks;
};
