#include "calc/CPowerPairedCalc.h"

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

CPowerPairedCalc::CPowerPairedCalc()
    : CPowerOneGroupTCalc(CalculatorKind{Goal::Power, Design::Paired, IDS_POWER_PAIRED_TITLE},
                          kWords)
{
}

CPowerPairedCalc::~CPowerPairedCalc() = default;

bool CPowerPairedCalc::SetPairs(double n)
{
    return SetCount(n);
}

CCalculator* CPowerPairedCalc::Clone() const
{
    std::unique_ptr<CPowerPairedCalc> copy(new CPowerPairedCalc);
    copy->CopyOneGroupFrom(*this);
    return copy.release();
}
