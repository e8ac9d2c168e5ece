#include "ui/forms/CFormFactory.h"

#include "calc/AnalysisKind.h"
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

namespace {

template <typename T> CStepForm* make(QWidget* parent)
{
    return new T(parent);
}

struct SKind
{
    Goal goal;
    Design design;
    CStepForm* (*make)(QWidget* parent);
};

const SKind kKinds[] = {
    {Goal::SampleSize, Design::Unpaired, make<CSampleUnpairedForm>},
    {Goal::SampleSize, Design::Paired, make<CSamplePairedForm>},
    {Goal::SampleSize, Design::Anova, make<CSampleAnovaForm>},
    {Goal::SampleSize, Design::Survival, make<CSampleLogrankForm>},
    {Goal::SampleSize, Design::Proportions, make<CSampleChiSquareForm>},
    {Goal::SampleSize, Design::OneSample, make<CSampleOneForm>},
    {Goal::Power, Design::Unpaired, make<CPowerUnpairedForm>},
    {Goal::Power, Design::Paired, make<CPowerPairedForm>},
    {Goal::Power, Design::Anova, make<CPowerAnovaForm>},
    {Goal::Power, Design::Survival, make<CPowerLogrankForm>},
    {Goal::Power, Design::Proportions, make<CPowerChiSquareForm>},
    {Goal::Power, Design::OneSample, make<CPowerOneForm>},
};

} // namespace

CStepForm* createInputForm(int goal, int design, QWidget* parent)
{
    for (const SKind& kind : kKinds) {
        if (IsGoalAndDesign(goal, design, kind.goal, kind.design))
            return kind.make(parent);
    }
    return nullptr;
}
