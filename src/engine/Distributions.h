#pragma once

/// Standard normal deviate z >= 0 whose two-tailed tail probability is p (0 < p <= 1), by a
/// fixed 23-step bisection over the Abramowitz and Stegun 26.2.19 tail approximation.
double InverseTwoTailedNormal(double p);

/// Upper-tail probability of the central F(df1, df2) distribution beyond x >= 0; df1 and df2
/// are whole numbers held as doubles.
double FUpperTail(double x, double df1, double df2);

/// Critical value F with upper-tail probability alpha for F(df1, df2), by a fixed 26-step
/// bisection. Results are memoised by (alpha, df1, df2); the function is thread-safe.
double CriticalF(double alpha, double df1, double df2);

/// Number of decimals to print for an effect scaled on x.
int DecimalsFor(double x);
