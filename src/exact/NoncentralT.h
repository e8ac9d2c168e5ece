#pragma once

#include "exact/ExactLevel.h"

/// Power of a t test with df degrees of freedom (> 0) whose statistic has the noncentrality
/// noncentrality >= 0: P(T > t) + P(T < -t) two-tailed, with t the upper alpha / 2 point of
/// the central t distribution, and P(T > t) one-tailed, with t its upper alpha point.
double TPower(double noncentrality, double df, const ExactLevel& level);

/// The noncentrality at which that t test has the power (a fraction); NaN when the level
/// does not admit the power or df is not positive.
double TNoncentralityForPower(double power, double df, const ExactLevel& level);
