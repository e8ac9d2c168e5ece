#include "calc/CalculatorFactory.h"

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
    if (goal == 0) {
        switch (design) {
        case 0:
            return new CSampleUnpairedCalc;
        case 1:
            return new CSamplePairedCalc;
        case 2:
            return new CSampleAnovaCalc;
        case 3:
            return new CSampleLogrankCalc;
        case 4:
            return new CSampleChiSquareCalc;
        case 5:
            return new CSampleOneCalc;
        default:
            return nullptr;
        }
    }
    if (goal == 1) {
        switch (design) {
        case 0:
            return new CPowerUnpairedCalc;
        case 1:
            return new CPowerPairedCalc;
        case 2:
            return new CPowerAnovaCalc;
        case 3:
            return new CPowerLogrankCalc;
        case 4:
            return new CPowerChiSquareCalc;
        case 5:
            return new CPowerOneCalc;
        default:
            return nullptr;
        }
    }
    return nullptr;
}
