#include "calc/CPowerOneCalc.h"

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

CPowerOneCalc::CPowerOneCalc()
    : CPowerOneGroupTCalc(CalculatorKind{Goal::Power, Design::OneSample, IDS_POWER_ONE_TITLE},
                          kWords)
{
}

CPowerOneCalc::~CPowerOneCalc() = default;

bool CPowerOneCalc::SetSampleSize(double n)
{
    return SetCount(n);
}

CCalculator* CPowerOneCalc::Clone() const
{
    std::unique_ptr<CPowerOneCalc> copy(new CPowerOneCalc);
    copy->CopyOneGroupFrom(*this);
    return copy.release();
}
