#pragma once

#include <string>

class CCalculator;
class CHtmlWriter;
struct ExactLevel;

/// The name of the exact method of the t tests, for the choices block and the check.
extern const char* const ExactTName;
/// The name of the exact method of the one-way ANOVA.
extern const char* const ExactFName;
/// The name of the exact method of two proportions, where the sums are done.
extern const char* const ExactBinomialName;

/// The name of the written method of the t tests, for the choices block.
extern const char* const WrittenTName;
/// The name of the written method of the one-way ANOVA.
extern const char* const WrittenFName;
/// The name of the written method of two proportions.
extern const char* const WrittenArcsineName;

/// v as FormatNumber writes it.
std::string NumberText(double v);

/// A power (a fraction) in percent as the accuracy texts write it: whole percents, one
/// decimal below 1 and above 99, ">99.9" above that.
std::string ExactPercentText(double fraction);

/// Stores an exact result into a cell: value (rounding noise against scale, as ZeroNearZero
/// takes it, as exactly 0) and true when it is a finite, non-negative number; otherwise 0 and
/// false, a failed cell.
bool StoreExactCell(double value, double scale, double* out);

/// What a t-test cell is made of: the written difference, the degrees of freedom, the
/// standard error of the difference (the noncentrality is difference / standardError) and
/// the scale (the SD) the difference is measured against.
struct TCell
{
    double written;
    double df;
    double standardError;
    double scale;
};

/// The value of a t-test cell of calc at powerIndex: a failed cell (0, false) when the power
/// is at or below the level, which no difference has; otherwise the exact difference in the
/// exact method (searched from the written one), the written difference in the other.
bool TTestCell(const CCalculator& calc, int powerIndex, const TCell& cell, double* out);

/// The difference a t test with df degrees of freedom detects with the power (a fraction),
/// when a difference d has the noncentrality d / standardError; the search starts at guess
/// (a difference near the answer, or 0 for none). NaN when none does.
double ExactTDifference(double power, double df, double standardError, const ExactLevel& level,
                        double guess = 0);
/// The exact power of that t test at the difference.
double ExactTPowerAt(double difference, double df, double standardError, const ExactLevel& level);

/// The range of k group means (others equally spaced between the extremes) that a one-way
/// ANOVA of total subjects with dfResidual degrees of freedom detects with the power (a
/// fraction) at level alpha, for the SD sd within groups: lambda = total f^2 with
/// f = (range / sd) sqrt((k + 1) / (12 (k - 1))). NaN when none does.
double ExactAnovaRange(double power, double groups, double dfResidual, double total, double sd,
                       double alpha);
/// The exact power of that ANOVA at the range.
double ExactAnovaPowerAt(double range, double groups, double dfResidual, double total, double sd,
                         double alpha);

/// What the accuracy check of a step-4 page compares: the effect of the selected written
/// cell and its exact power, and the exact effect for the requested power.
struct ExactCheck
{
    /// False when there is nothing to check (the exact method is on, or no exact model
    /// applies); nothing is written then.
    bool applies = false;
    /// The exact model, as in "with the exact noncentral t distribution".
    const char* distribution = "";
    /// Who gives the power, plural: "10 pairs", "two groups of 10".
    std::string subjects;
    /// The effect's noun: "difference", "range of means", "increase".
    const char* effectNoun = "";
    /// The effect of the written cell.
    double effect = 0;
    /// Its exact power, a fraction.
    double exactPower = 0;
    /// The effect with the requested power exactly; NaN when no effect reaches it.
    double exactEffect = 0;
    /// The requested power in percent.
    double requestedPower = 0;
    /// Decimals of the effects.
    int decimals = 2;
};

/// The exact power of a written t-test cell of calc at effect.
double TTestPowerOfCell(const CCalculator& calc, const TCell& cell, double effect);

/// The share of the experiments of a t-test cell of calc in which the confidence interval
/// (at calc's level) for the difference extends halfWidth or less in each direction.
double TTestIntervalShare(const CCalculator& calc, const TCell& cell, double halfWidth);

/// The check of a t test's selected cell (calc's selected power), the cell of the selected
/// power and size.
ExactCheck TTestCheck(const CCalculator& calc, const TCell& cell, const std::string& subjects);
/// The check of a one-way ANOVA's selected cell, in the terms of ExactAnovaRange.
ExactCheck AnovaCheck(const CCalculator& calc, double range, double groups, double dfResidual,
                      double total, double sd, const std::string& subjects);

/// The accuracy check, when check applies and the exact power differs from the requested
/// one by one percentage point or more: one paragraph such as "Exact check: with the exact
/// noncentral t distribution, 10 pairs give 70% power (not 80%) to detect a difference of
/// 0.886. 80% power needs a difference of 0.996."
void WriteExactCheck(CHtmlWriter& w, const ExactCheck& check);
