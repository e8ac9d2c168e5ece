#include "ui/forms/CFormFactory.h"

#include "ui/forms/CChooseAnalysisForm.h"
#include "ui/forms/CPowerAnovaForm.h"
#include "ui/forms/CPowerChiSquareForm.h"
#include "ui/forms/CPowerLogrankForm.h"
#include "ui/forms/CPowerOneForm.h"
#include "ui/forms/CPowerPairedForm.h"
#include "ui/forms/CPowerUnpairedForm.h"
#include "ui/forms/CSampleAnovaForm.h"
#include "ui/forms/CSampleChiSquareForm.h"
#include "ui/forms/CSampleLogrankForm.h"
#include "ui/forms/CSampleOneForm.h"
#include "ui/forms/CSamplePairedForm.h"
#include "ui/forms/CSampleUnpairedForm.h"

CStepForm* createChooseForm(QWidget* parent)
{
    return new CChooseAnalysisForm(parent);
}

CStepForm* createInputForm(int goal, int design, QWidget* parent)
{
    if (goal < 0 || goal > 1 || design < 0 || design > 5)
        return nullptr;
    switch (goal * 10 + design) {
    case 0:
        return new CSampleUnpairedForm(parent);
    case 1:
        return new CSamplePairedForm(parent);
    case 2:
        return new CSampleAnovaForm(parent);
    case 3:
        return new CSampleLogrankForm(parent);
    case 4:
        return new CSampleChiSquareForm(parent);
    case 5:
        return new CSampleOneForm(parent);
    case 10:
        return new CPowerUnpairedForm(parent);
    case 11:
        return new CPowerPairedForm(parent);
    case 12:
        return new CPowerAnovaForm(parent);
    case 13:
        return new CPowerLogrankForm(parent);
    case 14:
        return new CPowerChiSquareForm(parent);
    case 15:
        return new CPowerOneForm(parent);
    default:
        return nullptr;
    }
}
