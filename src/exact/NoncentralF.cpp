// Power of the one-way ANOVA F test from the noncentral F distribution: with k groups and N
// subjects the statistic follows F'(k - 1, N - k, lambda = N f^2) (Cohen 1988, Statistical
// Power Analysis for the Behavioral Sciences, ch. 8). Boost.Math evaluates it through the
// noncentral beta distribution (Posten 1993; Ding 1992, Applied Statistics 41, 478-482).
#include "exact/NoncentralF.h"

#include "exact/ExactPolicy.h"
#include "exact/RootSearch.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_f.hpp>

#include <cmath>
#include <limits>

namespace {

const double NotFound = std::numeric_limits<double>::quiet_NaN();

// Largest noncentrality searched; only powers within about 1e-12 of 1 with one or two
// residual degrees of freedom need more.
const double LargestNoncentrality = 1e12;

double CriticalF(double df1, double df2, double alpha)
{
    const boost::math::fisher_f_distribution<double, ExactPolicy> central(df1, df2);
    return boost::math::quantile(boost::math::complement(central, alpha));
}

double PowerBeyond(double critical, double lambda, double df1, double df2)
{
    if (lambda == 0)
        return boost::math::cdf(boost::math::complement(
            boost::math::fisher_f_distribution<double, ExactPolicy>(df1, df2), critical));
    const boost::math::non_central_f_distribution<double, ExactPolicy> shifted(df1, df2, lambda);
    return boost::math::cdf(boost::math::complement(shifted, critical));
}

bool Valid(double df1, double df2, double alpha)
{
    return df1 > 0 && df2 > 0 && alpha > 0 && alpha < 1;
}

} // namespace

double FPower(double lambda, double df1, double df2, double alpha)
{
    if (!Valid(df1, df2, alpha) || !(lambda >= 0))
        return NotFound;
    return PowerBeyond(CriticalF(df1, df2, alpha), lambda, df1, df2);
}

double FNoncentralityForPower(double power, double df1, double df2, double alpha)
{
    if (!Valid(df1, df2, alpha) || !(power > alpha && power < 1))
        return NotFound;
    const double critical = CriticalF(df1, df2, alpha);
    if (!std::isfinite(critical))
        return NotFound;
    return SolveRisingUpward(
        [&](double lambda) { return PowerBeyond(critical, lambda, df1, df2) - power; }, 0, df1 + 8,
        LargestNoncentrality);
}
