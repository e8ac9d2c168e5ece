// Regularised incomplete beta function by its continued fraction, Abramowitz and Stegun
// 26.5.8, evaluated with the modified Lentz method (Numerical Recipes in C, 2nd ed., 5.2 and
// 6.4; Lentz, Applied Optics 15, 1976). The fraction converges quickly for
// x < (a + 1) / (a + b + 2); above that, I_x(a, b) = 1 - I_(1-x)(b, a) (26.5.2).
//
// When a is much larger than b that region reaches x close to 1, where the coefficients of
// 26.5.8 tend to -1 and cost about log10(a) digits. There the same function is taken as
// x^a (1-x)^(b-1) / (a B(a, b)) 2F1(1, 1 - b; a + 1; -x / (1 - x)) (Pfaff's transformation,
// Abramowitz and Stegun 15.3.4, applied to the hypergeometric form of 26.5.8), whose Gauss
// continued fraction has coefficients of order one.
//
// The prefactor x^a (1 - x)^b / B(a, b) is built in log space from Stirling's series
// (Abramowitz and Stegun 6.1.40) with the large parts of ln B(a, b) cancelled analytically,
// as in DiDonato and Morris (ACM TOMS 18, 1992, 360-373), so that it keeps full precision when
// a or b is in the millions, as for the F tail I_w(df2 / 2, df1 / 2) (26.6.2) of a large
// experiment.

#include "engine/detail/IncompleteBeta.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

using engine_detail::Real;

namespace {

constexpr Real kHalfLog2Pi = 0.918938533204672741780329736405617640L;
// Stirling's series below is accurate to about 2e-18 from here on.
constexpr Real kStirlingFrom = 10;
constexpr Real kTiny = 1e-300L;
constexpr Real kTolerance = 8 * std::numeric_limits<Real>::epsilon();

// ln Gamma(z) - [(z - 1/2) ln z - z + ln(2 pi) / 2] for z >= kStirlingFrom.
Real StirlingCorrection(Real z)
{
    const Real r = 1 / z;
    const Real r2 = r * r;
    return r * (1.0L / 12 +
                r2 * (-1.0L / 360 +
                      r2 * (1.0L / 1260 +
                            r2 * (-1.0L / 1680 +
                                  r2 * (1.0L / 1188 +
                                        r2 * (-691.0L / 360360 +
                                              r2 * (1.0L / 156 + r2 * (-3617.0L / 122400))))))));
}

// ln Gamma(z) for z > 0, without the shared state that the C library's lgamma writes.
Real LogGamma(Real z)
{
    Real shift = 1;
    while (z < kStirlingFrom) {
        shift *= z;
        z += 1;
    }
    return (z - 0.5L) * std::log(z) - z + kHalfLog2Pi + StirlingCorrection(z) - std::log(shift);
}

// ln x, given x and y = 1 - x.
Real LogOf(Real x, Real y)
{
    return x < 0.5L ? std::log(x) : std::log1p(-y);
}

// ln(x^a y^b / B(a, b)), symmetric in (x, a) and (y, b).
Real LogPowersOverBeta(Real x, Real y, Real a, Real b)
{
    Real lnX = LogOf(x, y);
    Real lnY = LogOf(y, x);
    if (a < kStirlingFrom && b < kStirlingFrom)
        return a * lnX + b * lnY - LogGamma(a) - LogGamma(b) + LogGamma(a + b);
    if (a >= kStirlingFrom && b >= kStirlingFrom)
        return a * (lnX + std::log1p(b / a)) + b * (lnY + std::log1p(a / b)) +
               0.5L * std::log(a / (a + b) * b) - kHalfLog2Pi + StirlingCorrection(a + b) -
               StirlingCorrection(a) - StirlingCorrection(b);
    if (a < b) {
        std::swap(a, b);
        std::swap(lnX, lnY);
    }
    // a large, b small: ln Gamma(a + b) - ln Gamma(a)
    //   = (a - 1/2) log1p(b / a) + b ln(a + b) - b + corrections.
    return a * lnX + (a - 0.5L) * std::log1p(b / a) + b * (lnY + std::log(a + b)) - b -
           LogGamma(b) + StirlingCorrection(a + b) - StirlingCorrection(a);
}

Real NotTiny(Real v)
{
    return std::fabs(v) < kTiny ? kTiny : v;
}

// Evaluates 1 / (1 + c(1) / (1 + c(2) / ...)) by the modified Lentz method, for the
// coefficients c(n) = coefficient(n). NaN when maxTerms terms do not reach the tolerance: a
// value short of convergence would pass for a result.
template <typename Coefficient> Real Lentz(Real first, Coefficient coefficient, int maxTerms)
{
    Real c = 1;
    Real d = 1 / NotTiny(1 + first);
    Real h = d;
    for (int n = 2; n <= maxTerms; ++n) {
        const Real cn = coefficient(n);
        d = 1 / NotTiny(1 + cn * d);
        c = NotTiny(1 + cn / c);
        const Real delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) <= kTolerance)
            return h;
    }
    return std::numeric_limits<Real>::quiet_NaN();
}

