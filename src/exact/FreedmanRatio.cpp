// Freedman (1982), "Tables of the number of patients required in clinical trials using the
// logrank test", Statistics in Medicine 1, 121-129: D = ((1 + h) / (1 - h))^2 (z_a + z_b)^2
// events detect the hazard ratio h; with proportional hazards the treated group's surviving
// share is S^h, so two groups of n give n (2 - S - S^h) events.
#include "exact/FreedmanRatio.h"

#include "exact/ExactPolicy.h"
#include "exact/RootSearch.h"

#include <boost/math/distributions/normal.hpp>

#include <cmath>
#include <limits>

namespace {

// The largest hazard ratio searched: 1 - 2^-40. The events needed there, about 4.8e24 Z^2,
// exceed any admissible study unless Z is below 1e-9.
const double LargestRatio = 1 - std::ldexp(1.0, -40);

} // namespace

double FreedmanHazardRatio(double survival, double nPerGroup, double power, const ExactLevel& level)
{
    const double notFound = std::numeric_limits<double>::quiet_NaN();
    if (!level.Admits(power) || !(survival > 0 && survival < 1) || !(nPerGroup > 0) ||
        !std::isfinite(nPerGroup))
        return notFound;
    const boost::math::normal_distribution<double, ExactPolicy> normal;
    const double z =
        boost::math::quantile(normal, power) +
        boost::math::quantile(boost::math::complement(normal, level.TailProbability()));
    if (!(z > 0))
        return notFound;
    // On the log scale, so that the events needed near h = 1 stay finite.
    const auto shortfall = [&](double h) {
        const double events = 2 * (std::log1p(h) - std::log1p(-h) + std::log(z));
        const double expected = std::log(nPerGroup * (2 - survival - std::pow(survival, h)));
        return events - expected;
    };
    if (!(shortfall(0) < 0))
        return notFound;
    if (shortfall(LargestRatio) < 0)
        return LargestRatio;
    return SolveRising(shortfall, 0, LargestRatio);
}
