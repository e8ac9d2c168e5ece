#pragma once

/// Power of an F test with df1 and df2 degrees of freedom (> 0) at level alpha when the
/// statistic has the noncentrality lambda >= 0: P(F > f) for f the upper alpha point of the
/// central F distribution.
double FPower(double lambda, double df1, double df2, double alpha);

/// The noncentrality lambda at which that F test has the power (a fraction); NaN when power
/// is not above alpha or not below 1, or a df is not positive.
double FNoncentralityForPower(double power, double df1, double df2, double alpha);
