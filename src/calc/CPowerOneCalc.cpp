#include "calc/CPowerOneCalc.h"

#include "calc/AnalysisKind.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"

#include <memory>

namespace {

const CPowerOneGroupTCalc::SWords kWords = {
    "one-sample",
    "N: ",
    "SD: ",
    "subjects",
    "Power of a one-sample t test",
    "Explanation of power of a one-sample t test",
    "smallest difference between the group mean and hypothetical mean",
    "difference between the group mean and hypothetical mean",
};

} // namespace

CPowerOneCalc::CPowerOneCalc() : CPowerOneGroupTCalc(kWords) {}

CPowerOneCalc::~CPowerOneCalc() = default;

bool CPowerOneCalc::SetSampleSize(double n)
{
    return SetCount(n);
}

bool CPowerOneCalc::IsKind(int goal, int design) const
{
    return IsGoalAndDesign(goal, design, Goal::Power, Design::OneSample);
}

unsigned int CPowerOneCalc::GetTitleId() const
{
    return IDS_POWER_ONE_TITLE;
}

CCalculator* CPowerOneCalc::Clone() const
{
    std::unique_ptr<CPowerOneCalc> copy(new CPowerOneCalc);
    copy->CopyOneGroupFrom(*this);
    return copy.release();
}
