// Detectable effects of the one-way ANOVA. The power at effect size f comes from the normal
// approximation to the noncentral F distribution of Severo and Zelen (1960): Patnaik's (1949)
// scaled central chi-square for the noncentral numerator, and the Wilson-Hilferty cube root
// for both chi-squares; the critical F value comes from CriticalF. The range of means follows
// Cohen (1988), the pattern of intermediate variability: with k means equally spaced over a
// range d, f = d / (2 sd) * sqrt((k + 1) / (3 (k - 1))).
#include "calc/AnovaShared.h"

#include "report/CHtmlWriter.h"
#include "engine/Distributions.h"
#include "calc/TTestShared.h"

#include <cmath>
#include <string>

double AnovaEffectSize(double alpha, double dfTreatment, double dfResidual,
                       double noncentralityFactor, double zPower)
{
    const double limit = dfTreatment * CriticalF(alpha, dfTreatment, dfResidual);
    // No critical value (its tail did not converge): no effect size either, and the cell
    // fails rather than show the end of the search.
    if (!std::isfinite(limit))
        return std::nan("");
    const double a = 2 / (9 * dfResidual);
    const double b = 1 - a;
    double lo = 0;
    double hi = AnovaSearchLimit;
    double f = 0;
    // A fixed count rather than a test of the width, so that no input (not even NaN) can keep
    // the search going; halving is exact, so both end after the same midpoint.
    for (int step = 0; step < AnovaSearchSteps; ++step) {
        f = (lo + hi) / 2;
        const double lambda = noncentralityFactor * f * f;
        const double sum = dfTreatment + lambda;
        const double c = 2 * (dfTreatment + 2 * lambda) / (9 * sum * sum);
        const double r = limit / sum;
        // The exponents are the truncated decimals, not 1/3 and 2/3.
        const double z =
            ((1 - c) - b * std::pow(r, 0.333333333)) / std::sqrt(c + a * std::pow(r, 0.6666666666));
        if (z > zPower)
            hi = f;
        else
            lo = f;
    }
    return f;
}

double AnovaDetectableRange(double alpha, double zPower, double groups, double dfResidual,
                            double noncentralityFactor, double sd)
{
    const double f = AnovaEffectSize(alpha, groups - 1, dfResidual, noncentralityFactor, zPower);
    return ZeroNearZero(2 * f * sd / std::sqrt((groups + 1) / (3 * (groups - 1))), sd);
}

bool FailUnlessFinite(double* out)
{
    if (std::isfinite(*out))
        return true;
    *out = 1.7e38;
    return false;
}

void WriteAnovaChoicesStart(CHtmlWriter& w, const char* test, bool detailed)
{
    if (detailed) {
        w.WriteHeading("Your choices:");
        w.OpenParagraph();
        w.Write("Test chosen: %s", test);
        w.LineBreak();
    } else {
        w.WriteHeading((std::string(test) + " test").c_str());
        w.OpenParagraph();
    }
}

const char* TextOrHtml(const CHtmlWriter& w, const char* plain, const char* html)
{
    return w.IsHtml() ? html : plain;
}
