#include "CCliDesign.h"

#include "CCliError.h"
#include "CCliInputs.h"
#include "CPowerOneCalc.h"
#include "CPowerPairedCalc.h"
#include "CPowerUnpairedCalc.h"
#include "CSampleOneCalc.h"
#include "CSamplePairedCalc.h"
#include "CSampleUnpairedCalc.h"

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
            throw CCliError("give either --sd and --r, or --sd-diff, not both");
        calc.m_useR = false;
        calc.SetSD(inputs.number("sd-diff"));
        return;
    }
    if (!inputs.has("sd") && !inputs.has("r"))
        throw CCliError("missing --sd and --r, or --sd-diff");
    calc.m_useR = true;
    calc.SetSD(inputs.number("sd"));
    calc.SetR(inputs.number("r"));
}

void applySampleOne(CCalculator& calc, const CCliInputs& inputs)
{
    static_cast<CSampleOneCalc&>(calc).SetSD(inputs.number("sd"));
}

void applyPowerUnpaired(CCalculator& calc, const CCliInputs& inputs)
{
    const double n1 = inputs.wholeNumber("n1");
    const double n2 = inputs.wholeNumber("n2");
    const double sd1 = inputs.number("sd1");
    const double sd2 = inputs.number("sd2");
    static_cast<CPowerUnpairedCalc&>(calc).SetGroups(n1, n2, sd1, sd2);
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

} // namespace

const std::vector<CCliDesign>& CCliDesign::all()
{
    static const std::vector<CCliDesign> table = {
        {GoalSample, "unpaired", 0, {"sd"}, applySampleUnpaired, "--sd 1"},
        {GoalSample, "paired", 1, {"sd", "r", "sd-diff"}, applySamplePaired, "--sd 1 --r 0.5"},
        {GoalSample, "one-sample", 5, {"sd"}, applySampleOne, "--sd 2.5"},
        {GoalPower,
         "unpaired",
         0,
         {"n1", "n2", "sd1", "sd2"},
         applyPowerUnpaired,
         "--n1 10 --n2 12 --sd1 1 --sd2 1.2"},
        {GoalPower, "paired", 1, {"pairs", "sd"}, applyPowerPaired, "--pairs 8 --sd 1"},
        {GoalPower, "one-sample", 5, {"n", "sd"}, applyPowerOne, "--n 12 --sd 3"},
    };
    return table;
}

QString CCliDesign::goalName() const
{
    return QString::fromLatin1(GoalNames[goal]);
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
