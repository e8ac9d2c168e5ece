#pragma once

#include <functional>

/// Relative tolerance of every exact search: 2^-43, about 1.1e-13.
constexpr int RootSearchBits = 44;

/// Most evaluations one search may take, so that no input can keep it going.
constexpr int RootSearchMaxEvaluations = 200;

/// The root of f, a function that rises through 0 on [lo, hi], with f(lo) <= 0 <= f(hi), by
/// the TOMS 748 bracketing method to RootSearchBits. NaN when the bracket does not hold.
double SolveRising(const std::function<double(double)>& f, double lo, double hi);

/// The root of f, rising through 0 on [lo, infinity), with f(lo) <= 0: the upper end starts
/// at guess (> lo) and doubles (its distance from lo) until f changes sign, at most until
/// limit. NaN when f stays below 0 up to limit or is NaN there.
double SolveRisingUpward(const std::function<double(double)>& f, double lo, double guess,
                         double limit);

/// The root of f, rising through 0 on [lo, limit], searched from guess (lo < guess <= limit)
/// that lies near it: the bracket grows from firstStep (> 0; about the guess's expected
/// error) on the side where f changes sign, doubling the step, and is clipped at lo and
/// limit. NaN when f does not change sign on [lo, limit] or is NaN where the bracket is
/// decided.
double SolveRisingNear(const std::function<double(double)>& f, double lo, double guess,
                       double firstStep, double limit);
