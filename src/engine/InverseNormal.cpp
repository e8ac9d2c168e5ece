// Inverse of the two-tailed standard normal tail by bisection over u = 1 / (1 + z).
// The tail is the rational approximation of Abramowitz and Stegun 26.2.19,
// 2 Q(z) ~ (1 + d1 z + ... + d6 z^6)^-16, with its coefficients cut to the digits below so
// that every build gives the same deviates to the last digit.

#include "engine/Distributions.h"

#include <cmath>

double InverseTwoTailedNormal(double p)
{
    constexpr double d1 = 0.04986735;
    constexpr double d2 = 0.02114101;
    constexpr double d3 = 0.00327763;
    constexpr double d4 = 0.0000380036;
    constexpr double d5 = 0.0000488906;
    constexpr double d6 = 0.000005383;

    double u = 0.5;
    double step = 0.5;
    for (;;) {
        const double z = std::fabs(1 / u - 1);
        step *= 0.5;
        const double t = 1 + z * (d1 + z * (d2 + z * (d3 + z * (d4 + z * (d5 + z * d6)))));
        const double t2 = t * t;
        const double t4 = t2 * t2;
        const double t8 = t4 * t4;
        const double tail = 1 / (t8 * t8);
        if (tail > p)
            u -= step;
        else
            u += step;
        // The deviate returned is the one tested in this pass, not the updated u.
        if (step <= 1e-7)
            return z;
    }
}
