#include "cli/CCliDesign.h"

#include "cli/CCliError.h"
#include "cli/CCliInputs.h"
#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/ExactProportions.h"

#include <QRegularExpression>

namespace {

const int GoalSample = 0;
const int GoalPower = 1;
const char* const GoalNames[] = {"sample", "power"};

void applySampleUnpaired(CCalculator& calc, const CCliInputs& inputs)
{
    static_cast<CSampleUnpairedCalc&>(calc).SetSD(inputs.number("sd"));
}

void applySamplePaired(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CSamplePairedCalc&>(base);
    if (inputs.has("sd-diff")) {
        if (inputs.has("sd") || inputs.has("r"))
            throw CCliError("--sd-diff: give either --sd and --r, or --sd-diff, not both");
        calc.m_useR = false;
        calc.SetSD(inputs.number("sd-diff"));
        return;
    }
    if (!inputs.has("sd") && !inputs.has("r"))
        throw CCliError("--sd: missing; give --sd and --r, or --sd-diff");
    calc.m_useR = true;
    calc.SetSD(inputs.number("sd"));
    calc.SetR(inputs.number("r"));
}

void applySampleOne(CCalculator& calc, const CCliInputs& inputs)
{
    static_cast<CSampleOneCalc&>(calc).SetSD(inputs.number("sd"));
}

// The group setters check their four values in order. Each is handed over as soon as it is
// read, the ones not read yet standing in with a value every setter takes, so that a refusal
// names the option whose value it refuses.
void applyPowerUnpaired(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerUnpairedCalc&>(base);
    const double n1 = inputs.wholeNumber("n1");
    calc.SetGroups(n1, 2, 1, 1);
    const double n2 = inputs.wholeNumber("n2");
    calc.SetGroups(n1, n2, 1, 1);
    const double sd1 = inputs.number("sd1");
    calc.SetGroups(n1, n2, sd1, 1);
    calc.SetGroups(n1, n2, sd1, inputs.number("sd2"));
}

void applyPowerPaired(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerPairedCalc&>(base);
    calc.SetSD(inputs.number("sd"));
    calc.SetPairs(inputs.wholeNumber("pairs"));
}

void applyPowerOne(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerOneCalc&>(base);
    calc.SetSD(inputs.number("sd"));
    calc.SetSampleSize(inputs.wholeNumber("n"));
}

// The defaults below are the values the input forms show for a new analysis.

void applySampleAnova(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CSampleAnovaCalc&>(base);
    calc.SetSD(inputs.number("sd"));
    calc.SetGroupCount(inputs.integerOr("groups", 3));
}

void applyPowerAnova(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerAnovaCalc&>(base);
    calc.SetDfTreatment(inputs.integer("df-treatment"));
    calc.SetMsGroups(inputs.number("ms-groups"));
    calc.SetDfResidual(inputs.integer("df-residual"));
    calc.SetMsResidual(inputs.number("ms-residual"));
}

void applySampleSurvival(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CSampleLogrankCalc&>(base);
    calc.SetProportion(inputs.numberOr("proportion", 0.5));
    calc.SetEffectKind(inputs.choice(
        "tabulate", {{"increase", 1}, {"hazard-ratio", 2}, {"hazard-ratio-worse", 3}}));
}

void applyPowerSurvival(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerLogrankCalc&>(base);
    calc.SetProportion(inputs.number("proportion"));
    calc.SetSampleSize(inputs.wholeNumber("n"));
    calc.SetEffectType(inputs.choice("tabulate", {{"difference", 1}, {"hazard-ratio", 2}}));
}

ProportionTest proportionTest(const CCliInputs& inputs)
{
    ProportionTest test = ProportionTest::ChiSquare;
    ProportionTestFromCode(inputs.choice("test", {{"chi-square", 0}, {"yates", 1}, {"fisher", 2}}),
                           test);
    return test;
}

void applySampleProportions(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CSampleChiSquareCalc&>(base);
    calc.SetProportion(inputs.numberOr("proportion", 0.5));
    if (inputs.has("higher") && inputs.has("lower"))
        throw CCliError("--lower: give either --higher or --lower, not both");
    const int direction = inputs.has("lower") ? 0 : 1;
    calc.SetEffectKind(direction, inputs.choice("tabulate", {{"difference", 1}, {"ratio", 2}}));
    calc.SetTest(proportionTest(inputs));
}

void applyPowerProportions(CCalculator& base, const CCliInputs& inputs)
{
    auto& calc = static_cast<CPowerChiSquareCalc&>(base);
    const double n1 = inputs.wholeNumber("n1");
    calc.SetGroups(n1, 2, 0.5, 0.5);
    const double n2 = inputs.wholeNumber("n2");
    calc.SetGroups(n1, n2, 0.5, 0.5);
    const double p1 = inputs.number("p1");
    calc.SetGroups(n1, n2, p1, 0.5);
    calc.SetGroups(n1, n2, p1, inputs.number("p2"));
    calc.SetEffectType(
        inputs.choice("tabulate", {{"change", 0}, {"relative-risk", 1}, {"risk-reduction", 2}}));
    calc.SetTest(proportionTest(inputs));
}

} // namespace

