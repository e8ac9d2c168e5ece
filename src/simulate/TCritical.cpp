#include "simulate/TCritical.h"

#include "exact/ExactLevel.h"

#include <boost/math/distributions/students_t.hpp>

#include <cmath>

double TCritical(double df, const ExactLevel& level)
{
    const boost::math::students_t distribution(df);
    return boost::math::quantile(boost::math::complement(distribution, level.TailProbability()));
}

bool TRejects(double t, double critical, bool twoTailed, double effect)
{
    if (std::isnan(t))
        return false;
    if (twoTailed)
        return std::fabs(t) >= critical;
    return effect >= 0 ? t >= critical : -t >= critical;
}
