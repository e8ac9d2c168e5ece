#include "CalculatorFactory.h"

#include "CPowerAnovaCalc.h"
#include "CPowerChiSquareCalc.h"
#include "CPowerLogrankCalc.h"
#include "CPowerOneCalc.h"
#include "CPowerPairedCalc.h"
#include "CPowerUnpairedCalc.h"
#include "CSampleAnovaCalc.h"
#include "CSampleChiSquareCalc.h"
#include "CSampleLogrankCalc.h"
#include "CSampleOneCalc.h"
#include "CSamplePairedCalc.h"
#include "CSampleUnpairedCalc.h"

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
