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

CCalculator* CreateCalculator(int goal, int design)
{
    const auto kind = static_cast<Design>(design);
    if (goal == static_cast<int>(Goal::SampleSize)) {
        switch (kind) {
        case Design::Unpaired:
            return new CSampleUnpairedCalc;
        case Design::Paired:
            return new CSamplePairedCalc;
        case Design::Anova:
            return new CSampleAnovaCalc;
        case Design::Survival:
            return new CSampleLogrankCalc;
        case Design::Proportions:
            return new CSampleChiSquareCalc;
        case Design::OneSample:
            return new CSampleOneCalc;
        }
        return nullptr;
    }
    if (goal == static_cast<int>(Goal::Power)) {
        switch (kind) {
        case Design::Unpaired:
            return new CPowerUnpairedCalc;
        case Design::Paired:
            return new CPowerPairedCalc;
        case Design::Anova:
            return new CPowerAnovaCalc;
        case Design::Survival:
            return new CPowerLogrankCalc;
        case Design::Proportions:
            return new CPowerChiSquareCalc;
        case Design::OneSample:
            return new CPowerOneCalc;
        }
        return nullptr;
    }
    return nullptr;
}
