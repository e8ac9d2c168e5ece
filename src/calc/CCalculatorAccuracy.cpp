// The accuracy note of a step-3 page in the written method: the scientist reads the value in
// the table, so the page says there, not only in a cell's report, when the written
// approximation misses the power it promises.
#include "calc/CCalculator.h"

#include "calc/AnovaShared.h"
#include "calc/CPowerCalc.h"
#include "calc/ExactCells.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <string>

namespace {

// The written cells whose exact power is one percentage point or more from the requested
// one, and the farthest of them.
struct Survey
{
    int cells = 0;
    int off = 0;
    int worstPower = -1;
    int worstN = -1;
    double worstExact = 0;
    double worstDistance = 0;
};

} // namespace

void CCalculator::WriteAccuracyNote(CHtmlWriter& w) const
{
    if (IsExact())
        return;
    const bool powerGoal = dynamic_cast<const CPowerCalc*>(this) != nullptr;
    const int rows = powerGoal ? 1 : m_nNs;
    Survey survey;
    for (int r = 0; r < rows; ++r) {
        for (int p = 0; p < m_nPowers; ++p) {
            double effect = 0;
            if (!CellValue(p, r, &effect))
                continue;
            const double exact = ExactPowerOfCell(p, r, effect);
            if (!std::isfinite(exact))
                continue;
            ++survey.cells;
            const double distance = std::fabs(exact * 100 - m_powers[p]);
            if (!(distance >= 1))
                continue;
            ++survey.off;
            if (distance > survey.worstDistance) {
                survey.worstDistance = distance;
                survey.worstPower = p;
                survey.worstN = r;
                survey.worstExact = exact;
            }
        }
    }
    if (survey.off == 0)
        return;
    const std::string requested = NumberText(m_powers[survey.worstPower]);
    w.OpenParagraph();
    w.Write("Accuracy: these values come from the written approximation. In %d of the %d %s, the "
            "exact power of the value shown is one percentage point or more away from the %s "
            "power; the farthest is ",
            survey.off, survey.cells, powerGoal ? "rows" : "cells",
            powerGoal ? "row's" : "column's");
    if (!powerGoal)
        w.Write("N = %d at ", m_ns[survey.worstN]);
    w.Write("%s%%, with an exact power of %s%%. For exact values, ", requested.c_str(),
            ExactPercentText(survey.worstExact).c_str());
    if (m_frontEnd == FrontEnd::CommandLine)
        w.Write("run again with --method exact.");
    else
        w.Write("choose %s.",
                TextOrHtml(w, "View > Exact Distributions", "View &gt; Exact Distributions"));
    w.CloseParagraph();
}