// I_x(a, b) by 26.5.8, for x below (a + 1) / (a + b + 2) and at most 1/2:
// d(2m+1) = -(a+m)(a+b+m) x / ((a+2m)(a+2m+1)), d(2m) = m(b-m) x / ((a+2m-1)(a+2m)).
Real FractionInX(Real x, Real y, Real a, Real b, int maxTerms)
{
    const auto d = [=](int n) {
        const Real m = n / 2;
        if (n % 2 == 0)
            return m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m));
        return -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
    };
    return std::exp(LogPowersOverBeta(x, y, a, b) - std::log(a)) * Lentz(d(1), d, maxTerms);
}

// I_x(a, b) for x above 1/2 but below (a + 1) / (a + b + 2), which needs a > b. There the
// coefficients of 26.5.8 tend to -1 and the fraction loses about log10(a) digits. The same
// hypergeometric function after Pfaff's transformation, 2F1(1, 1 - b; a + 1; -x / y), has
// coefficients of order one in r = x / y (Gauss's continued fraction):
// e(2m+1) = (m+1-b)(a+m) r / ((a+2m)(a+2m+1)), e(2m) = m(a+b+m-1) r / ((a+2m-1)(a+2m)),
// I_x(a, b) = x^a y^(b-1) / (a B(a, b)) / (1 + e(1) / (1 + e(2) / ...)).
Real FractionInRatio(Real x, Real y, Real a, Real b, int maxTerms)
{
    const Real r = x / y;
    const auto e = [=](int n) {
        const Real m = n / 2;
        if (n % 2 == 0)
            return m * (a + b + m - 1) * r / ((a + 2 * m - 1) * (a + 2 * m));
        return (m + 1 - b) * (a + m) * r / ((a + 2 * m) * (a + 2 * m + 1));
    };
    return std::exp(LogPowersOverBeta(x, y, a, b) - std::log(a * y)) * Lentz(e(1), e, maxTerms);
}

// I_x(a, b) where the fractions converge quickly, x < (a + 1) / (a + b + 2).
Real ConvergentBeta(Real x, Real y, Real a, Real b, int maxTerms)
{
    return x <= 0.5L ? FractionInX(x, y, a, b, maxTerms) : FractionInRatio(x, y, a, b, maxTerms);
}

} // namespace

Real engine_detail::RegularizedIncompleteBeta(Real x, Real y, Real a, Real b, int maxTerms)
{
    if (!(a > 0 && b > 0))
        return std::numeric_limits<Real>::quiet_NaN();
    if (x <= 0)
        return 0;
    if (y <= 0)
        return 1;
    if (x * (a + b + 2) < a + 1)
        return ConvergentBeta(x, y, a, b, maxTerms);
    return 1 - ConvergentBeta(y, x, b, a, maxTerms);
}

double engine_detail::FUpperTailBeta(double x, double df1, double df2)
{
    const BetaVariate v = BetaVariateOf(x, df1, df2);
    const Real p = RegularizedIncompleteBeta(v.w, v.q, Real(df2) / 2, Real(df1) / 2);
    // A fraction that did not converge stays NaN: the critical value fails with it.
    if (std::isnan(p))
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(std::clamp(p, Real(0), Real(1)));
}
