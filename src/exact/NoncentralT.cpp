// Power of t tests from the noncentral t distribution: under the alternative, the statistic
// of a one- or two-sample t test follows the noncentral t with the test's degrees of freedom
// and noncentrality delta / SE (Owen 1965, Technometrics 7, 78-81; Cohen 1988, Statistical
// Power Analysis for the Behavioral Sciences, ch. 2). Boost.Math evaluates the distribution
// by the series of Benton and Krishnamoorthy (2003), Computational Statistics & Data
// Analysis 43, 249-267.
#include "exact/NoncentralT.h"

#include "exact/ExactPolicy.h"
#include "exact/RootSearch.h"

#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <cmath>
#include <limits>

namespace {

const double NotFound = std::numeric_limits<double>::quiet_NaN();

// Beyond this noncentrality the lower rejection region holds less than Phi(-8.5), about
// 1e-17, of the distribution: below the rounding of the upper one.
const double LowerTailNegligible = 8.5;

// Largest noncentrality searched; only powers within about 1e-12 of 1 at one or two degrees
// of freedom need more.
const double LargestNoncentrality = 1e12;

// From this noncentrality on, P(T > t) is P(chi-square(df) < df (delta / t)^2): with
// T = (Z + delta) / S, S^2 = chi-square(df) / df, the normal Z moves the bound delta / t on S
// by a share of about 1 / delta only, below 1e-8 of it here. Boost's series give up (and
// raise a rounding error whatever the policy) from about 1e5.
const double HugeNoncentrality = 1e4;

// The critical value of the last call: a table's cells share it along each row.
struct CriticalCache
{
    double df = -1;
    double tail = -1;
    double critical = 0;
};

double CriticalT(double df, const ExactLevel& level)
{
    thread_local CriticalCache cache;
    const double tail = level.TailProbability();
    if (cache.df == df && cache.tail == tail)
        return cache.critical;
    const boost::math::students_t_distribution<double, ExactPolicy> central(df);
    cache.critical = boost::math::quantile(boost::math::complement(central, tail));
    cache.df = df;
    cache.tail = tail;
    return cache.critical;
}

double PowerBeyond(double critical, double noncentrality, double df, bool twoTailed)
{
    if (noncentrality >= HugeNoncentrality) {
        const double bound = noncentrality / critical;
        return boost::math::gamma_p(df / 2, df * bound * bound / 2, ExactPolicy());
    }
    const boost::math::non_central_t_distribution<double, ExactPolicy> shifted(df, noncentrality);
    double power = boost::math::cdf(boost::math::complement(shifted, critical));
    if (twoTailed && noncentrality < LowerTailNegligible)
        power += boost::math::cdf(shifted, -critical);
    return power;
}

} // namespace

double TPower(double noncentrality, double df, const ExactLevel& level)
{
    if (!(df > 0) || !(noncentrality >= 0) || !(level.alpha > 0 && level.alpha < 1))
        return NotFound;
    return PowerBeyond(CriticalT(df, level), noncentrality, df, level.twoTailed);
}

double TNoncentralityForPower(double power, double df, const ExactLevel& level, double guess)
{
    if (!(df > 0) || !level.Admits(power))
        return NotFound;
    const double critical = CriticalT(df, level);
    if (!std::isfinite(critical))
        return NotFound;
    const auto shortfall = [&](double delta) {
        return PowerBeyond(critical, delta, df, level.twoTailed) - power;
    };
    // The written approximation's error shrinks with the degrees of freedom: about a tenth of
    // the noncentrality at 2 df, a few parts in a thousand at 200.
    if (guess > 0 && guess < LargestNoncentrality)
        return SolveRisingNear(shortfall, 0, guess, guess / (8 + df), LargestNoncentrality);
    // The normal approximation starts the bracket: z of the tail plus z of the power.
    const boost::math::normal_distribution<double, ExactPolicy> normal;
    const double start = critical + boost::math::quantile(normal, power);
    return SolveRisingUpward(shortfall, 0, std::fmax(start, 0.5), LargestNoncentrality);
}

double TIntervalShare(double ratio, double df, const ExactLevel& level)
{
    if (!(df > 0) || !(ratio >= 0) || !(level.alpha > 0 && level.alpha < 1))
        return NotFound;
    const double bound = ratio / CriticalT(df, level);
    return boost::math::gamma_p(df / 2, df * bound * bound / 2, ExactPolicy());
}
