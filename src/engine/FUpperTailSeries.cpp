// Upper tail of the central F distribution by its classical finite series in the degrees of
// freedom: Abramowitz and Stegun 26.6.4 (df1 even), 26.6.5 (df2 even) and 26.6.6 to 26.6.8
// (both odd, through the arctangent form of the t tail). The case order, the constants and
// the loop limits are fixed so that results are reproducible; only the arithmetic is chosen
// here:
// - w and 1 - w come from the ratio x df1 / df2 without cancellation, and the powers
//   w^(df2/2) = c^df2 and (1 - w)^(df1/2) are taken through logarithms (log1p for w), so they
//   keep full precision when df2 is in the millions;
// - the series are summed in extended precision with a binary rescale, and multiplied by their
//   power factor in log space, so a huge sum times an underflowing power gives the small
//   probability it stands for instead of inf * 0 = NaN;
// - cos and sin of theta = arctan(sqrt(x df1 / df2)) are sqrt(w) and sqrt(1 - w).

#include "engine/detail/FTailDetail.h"

#include <cmath>

using engine_detail::Real;

namespace {

constexpr Real kTwoOverPi = 0.6366197723675814L;
constexpr Real kFourOverPi = 1.2732395447351628L;
constexpr Real kLn2 = 0.693147180559945309417232121458176568L;
constexpr int kRescaleBits = 4096;

// A sum held as mantissa * 2^exponent.
struct ScaledSum
{
    Real mantissa;
    long exponent;
};

// S(q, start, limit, b): 1 + sum of term_i, term_i = term_(i-2) q i / (i - b), for
// i = start, start + 2, ... while i <= limit.
ScaledSum Series(Real q, Real start, Real limit, Real b)
{
    static const Real rescaleAt = std::ldexp(Real(1), kRescaleBits);
    Real term = 1;
    Real sum = 1;
    long exponent = 0;
    for (Real i = start; i <= limit; i += 2) {
        term *= q * i / (i - b);
        sum += term;
        if (term > rescaleAt) {
            term = std::ldexp(term, -kRescaleBits);
            sum = std::ldexp(sum, -kRescaleBits);
            exponent += kRescaleBits;
        }
    }
    return {sum, exponent};
}

// sum * exp(logFactor).
Real Times(const ScaledSum& sum, Real logFactor)
{
    if (sum.exponent == 0)
        return sum.mantissa * std::exp(logFactor);
    return std::exp(std::log(sum.mantissa) + sum.exponent * kLn2 + logFactor);
}

} // namespace

double engine_detail::FUpperTailSeries(double x, double df1In, double df2In)
{
    const Real df1 = df1In;
    const Real df2 = df2In;
    const BetaVariate v = BetaVariateOf(x, df1In, df2In);
    const Real logW = -std::log1p(v.ratio);

    if (IsEven(df1In)) {
        Real p = 0;
        if (v.w != 0)
            p = Times(Series(v.q, df2, df1 + df2 - 4, df2 - 2), df2 / 2 * logW);
        if (p >= 0)
            return static_cast<double>(p);
    }

    if (IsEven(df2In)) {
        if (v.q == 0)
            return 1;
        const Real p = 1 - Times(Series(v.w, df1, df1 + df2 - 4, df1 - 2), df1 / 2 * std::log(v.q));
        if (p >= 0)
            return static_cast<double>(p);
    }

    const Real theta = std::atan(std::sqrt(v.ratio));
    const Real c = std::sqrt(v.w);
    const Real s = std::sqrt(v.q);
    Real a = theta * kTwoOverPi;
    if (df2 > 1)
        a += Times(Series(v.w, 2, df2 - 3, -1), 0) * c * s * kTwoOverPi;
    if (df1 == 1)
        return static_cast<double>(1 - a);
    // c^df2 = w^(df2/2).
    Real b = Times(Series(v.q, df2 + 1, df1 + df2 - 4, df2 - 2), df2 / 2 * logW) * s * kFourOverPi;
    if (df2 == 1)
        return static_cast<double>(1 - a + b / 2);
    for (Real k = 2; k <= (df2 - 1) / 2; ++k)
        b = b * k / (k - 0.5L);
    return static_cast<double>(1 - a + b);
}
