#pragma once

#include "engine/detail/FTailDetail.h"

namespace engine_detail {

// The most terms the continued fraction of the incomplete beta function takes; the
// parameters of the F tails converge in far fewer.
constexpr int BetaFractionMaxTerms = 200000;

// Regularised incomplete beta function I_x(a, b) for a, b > 0, given x and y = 1 - x
// separately so that a value of x near 1 loses no digits. NaN when a or b is not positive,
// and when the continued fraction has not converged within maxTerms terms.
Real RegularizedIncompleteBeta(Real x, Real y, Real a, Real b, int maxTerms = BetaFractionMaxTerms);

} // namespace engine_detail
