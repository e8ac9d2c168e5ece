#include "graph-viewer/CGraphAxis.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest magnitude an axis covers, and the smallest positive lower end of a
// logarithmic one. Data beyond them (up to the largest double) would make the span, the step
// or their logarithms infinite, and those are turned into ints below.
constexpr double kLargest = 1e300;
constexpr double kSmallestPositive = 1e-300;
// A logarithmic axis stays further inside, so that rounding its ends out to whole groups of
// decades stays finite as well.
constexpr double kLargestLog = 1e250;
constexpr double kSmallestLog = 1e-250;
// How far outside the axis a placed value may lie; a curve beyond is clipped anyway.
constexpr double kFractionLimit = 1e3;

// The round step (1, 2 or 5 times a power of ten) nearest above rough.
double niceStep(double rough)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double residual = rough / magnitude;
    const double factor = residual <= 1 ? 1 : residual <= 2 ? 2 : residual <= 5 ? 5 : 10;
    return factor * magnitude;
}

} // namespace

void CGraphAxis::setRange(double low, double high, bool logarithmic)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        low = 0, high = 1;
    if (low > high)
        std::swap(low, high);
    low = std::clamp(low, -kLargest, kLargest);
    high = std::clamp(high, -kLargest, kLargest);
    if (logarithmic && low > 0) {
        low = std::clamp(low, kSmallestLog, kLargestLog);
        high = std::clamp(high, kSmallestLog, kLargestLog);
    }
    m_ticks.clear();
    m_logarithmic = logarithmic && low > 0;
    if (m_logarithmic) {
        const int first = int(std::floor(std::log10(low) + 1e-9));
        int last = int(std::ceil(std::log10(high) - 1e-9));
        if (last <= first)
            last = first + 1;
        // Many decades get a tick every few decades only.
        const int every = std::max(1, (last - first + 9) / 10);
        last = first + (last - first + every - 1) / every * every;
        m_lower = std::pow(10.0, first);
        m_upper = std::pow(10.0, last);
        // Few decades get the 2 and 5 between the powers of ten as well.
        const bool fine = last - first <= 2;
        for (int decade = first; decade <= last; decade += every) {
            const double base = std::pow(10.0, decade);
            m_ticks << base;
            if (fine && decade < last)
                m_ticks << 2 * base << 5 * base;
        }
        m_step = m_lower;
        return;
    }
    if (high - low < 1e-12 * std::max(1.0, std::fabs(high))) {
        // A value too small to widen by a tenth of itself is taken as zero.
        const double pad = std::fabs(low) < kSmallestPositive ? 1 : std::fabs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    m_step = niceStep((high - low) / 5);
    m_lower = std::floor(low / m_step + 1e-9) * m_step;
    m_upper = std::ceil(high / m_step - 1e-9) * m_step;
    const int count = int(std::lround((m_upper - m_lower) / m_step));
    for (int i = 0; i <= count; ++i)
        m_ticks << m_lower + i * m_step;
}

double CGraphAxis::fraction(double value) const
{
    double result = 0;
    if (m_logarithmic) {
        if (value <= 0)
            return -1;
        result =
            (std::log10(value) - std::log10(m_lower)) / (std::log10(m_upper) - std::log10(m_lower));
    } else {
        // Halves first: the difference of two values near the largest double overflows.
        result = (value / 2 - m_lower / 2) / (m_upper / 2 - m_lower / 2);
    }
    return std::isnan(result) ? 0 : std::clamp(result, -kFractionLimit, kFractionLimit);
}

QString CGraphAxis::label(double value) const
{
    if (m_logarithmic)
        return QString::number(value, 'g', 6);
    const double places = -std::floor(std::log10(m_step) + 1e-9);
    const int decimals = std::isfinite(places) ? int(std::clamp(places, 0.0, 300.0)) : 0;
    // Rounding first keeps a tick at zero from reading "-0".
    const double rounded = std::round(value / m_step) * m_step;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}
