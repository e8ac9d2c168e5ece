#include "engine/Distributions.h"

#include <cmath>

int DecimalsFor(double x)
{
    // NaN has no magnitude to scale on; it gets the same answer as zero rather than an
    // undefined float-to-int conversion.
    if (x <= 1e-10 || std::isnan(x))
        return 10;
    if (x > 1)
        return 2;
    return static_cast<int>(2 - std::log10(x));
}
