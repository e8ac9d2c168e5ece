#include "calc/CalculatorFactory.h"

#include "calc/AnalysisKind.h"
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

namespace {

template <typename T> CCalculator* make()
{
    return new T;
}

struct SKind
{
    Goal goal;
    Design design;
    CCalculator* (*make)();
};

const SKind kKinds[] = {
    {Goal::SampleSize, Design::Unpaired, make<CSampleUnpairedCalc>},
    {Goal::SampleSize, Design::Paired, make<CSamplePairedCalc>},
    {Goal::SampleSize, Design::Anova, make<CSampleAnovaCalc>},
    {Goal::SampleSize, Design::Survival, make<CSampleLogrankCalc>},
    {Goal::SampleSize, Design::Proportions, make<CSampleChiSquareCalc>},
    {Goal::SampleSize, Design::OneSample, make<CSampleOneCalc>},
    {Goal::Power, Design::Unpaired, make<CPowerUnpairedCalc>},
    {Goal::Power, Design::Paired, make<CPowerPairedCalc>},
    {Goal::Power, Design::Anova, make<CPowerAnovaCalc>},
    {Goal::Power, Design::Survival, make<CPowerLogrankCalc>},
    {Goal::Power, Design::Proportions, make<CPowerChiSquareCalc>},
    {Goal::Power, Design::OneSample, make<CPowerOneCalc>},
};

} // namespace

CCalculator* CreateCalculator(int goal, int design)
{
    for (const SKind& kind : kKinds) {
        if (IsGoalAndDesign(goal, design, kind.goal, kind.design))
            return kind.make();
    }
    return nullptr;
}
