#include "calc/SimulatedCheck.h"

#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneGroupTCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/ExactCells.h"
#include "calc/Formatting.h"
#include "calc/ExactProportions.h"
#include "calc/ProportionShared.h"
#include "exact/ProportionTest.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"
#include "simulate/CAnovaStudy.h"
#include "simulate/CLogrankStudy.h"
#include "simulate/COneSampleTStudy.h"
#include "simulate/CTwoProportionStudy.h"
#include "simulate/CTwoSampleTStudy.h"

#include <cmath>

namespace {

const char* const PooledTName = "the pooled two-sample t test";
const char* const PairedTName = "the paired t test";
const char* const OneSampleTName = "the one-sample t test";
const char* const AnovaName = "the one-way ANOVA F test";
const char* const ChiSquareName = "the chi-square test without continuity correction";
const char* const LogrankName = "the logrank test";

// A count of subjects entered as a number: the nearest whole one.
int WholeCount(double n)
{
    return static_cast<int>(std::lround(n));
}

std::string Fixed(double v, int decimals)
{
    return formatInCLocale("%.*f", decimals, v);
}

// 10000 as "10,000".
std::string Grouped(long n)
{
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// The fields every cell shares: the level, the stated power and the test.
SimulatedCell Started(const CCalculator& calc, int powerIndex, const std::string& test)
{
    SimulatedCell cell;
    cell.applies = true;
    cell.test = test;
    calc.FormatAlpha(cell.level, true);
    cell.statedPower = calc.m_powers[powerIndex];
    return cell;
}

ExactLevel LevelOf(const CCalculator& calc)
{
    return ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed);
}

SimulatedCell TwoSampleT(const CCalculator& calc, int powerIndex, int n1, int n2, double sd1,
                         double sd2, double difference)
{
    SimulatedCell cell = Started(calc, powerIndex, PooledTName);
    cell.study = CTwoSampleTStudy(n1, n2, difference, sd1, sd2, LevelOf(calc));
    const std::string sizes =
        n1 == n2 ? "two groups of " + std::to_string(n1)
                 : "groups of " + std::to_string(n1) + " and " + std::to_string(n2);
    const std::string sds =
        sd1 == sd2 ? "SD " + NumberText(sd1) : "SDs " + NumberText(sd1) + " and " + NumberText(sd2);
    cell.design = sizes + " normal values (" + sds + ") whose means differ by " +
                  Fixed(difference, calc.m_decimals);
    return cell;
}

SimulatedCell OneSampleT(const CCalculator& calc, int powerIndex, int n, double sd,
                         double difference, bool paired)
{
    SimulatedCell cell = Started(calc, powerIndex, paired ? PairedTName : OneSampleTName);
    cell.study = COneSampleTStudy(n, difference, sd, LevelOf(calc));
    const std::string effect = Fixed(difference, calc.m_decimals);
    cell.design = paired ? std::to_string(n) + " pairs whose differences are normal (SD " +
                               NumberText(sd) + ") with a mean of " + effect
                         : std::to_string(n) + " normal values (SD " + NumberText(sd) +
                               ") whose mean differs from the hypothetical one by " + effect;
    return cell;
}

SimulatedCell Anova(const CCalculator& calc, int powerIndex, int groups, int total, double sd,
                    double range)
{
    SimulatedCell cell = Started(calc, powerIndex, AnovaName);
    cell.study = CAnovaStudy::EquallySpaced(groups, total, range, sd, calc.m_alpha);
    const std::string sizes =
        total % groups == 0
            ? std::to_string(groups) + " groups of " + std::to_string(total / groups)
            : std::to_string(groups) + " groups with " + std::to_string(total) + " subjects in all";
    cell.design = sizes + " normal values (SD " + NumberText(sd) +
                  ") whose equally spaced means span " + Fixed(range, calc.m_decimals);
    return cell;
}

// The one-tailed chi-square test looks for a higher proportion in group 2, so the group with
// the higher true proportion goes second; a two-tailed test does not mind the order.
SimulatedCell Proportions(const CCalculator& calc, int powerIndex, ProportionTest test, int n1,
                          int n2, double p1, double p2)
{
    SimulatedCell cell =
        Started(calc, powerIndex,
                test == ProportionTest::ChiSquare ? std::string(ChiSquareName)
                                                  : std::string("the ") + ProportionTestName(test));
    const ExactLevel level = LevelOf(calc);
    const ProportionRule rule = test == ProportionTest::ChiSquare
                                    ? CTwoProportionStudy::PooledChiSquare(level)
                                    : ProportionRule([test, level](int x1, int m1, int x2, int m2) {
                                          return ProportionTestRejects(test, x1, m1, x2, m2, level);
                                      });
    cell.study = p1 <= p2 ? CTwoProportionStudy(n1, n2, p1, p2, rule)
                          : CTwoProportionStudy(n2, n1, p2, p1, rule);
    cell.design = "groups of " + std::to_string(n1) + " and " + std::to_string(n2) +
                  " whose true proportions are " + Fixed(p1, 3) + " and " + Fixed(p2, 3);
    return cell;
}

SimulatedCell Logrank(const CCalculator& calc, int powerIndex, int n1, int n2, double survival,
                      double hazardRatio)
{
    SimulatedCell cell = Started(calc, powerIndex, LogrankName);
    cell.study = CLogrankStudy(n1, n2, survival, hazardRatio, LevelOf(calc));
    const std::string sizes =
        n1 == n2 ? "two groups of " + std::to_string(n1)
                 : "groups of " + std::to_string(n1) + " and " + std::to_string(n2);
    cell.design = sizes + " with exponential survival and a hazard ratio of " +
                  Fixed(hazardRatio, 3) + ", followed until the control group's survival is " +
                  NumberText(survival);
    return cell;
}

// The treated proportion of a sample-size cell from its effect of the calculator's kind.
double TreatedProportion(const CSampleChiSquareCalc& calc, double effect)
{
    const double p = calc.m_pControl;
    switch (calc.m_effectKind) {
    case 2:
        return p - effect;
    case 3:
        return effect * p;
    case 4:
        return p * (1 - effect);
    default:
        return p + effect;
    }
}

SimulatedCell SampleCell(const CCalculator& calc, int powerIndex, int nIndex)
{
    const auto& sample = dynamic_cast<const CSampleCalc&>(calc);
    double effect = 0;
    if (!sample.ComputeCell(powerIndex, nIndex, &effect))
        return SimulatedCell();
    const int n = calc.m_ns[nIndex];
    if (const auto* c = dynamic_cast<const CSampleUnpairedCalc*>(&calc))
        return TwoSampleT(calc, powerIndex, n, n, c->m_sd, c->m_sd, effect);
    if (const auto* c = dynamic_cast<const CSamplePairedCalc*>(&calc))
        return OneSampleT(calc, powerIndex, n, c->DifferencesSd(), effect, true);
    if (const auto* c = dynamic_cast<const CSampleOneCalc*>(&calc))
        return OneSampleT(calc, powerIndex, n, c->m_sd, effect, false);
    if (const auto* c = dynamic_cast<const CSampleAnovaCalc*>(&calc))
        return Anova(calc, powerIndex, c->m_groups, c->m_groups * n, c->m_sd, effect);
    if (const auto* c = dynamic_cast<const CSampleChiSquareCalc*>(&calc))
        return Proportions(calc, powerIndex, c->m_test, n, n, c->m_pControl,
                           TreatedProportion(*c, effect));
    if (const auto* c = dynamic_cast<const CSampleLogrankCalc*>(&calc))
        return Logrank(calc, powerIndex, n, n, c->m_pControl,
                       LogrankRatioFor(calc, c->m_pControl, n, powerIndex));
    return SimulatedCell();
}

SimulatedCell PowerCell(const CCalculator& calc, int powerIndex)
{
    const auto& power = dynamic_cast<const CPowerCalc&>(calc);
    double effect = 0;
    if (!power.ComputeCell(powerIndex, &effect))
        return SimulatedCell();
    if (const auto* c = dynamic_cast<const CPowerUnpairedCalc*>(&calc))
        return TwoSampleT(calc, powerIndex, WholeCount(c->m_n1), WholeCount(c->m_n2), c->m_sd1,
                          c->m_sd2, effect);
    if (const auto* c = dynamic_cast<const CPowerOneGroupTCalc*>(&calc))
        return OneSampleT(
            calc, powerIndex, WholeCount(c->m_n), c->m_sd, effect,
            calc.IsKind(static_cast<int>(Goal::Power), static_cast<int>(Design::Paired)));
    if (const auto* c = dynamic_cast<const CPowerAnovaCalc*>(&calc))
        return Anova(calc, powerIndex, c->m_dfTreatment + 1, c->m_dfResidual + c->m_dfTreatment + 1,
                     std::sqrt(c->m_msResidual), effect);
    if (const auto* c = dynamic_cast<const CPowerChiSquareCalc*>(&calc)) {
        double p1 = 0;
        double p2 = 0;
        if (!c->CellProportions(powerIndex, &p1, &p2))
            return SimulatedCell();
        return Proportions(calc, powerIndex, c->m_test, WholeCount(c->m_n1), WholeCount(c->m_n2),
                           p1, p2);
    }
    if (const auto* c = dynamic_cast<const CPowerLogrankCalc*>(&calc)) {
        // The form asks for the proportion of deaths; m_n counts both groups.
        const double survival = 1 - c->m_pControl;
        const int n1 = WholeCount(c->m_n) / 2;
        return Logrank(calc, powerIndex, n1, WholeCount(c->m_n) - n1, survival,
                       LogrankRatioFor(calc, survival, c->m_n / 2, powerIndex));
    }
    return SimulatedCell();
}

} // namespace

