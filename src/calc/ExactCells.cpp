// The exact models of the calculators: the t tests through the noncentral t distribution
// with noncentrality difference / standard error, the one-way ANOVA through the noncentral
// F distribution with lambda = N f^2 (Cohen 1988, Statistical Power Analysis for the
// Behavioral Sciences, ch. 2 and 8), where the range d of k equally spaced means has
// f = d / (2 sd) sqrt((k + 1) / (3 (k - 1))) (Cohen's pattern of intermediate variability).
#include "calc/ExactCells.h"

#include "calc/CCalculator.h"
#include "report/CHtmlWriter.h"
#include "exact/ExactLevel.h"
#include "calc/Formatting.h"
#include "exact/NoncentralF.h"
#include "exact/NoncentralT.h"
#include "calc/ReportText.h"
#include "calc/TTestShared.h"

#include <cmath>

const char* const ExactTName = "exact noncentral t distribution";
const char* const ExactFName = "exact noncentral F distribution";
const char* const ExactBinomialName = "exact binomial distribution";
const char* const WrittenTName =
    "written approximation (normal approximation with a small-sample correction)";
const char* const WrittenFName =
    "written approximation (normal approximation to the noncentral F distribution)";
const char* const WrittenArcsineName =
    "written approximation (normal approximation on the arcsine scale)";

std::string NumberText(double v)
{
    std::string text;
    FormatNumber(v, text);
    return text;
}

bool StoreExactCell(double value, double scale, double* out)
{
    if (!std::isfinite(value) || value < 0) {
        *out = 0;
        return false;
    }
    *out = ZeroNearZero(value, scale);
    return true;
}

bool TTestCell(const CCalculator& calc, int powerIndex, const TCell& cell, double* out)
{
    const ExactLevel level = ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed);
    const double power = calc.m_powers[powerIndex] / 100;
    if (!level.Admits(power)) {
        *out = 0;
        return false;
    }
    if (calc.IsExact())
        return StoreExactCell(
            ExactTDifference(power, cell.df, cell.standardError, level, cell.written), cell.scale,
            out);
    *out = ZeroNearZero(cell.written, cell.scale);
    return true;
}

double ExactTDifference(double power, double df, double standardError, const ExactLevel& level,
                        double guess)
{
    return TNoncentralityForPower(power, df, level, guess / standardError) * standardError;
}

double ExactTPowerAt(double difference, double df, double standardError, const ExactLevel& level)
{
    return TPower(difference / standardError, df, level);
}

namespace {

// f per unit of range over sd: sqrt((k + 1) / (12 (k - 1))).
double RangeToF(double groups)
{
    return std::sqrt((groups + 1) / (12 * (groups - 1)));
}

} // namespace

double ExactAnovaRange(double power, double groups, double dfResidual, double total, double sd,
                       double alpha)
{
    const double lambda = FNoncentralityForPower(power, groups - 1, dfResidual, alpha);
    return std::sqrt(lambda / total) * sd / RangeToF(groups);
}

double ExactAnovaPowerAt(double range, double groups, double dfResidual, double total, double sd,
                         double alpha)
{
    const double f = range / sd * RangeToF(groups);
    return FPower(total * f * f, groups - 1, dfResidual, alpha);
}

namespace {

// The fields every check shares: the selected power and the page's decimals.
ExactCheck CheckOf(const CCalculator& calc, const char* distribution, const char* noun,
                   double effect, const std::string& subjects)
{
    ExactCheck check;
    check.applies = true;
    check.distribution = distribution;
    check.subjects = subjects;
    check.effectNoun = noun;
    check.effect = effect;
    check.requestedPower = calc.m_powers[calc.m_selPower];
    check.decimals = calc.m_decimals;
    return check;
}

} // namespace

double TTestPowerOfCell(const CCalculator& calc, const TCell& cell, double effect)
{
    return ExactTPowerAt(effect, cell.df, cell.standardError,
                         ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed));
}

double TTestIntervalShare(const CCalculator& calc, const TCell& cell, double halfWidth)
{
    return TIntervalShare(halfWidth / cell.standardError, cell.df,
                          ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed));
}

ExactCheck TTestCheck(const CCalculator& calc, const TCell& cell, const std::string& subjects)
{
    double effect = 0;
    TTestCell(calc, calc.m_selPower, cell, &effect);
    ExactCheck check = CheckOf(calc, ExactTName, "difference", effect, subjects);
    const ExactLevel level = ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed);
    check.exactPower = TTestPowerOfCell(calc, cell, effect);
    check.exactEffect = ExactTDifference(check.requestedPower / 100, cell.df, cell.standardError,
                                         level, cell.written);
    return check;
}

ExactCheck AnovaCheck(const CCalculator& calc, double range, double groups, double dfResidual,
                      double total, double sd, const std::string& subjects)
{
    ExactCheck check = CheckOf(calc, ExactFName, "range of means", range, subjects);
    check.exactPower = ExactAnovaPowerAt(range, groups, dfResidual, total, sd, calc.m_alpha);
    check.exactEffect =
        ExactAnovaRange(check.requestedPower / 100, groups, dfResidual, total, sd, calc.m_alpha);
    return check;
}

std::string ExactPercentText(double fraction)
{
    const double percent = fraction * 100;
    if (percent > 99.9)
        return ">99.9";
    if (percent >= 1 && percent <= 99)
        return formatInCLocale("%.0f", percent);
    return formatInCLocale("%.1f", percent);
}

void WriteExactCheck(CHtmlWriter& w, const ExactCheck& check)
{
    if (!check.applies || !std::isfinite(check.exactPower) ||
        !(std::fabs(check.exactPower * 100 - check.requestedPower) >= 1))
        return;
    std::string requested;
    FormatNumber(check.requestedPower, requested);
    const char* article = ArticleFor(check.effectNoun);
    w.OpenParagraph();
    w.Write("Exact check: with the %s, %s give %s%% power (not %s%%) to detect %s %s of %.*f. ",
            check.distribution, check.subjects.c_str(), ExactPercentText(check.exactPower).c_str(),
            requested.c_str(), article, check.effectNoun, check.decimals, check.effect);
    if (std::isfinite(check.exactEffect))
        w.Write("%s%% power needs %s %s of %.*f.", requested.c_str(), article, check.effectNoun,
                check.decimals, check.exactEffect);
    else
        w.Write("No %s reaches %s%% power.", check.effectNoun, requested.c_str());
    w.CloseParagraph();
}
