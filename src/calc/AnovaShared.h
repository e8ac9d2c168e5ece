#pragma once

class CHtmlWriter;

/// Number of halvings of the effect-size search: the interval [0, 20] then has the width
/// 20 / 2^16 (about 0.0003), the first width at or below 0.0005.
constexpr int AnovaSearchSteps = 16;

/// Upper end of the effect-size search; an effect that needs more comes out just under it.
constexpr double AnovaSearchLimit = 20;

/// Cohen's effect size f that a one-way ANOVA with dfTreatment and dfResidual degrees of
/// freedom detects at level alpha with the power whose standard normal quantile is zPower,
/// for the noncentrality lambda = noncentralityFactor * f^2 (the total sample size). Found by
/// a fixed bisection on a normal approximation to the noncentral F distribution; the result is
/// the midpoint tested last. NaN when the critical F value cannot be computed.
double AnovaEffectSize(double alpha, double dfTreatment, double dfResidual,
                       double noncentralityFactor, double zPower);

/// The range of k group means (largest minus smallest) that the design above detects, with
/// the remaining means equally spaced between the extremes and sd the SD within groups. A
/// range that would print as zero is exactly 0.
double AnovaDetectableRange(double alpha, double zPower, double groups, double dfResidual,
                            double noncentralityFactor, double sd);

/// The end of an ANOVA ComputeCell: true for a finite *out; otherwise *out becomes the
/// failed-cell value 1.7e38 and the cell fails.
bool FailUnlessFinite(double* out);

/// The start of the choices block of an ANOVA page: in step 4 (detailed) the heading
/// "Your choices:" and "Test chosen: " with test and a line break, otherwise test followed
/// by " test" as a level-4 heading; then an open paragraph.
void WriteAnovaChoicesStart(CHtmlWriter& w, const char* test, bool detailed);

/// plain in a plain-text page, html in an HTML one.
const char* TextOrHtml(const CHtmlWriter& w, const char* plain, const char* html);
