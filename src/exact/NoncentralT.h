#pragma once

#include "exact/ExactLevel.h"

/// Power of a t test with df degrees of freedom (> 0) whose statistic has the noncentrality
/// noncentrality >= 0: P(T > t) + P(T < -t) two-tailed, with t the upper alpha / 2 point of
/// the central t distribution, and P(T > t) one-tailed, with t its upper alpha point.
double TPower(double noncentrality, double df, const ExactLevel& level);

/// The noncentrality at which that t test has the power (a fraction); NaN when the level
/// does not admit the power or df is not positive. A guess > 0 near the answer (the written
/// approximation's) lets the search bracket it in a few steps; 0 starts from the normal
/// approximation.
double TNoncentralityForPower(double power, double df, const ExactLevel& level, double guess = 0);

/// The chance that the two-sided confidence interval of a t test with df degrees of freedom,
/// at the confidence 1 - level.alpha (two-tailed level) or 1 - 2 level.alpha (one-tailed),
/// extends at most ratio standard errors in each direction: its half-width is t times the
/// estimated standard error, whose square over the true one's is chi-square(df) / df, so the
/// chance is P(chi-square(df) <= df (ratio / t)^2). NaN for df <= 0 or a negative ratio.
double TIntervalShare(double ratio, double df, const ExactLevel& level);