SimulatedCell SimulatedCellOf(const CCalculator& calc, int powerIndex, int nIndex)
{
    if (powerIndex < 0 || powerIndex >= calc.m_nPowers)
        return SimulatedCell();
    if (dynamic_cast<const CPowerCalc*>(&calc))
        return PowerCell(calc, powerIndex);
    if (nIndex < 0 || nIndex >= calc.m_nNs || !dynamic_cast<const CSampleCalc*>(&calc))
        return SimulatedCell();
    return SampleCell(calc, powerIndex, nIndex);
}

SimulatedCell SimulatedSelectedCell(const CCalculator& calc)
{
    if (!calc.SelectedCellHasResult())
        return SimulatedCell();
    return SimulatedCellOf(calc, calc.m_selPower, calc.m_selN);
}

std::string SimulatedCheckText(const SimulatedCell& cell, const SimulationResult& result)
{
    std::string stated;
    FormatNumber(cell.statedPower, stated);
    return "Simulated check: in " + Grouped(result.studies) + " simulated experiments of " +
           cell.design + ", each analysed by " + cell.test + " at a significance level of " +
           cell.level + ", " + Fixed(100 * result.Power(), 1) + "% (standard error " +
           Fixed(100 * result.StandardError(), 1) +
           "%) were statistically significant, where the power stated is " + stated + "%. Seed " +
           std::to_string(result.seed) + ".";
}

void WriteSimulatedCheck(CHtmlWriter& w, const std::string& text)
{
    w.OpenParagraph();
    w.Write("%s", text.c_str());
    w.CloseParagraph();
}
