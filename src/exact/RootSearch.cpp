// Root finding by Alefeld, Potra and Shi (1995), "Algorithm 748: enclosing zeros of
// continuous functions", ACM TOMS 21, 327-344, as Boost.Math implements it.
#include "exact/RootSearch.h"

#include "exact/ExactPolicy.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const double NotFound = std::numeric_limits<double>::quiet_NaN();

// The root inside [lo, hi] whose end values fLo <= 0 <= fHi are known already.
double SolveBracketed(const std::function<double(double)>& f, double lo, double hi, double fLo,
                      double fHi)
{
    if (fLo == 0)
        return lo;
    if (fHi == 0)
        return hi;
    std::uintmax_t evaluations = RootSearchMaxEvaluations;
    const auto bracket = boost::math::tools::toms748_solve(
        [&f](double x) {
            const double y = f(x);
            // A NaN inside the bracket would stall the method; count it as "still below".
            return std::isnan(y) ? -1.0 : y;
        },
        lo, hi, fLo, fHi, boost::math::tools::eps_tolerance<double>(RootSearchBits), evaluations,
        ExactPolicy());
    return bracket.first + (bracket.second - bracket.first) / 2;
}

} // namespace

double SolveRising(const std::function<double(double)>& f, double lo, double hi)
{
    if (!(lo <= hi))
        return NotFound;
    const double fLo = f(lo);
    const double fHi = f(hi);
    if (std::isnan(fLo) || std::isnan(fHi) || fLo > 0 || fHi < 0)
        return NotFound;
    return SolveBracketed(f, lo, hi, fLo, fHi);
}

double SolveRisingUpward(const std::function<double(double)>& f, double lo, double guess,
                         double limit)
{
    if (!(guess > lo) || !(limit >= guess))
        return NotFound;
    double bottom = lo;
    double fBottom = f(lo);
    if (std::isnan(fBottom) || fBottom > 0)
        return NotFound;
    double top = guess;
    for (int step = 0; step < RootSearchMaxEvaluations; ++step) {
        const double fTop = f(top);
        if (std::isnan(fTop))
            return NotFound;
        if (fTop >= 0)
            return SolveBracketed(f, bottom, top, fBottom, fTop);
        if (top >= limit)
            return NotFound;
        bottom = top;
        fBottom = fTop;
        top = std::fmin(lo + 2 * (top - lo), limit);
    }
    return NotFound;
}

double SolveRisingNear(const std::function<double(double)>& f, double lo, double guess,
                       double firstStep, double limit)
{
    if (!(guess > lo) || !(limit >= guess) || !(firstStep > 0))
        return NotFound;
    const double fGuess = f(guess);
    if (std::isnan(fGuess))
        return NotFound;
    // Walk away from the guess on the side of the root until f changes sign.
    const double direction = fGuess < 0 ? 1 : -1;
    double step = firstStep;
    double near = guess;
    double fNear = fGuess;
    for (int i = 0; i < RootSearchMaxEvaluations; ++i) {
        const double far = std::fmin(std::fmax(near + direction * step, lo), limit);
        const double fFar = f(far);
        if (std::isnan(fFar))
            return NotFound;
        if ((fFar >= 0) == (direction > 0))
            return direction > 0 ? SolveBracketed(f, near, far, fNear, fFar)
                                 : SolveBracketed(f, far, near, fFar, fNear);
        if (far == lo || far == limit)
            return NotFound;
        near = far;
        fNear = fFar;
        step *= 2;
    }
    return NotFound;
}
