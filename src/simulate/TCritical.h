#pragma once

struct ExactLevel;

/// The critical value of a t test with df degrees of freedom at the level: the upper
/// quantile of each rejection region.
double TCritical(double df, const ExactLevel& level);

/// True when statistic t is in the rejection region: beyond critical on either side for a
/// two-tailed test, otherwise on the side of the sign of the true effect (0 counts as above).
bool TRejects(double t, double critical, bool twoTailed, double effect);
