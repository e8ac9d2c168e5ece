// Critical values of the central F distribution by a fixed 26-step bisection over
// u = 1 / (1 + x), on the upper tail of Abramowitz and Stegun 26.6.4 to 26.6.8 for small
// degrees of freedom and on the incomplete beta form 26.6.2 with 26.5.8 for large ones.

#include "engine/Distributions.h"

#include "engine/detail/CCriticalFCache.h"
#include "engine/detail/FTailDetail.h"

#include <cmath>

namespace {

// Beyond about this many terms the finite series costs more than the continued fraction
// (both near 0.9 us per tail at df1 = 19, df2 = 480). The two give the same critical values
// where they overlap (checked by the engine tests), so the switch never shows in a result.
constexpr double kMaxSeriesTerms = 250;
// A few tables' worth of (alpha, df1, df2) triples, about a hundred bytes each.
constexpr std::size_t kCacheCapacity = 4096;

CCriticalFCache& Cache()
{
    static CCriticalFCache cache(kCacheCapacity);
    return cache;
}

} // namespace

bool engine_detail::UsesFiniteSeries(double df1, double df2)
{
    // df1 even runs over df1 / 2 terms; otherwise the series run over df2 (and df1 / 2).
    const double terms = IsEven(df1) ? df1 / 2 : (df1 + df2) / 2;
    return !(terms > kMaxSeriesTerms);
}

double FUpperTail(double x, double df1, double df2)
{
    if (engine_detail::UsesFiniteSeries(df1, df2))
        return engine_detail::FUpperTailSeries(x, df1, df2);
    return engine_detail::FUpperTailBeta(x, df1, df2);
}

double engine_detail::CriticalFBisection(double alpha, double df1, double df2, TailFunction tail)
{
    double u = 0.5;
    double step = 0.5;
    for (;;) {
        const double x = 1 / u - 1;
        step *= 0.5;
        const double p = tail(x, df1, df2);
        // A tail that could not be computed leaves no critical value to find.
        if (std::isnan(p))
            return p;
        if (p <= alpha)
            u += step; // x was too large
        else
            u -= step;
        // The value returned is the one tested in this pass, not the updated u.
        if (step <= 1e-8)
            return x;
    }
}

double CriticalF(double alpha, double df1, double df2)
{
    if (const auto cached = Cache().find(alpha, df1, df2))
        return *cached;
    // Computed outside the lock so that callers on other threads are not held up.
    const double value = engine_detail::CriticalFBisection(alpha, df1, df2, FUpperTail);
    Cache().insert(alpha, df1, df2, value);
    return value;
}

void engine_detail::ClearCriticalFCache()
{
    Cache().clear();
}

std::size_t engine_detail::CriticalFCacheSize()
{
    return Cache().size();
}