const std::vector<CCliDesign>& CCliDesign::all()
{
    static const std::vector<CCliDesign> table = {
        {GoalSample, "unpaired", 0, "--sd X", applySampleUnpaired, "--sd 1", false},
        {GoalSample, "paired", 1, "--sd X --r R, or --sd-diff X", applySamplePaired,
         "--sd 1 --r 0.5", false},
        {GoalSample, "one-sample", 5, "--sd X", applySampleOne, "--sd 2.5", false},
        {GoalSample, "anova", 2, "--sd X [--groups K]", applySampleAnova, "--sd 2 --groups 4",
         true},
        {GoalSample, "survival", 3,
         "[--proportion S] [--tabulate increase|hazard-ratio|hazard-ratio-worse]",
         applySampleSurvival, "--proportion 0.6 --tabulate hazard-ratio", false},
        {GoalSample, "proportions", 4,
         "[--proportion P] [--higher|--lower] [--tabulate difference|ratio] "
         "[--test chi-square|yates|fisher]",
         applySampleProportions, "--proportion 0.2 --lower --tabulate ratio", false},
        {GoalPower, "unpaired", 0, "--n1 N --n2 N --sd1 X --sd2 X", applyPowerUnpaired,
         "--n1 10 --n2 12 --sd1 1 --sd2 1.2", false},
        {GoalPower, "paired", 1, "--pairs N --sd X", applyPowerPaired, "--pairs 8 --sd 1", false},
        {GoalPower, "one-sample", 5, "--n N --sd X", applyPowerOne, "--n 12 --sd 3", false},
        {GoalPower, "anova", 2, "--df-treatment N --ms-groups X --df-residual N --ms-residual X",
         applyPowerAnova, "--df-treatment 2 --ms-groups 12.5 --df-residual 27 --ms-residual 4",
         true},
        {GoalPower, "survival", 3, "--proportion PC --n N [--tabulate difference|hazard-ratio]",
         applyPowerSurvival, "--proportion 0.3 --n 120", false},
        {GoalPower, "proportions", 4,
         "--n1 N --n2 N --p1 X --p2 X [--tabulate change|relative-risk|risk-reduction] "
         "[--test chi-square|yates|fisher]",
         applyPowerProportions, "--n1 50 --n2 60 --p1 0.3 --p2 0.45 --tabulate relative-risk",
         false},
    };
    return table;
}

QString CCliDesign::goalName() const
{
    return QString::fromLatin1(GoalNames[goal]);
}

QString CCliDesign::displayName() const
{
    return goalName() + QLatin1Char(' ') + QString::fromLatin1(name);
}

QStringList CCliDesign::inputNames() const
{
    static const QRegularExpression option(QStringLiteral("--([a-z0-9-]+)"));
    QStringList names;
    auto match = option.globalMatch(QString::fromLatin1(synopsis));
    while (match.hasNext())
        names << match.next().captured(1);
    return names;
}

const CCliDesign* CCliDesign::find(int goal, const QString& name)
{
    for (const CCliDesign& entry : all())
        if (entry.goal == goal && name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

QStringList CCliDesign::names(int goal)
{
    QStringList list;
    for (const CCliDesign& entry : all())
        if (entry.goal == goal)
            list << QString::fromLatin1(entry.name);
    return list;
}

int CCliDesign::goalCode(const QString& name)
{
    for (int goal = GoalSample; goal <= GoalPower; ++goal)
        if (name == QLatin1String(GoalNames[goal]))
            return goal;
    return -1;
}
