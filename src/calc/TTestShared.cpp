// Detectable differences of the t tests: the normal approximation (z alpha + z power) x SD x
// sqrt(2/n), widened for small samples by a first-order correction of the t quantile
// (Abramowitz and Stegun 26.7.5: t ~ z + (z^3 + z) / (4 df)); its weight 1.21 is
// (1.96^2 + 1) / 4, the value at the usual two-tailed 0.05 level.
#include "calc/TTestShared.h"

#include "calc/CCalculator.h"
#include "report/CHtmlWriter.h"
#include "calc/CPowerCalc.h"
#include "calc/CTableLabels.h"
#include "calc/ExactCells.h"
#include "calc/ReportText.h"
#include "calc/Formatting.h"

#include <cmath>
#include <string>

double TTestDifferenceFactor(double zAlpha, double n)
{
    return ((zAlpha - 1.06) * 1.21 + 2 * (n - 1)) / ((n - 1) * std::sqrt(2 * n));
}

double OneGroupDetectableDifference(double zAlpha, double zPower, double sd, double n)
{
    return ZeroNearZero((zPower + zAlpha) * sd / std::sqrt(n), sd);
}

double ZeroNearZero(double d, double scale)
{
    return std::fabs(d) < NearZeroShare * std::fabs(scale) ? 0.0 : d;
}

namespace {

void WriteItalicT(CHtmlWriter& w)
{
    w.BeginItalic();
    w.Write("t");
    w.EndItalic();
    w.Write(" test");
}

} // namespace

void WriteSampleTTestChoicesStart(CHtmlWriter& w, const char* testText, bool detailed)
{
    WriteChoicesOpening(w, detailed);
    w.Write("%s", testText);
    WriteItalicT(w);
    WriteChoicesHeadEnd(w, detailed);
}

void WritePowerTTestChoicesStart(CHtmlWriter& w, const char* design, bool detailed)
{
    WriteChoicesOpening(w, detailed);
    w.Write("Power of a ");
    w.WriteQuoted("not significant");
    w.Write(" %s ", design);
    WriteItalicT(w);
    WriteChoicesHeadEnd(w, detailed);
}

void WriteSignificanceLevel(CHtmlWriter& w, const CCalculator& calc)
{
    std::string alpha;
    calc.FormatAlpha(alpha, true);
    w.Write("Significance level (alpha) = %s", alpha.c_str());
    calc.WriteMethodLine(w);
    w.CloseParagraph();
}

void WriteLabelledNumber(CHtmlWriter& w, const char* label, double value)
{
    std::string number;
    FormatNumber(value, number);
    w.Write("%s%s", label, number.c_str());
    w.LineBreak();
}

void WriteSampleTradeoffsIntro(CHtmlWriter& w, const char* effectName)
{
    WriteTradeoffsCaption(w);
    w.OpenParagraph();
    w.Write("For any combination of sample size (N) and power, this table shows the %s that can "
            "be detected.",
            effectName);
}

void WriteTTestPowerTableEnd(CHtmlWriter& w, const CPowerCalc& calc, const char* effectName,
                             double scale)
{
    WriteTradeoffsCaption(w);
    w.OpenParagraph();
    w.Write("For any power you choose, this table shows the %s that can be detected.", effectName);
    w.CloseParagraph();
    CTableLabels labels;
    labels.rowLabel = "Delta";
    labels.SetFormatsFor(scale);
    labels.linkCells = false;
    calc.WritePowerTable(w, labels);
    w.WriteFooter();
    w.WritePageEnd();
}
