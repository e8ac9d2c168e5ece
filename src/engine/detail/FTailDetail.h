#pragma once

// Internals of the F-distribution routines, shared by the engine, its tests and benchmarks.

#include <cmath>
#include <cstddef>

namespace engine_detail {

// Working precision of the tail evaluations: the series of large degrees of freedom run over
// many thousands of terms, so they are summed with the extended precision of the platform.
using Real = long double;

// The F variate x expressed as the beta variate w = df2 / (df2 + df1 x) and its complement
// q = 1 - w, each formed without cancellation.
struct BetaVariate
{
    Real w;
    Real q;
    Real ratio; // x df1 / df2
};

inline BetaVariate BetaVariateOf(double x, double df1, double df2)
{
    const Real ratio = Real(x) * df1 / df2;
    const Real w = 1 / (1 + ratio);
    const Real q = std::isinf(ratio) ? Real(1) : ratio / (1 + ratio);
    return {w, q, ratio};
}

// Parity of a degree of freedom is that of its value truncated to an integer.
inline bool IsEven(double df)
{
    return std::fmod(std::trunc(df), 2.0) == 0;
}

// Upper tail of F(df1, df2) beyond x by the classical finite series in the degrees of freedom.
// Costs about df1 / 2 terms when df1 is even and about df2 terms otherwise.
double FUpperTailSeries(double x, double df1, double df2);

// The same tail as the regularised incomplete beta function I_w(df2 / 2, df1 / 2), by its
// continued fraction; a few dozen terms for a small df1, whatever df2.
double FUpperTailBeta(double x, double df1, double df2);

// Whether FUpperTail uses the finite series for these degrees of freedom (else the beta form).
bool UsesFiniteSeries(double df1, double df2);

using TailFunction = double (*)(double x, double df1, double df2);

// The fixed 26-step bisection of CriticalF with the given tail, without the memo.
double CriticalFBisection(double alpha, double df1, double df2, TailFunction tail);

// Empties the process-wide memo of CriticalF and reports its size.
void ClearCriticalFCache();
std::size_t CriticalFCacheSize();

} // namespace engine_detail
