#include "calc/CPowerPairedCalc.h"

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
    "paired",
    "Number of pairs: ",
    "SD of the differences: ",
    "pairs",
    "Power of a &quot;not significant&quot; paired t test",
    "Explanation of power a &quot;not significant&quot; paired t test",
    "smallest average difference between pairs",
    "smallest average difference between pairs",
};

} // namespace

CPowerPairedCalc::CPowerPairedCalc() : CPowerOneGroupTCalc(kWords) {}

CPowerPairedCalc::~CPowerPairedCalc() = default;

bool CPowerPairedCalc::SetPairs(double n)
{
    return SetCount(n);
}

bool CPowerPairedCalc::IsKind(int goal, int design) const
{
    return IsGoalAndDesign(goal, design, Goal::Power, Design::Paired);
}

unsigned int CPowerPairedCalc::GetTitleId() const
{
    return IDS_POWER_PAIRED_TITLE;
}

CCalculator* CPowerPairedCalc::Clone() const
{
    std::unique_ptr<CPowerPairedCalc> copy(new CPowerPairedCalc);
    copy->CopyOneGroupFrom(*this);
    return copy.release();
}
