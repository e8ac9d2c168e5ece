#pragma once

#include "FTailDetail.h"

namespace engine_detail {

// Regularised incomplete beta function I_x(a, b) for a, b > 0, given x and y = 1 - x
// separately so that a value of x near 1 loses no digits. NaN when a or b is not positive.
Real RegularizedIncompleteBeta(Real x, Real y, Real a, Real b);

} // namespace engine_detail
