// Logrank sample size after Freedman (1982), Statistics in Medicine 1, 121-129: a logrank
// test needs D = ((1 + h)(z alpha + z power) / (1 - h))^2 events to detect the hazard ratio
// h. With the event-free proportions S in the control group and S^h in the treated group
// at the end of the study, a subject has an event with the probability (2 - S - S^h) / 2 on
// average, so two groups of n subjects give D events when n = D / (2 - S - S^h).
#include "calc/ProportionShared.h"

#include "calc/CCalculator.h"
#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "exact/ExactLevel.h"
#include "exact/FreedmanRatio.h"
#include "calc/ReportText.h"
#include "calc/TTestShared.h"

#include <cmath>

const char* const ProportionMessage =
    "Proportion must be between 0 and 1.\nEnter correct value in the field and try again.";

bool StoreProportion(CCalculator& calc, double p, double& field, const char* message)
{
    if (!(p > 0 && p < 1))
        return calc.ReportError(message);
    field = p;
    return true;
}

namespace {

// The bold "Table of tradeoffs:" paragraph, then sentence about phrase.
void WriteTradeoffsIntro(CHtmlWriter& w, const char* sentence, const char* phrase)
{
    WriteTradeoffsCaption(w);
    w.OpenParagraph();
    w.Write(sentence, phrase);
    w.CloseParagraph();
}

} // namespace

void WriteSampleTradeoffInstructions(CHtmlWriter& w, const char* phrase, const char* pluralPhrase)
{
    w.OpenParagraph();
    w.Write("Choose a sample size (per group) in the first column. Move along that row to your "
            "desired power, and read the %s",
            phrase);
    w.Write(" that you can detect. Click on that value for a detailed report. If you wish to "
            "detect a smaller %s",
            phrase);
    w.Write(", increase sample size or accept a lower power. If you only care about larger %s, "
            "decrease sample size or increase power.",
            pluralPhrase);
    w.CloseParagraph();
}

void WriteSampleReportBody(const CSampleCalc& calc, CHtmlWriter& w, const char* phrase,
                           CTableLabels labels, bool breakAfterTable)
{
    calc.WriteSampleExplanation(w, phrase, false, true);
    WriteTradeoffsIntro(w,
                        "For any combination of sample size (N) and power, this table shows the %s "
                        "that can be detected.",
                        phrase);
    labels.linkCells = false;
    calc.WriteTradeoffTable(w, labels);
    if (breakAfterTable)
        w.LineBreak();
    calc.WriteUnequalNAdvice(w);
    w.WriteFooter();
    w.WritePageEnd();
}

void WritePowerReportBody(const CPowerCalc& calc, CHtmlWriter& w, const char* phrase,
                          CTableLabels labels)
{
    calc.WritePowerExplanation(w, phrase, true);
    WriteTradeoffsIntro(
        w, "For any power you choose, this table shows the %s that can be detected.", phrase);
    labels.linkCells = false;
    calc.WritePowerTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}

double LogrankHazardRatio(double survival, double nPerGroup, double zAlpha, double zPower)
{
    const double z = zPower + zAlpha;
    double lo = 0;
    double hi = LogrankSearchLimit;
    double h = 0;
    // A fixed number of halvings, so that the search ends whatever the inputs (also NaN).
    for (int step = 0; step < LogrankSearchSteps; ++step) {
        h = (lo + hi) / 2;
        const double root = (1 + h) * z / (1 - h);
        const double events = root * root;
        const double eventShare = 2 - survival - std::pow(survival, h);
        if (events / eventShare > nPerGroup)
            hi = h;
        else
            lo = h;
    }
    return h;
}

const char* const ExactLogrankName =
    "Freedman's formula, solved precisely (a large-sample approximation of the logrank test)";
const char* const WrittenLogrankName =
    "written approximation (Freedman's formula, hazard ratio to within 0.0005)";

double LogrankRatioFor(const CCalculator& calc, double survival, double nPerGroup, int powerIndex)
{
    if (!calc.IsExact())
        return LogrankHazardRatio(survival, nPerGroup, calc.m_zAlpha, calc.m_zPowers[powerIndex]);
    const double h = FreedmanHazardRatio(survival, nPerGroup, calc.m_powers[powerIndex] / 100,
                                         ExactLevel::FromStored(calc.m_alpha, calc.m_twoTailed));
    return std::isnan(h) ? 0 : h;
}

bool LogrankEffect(double survival, double hazardRatio, bool asIncrease, double* out)
{
    if (hazardRatio >= LogrankSmallestRatio) {
        *out = asIncrease ? std::pow(survival, hazardRatio) - survival : hazardRatio;
        return true;
    }
    *out = asIncrease ? ZeroNearZero(std::pow(survival, LogrankSmallestRatio) - survival, survival)
                      : 0;
    return false;
}

void WriteLogrankCitation(CHtmlWriter& w, bool leadingBlank)
{
    w.Write("The calculations used the method of M. K. B Ruzadi and D Ziveve, ");
    w.OpenLinkTarget("https://openlibrary.org/search?title=Survival+Analysis.+A+Practical+Approach",
                     "_window");
    w.Write("Survival Analysis. A Practical Approach.");
    w.CloseLink();
    w.Write("%sThis method assumes the hazard ratio is the same at all times, but does not assume "
            "the survival curves are exponential.",
            leadingBlank ? " " : "");
}
