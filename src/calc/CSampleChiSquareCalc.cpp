// Two proportions on the arcsine scale (Cohen 1988, Statistical Power Analysis for the
// Behavioral Sciences, ch. 6): phi = arcsin(sqrt(P)) has the variance 1 / (4n) whatever P,
// so two groups of n detect the difference h / 2 = (z alpha + z power) / sqrt(2n) in phi.
#include "calc/CSampleChiSquareCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ExactProportions.h"
#include "calc/Formatting.h"
#include "calc/ProportionShared.h"
#include "calc/ReportText.h"
#include "calc/StringTable.h"
#include "calc/TTestShared.h"
#include "exact/ExactLevel.h"
#include "report/CHtmlWriter.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

const double HalfPi = 1.5707963267948966;
const char* const RowLabel = "N per group";
// By kind 1 to 4.
const char* const Phrases[] = {"increase", "decrease", "relative risk", "risk reduction"};
const char* const PluralPhrases[] = {"increases", "decreases", "relative risks", "risk reductions"};
const char* const ColumnTitles[] = {"Increase", "Decrease", "Relative risk", "Risk reduction"};

} // namespace

CSampleChiSquareCalc::CSampleChiSquareCalc()
    : CSampleCalc(
          CalculatorKind{Goal::SampleSize, Design::Proportions, IDS_SAMPLE_CHISQUARE_TITLE}),
      m_pControl(0.5), m_effectKind(1), m_test(ProportionTest::ChiSquare)
{
}

CSampleChiSquareCalc::~CSampleChiSquareCalc() = default;

bool CSampleChiSquareCalc::SetProportion(double p)
{
    return StoreProportion(*this, p, m_pControl, ProportionMessage);
}

bool CSampleChiSquareCalc::SetEffectKind(int direction, int tabulate)
{
    if ((direction != 0 && direction != 1) || (tabulate != 1 && tabulate != 2))
        return false;
    m_effectKind = (tabulate == 1 ? 1 : 3) + (direction == 0 ? 1 : 0);
    return true;
}

void CSampleChiSquareCalc::SetTest(ProportionTest test)
{
    m_test = test;
}

int CSampleChiSquareCalc::IsHigher() const
{
    return KindIndex() % 2 == 0 ? 1 : 0;
}

int CSampleChiSquareCalc::GetTabulate() const
{
    return KindIndex() < 2 ? 1 : 2;
}

int CSampleChiSquareCalc::KindIndex() const
{
    // The texts of kind 1 stand in for a kind that no setter can store.
    return m_effectKind >= 1 && m_effectKind <= 4 ? m_effectKind - 1 : 0;
}

double CSampleChiSquareCalc::WrittenTreated(int powerIndex, int nIndex) const
{
    const double phiControl = std::asin(std::sqrt(m_pControl));
    // The exact method's fallback takes the exact normal deviates.
    const double z = IsExact() ? ExactDeviateSum(Level(), PowerFraction(powerIndex))
                               : m_zPowers[powerIndex] + m_zAlpha;
    const double h = z * std::sqrt(2.0) / std::sqrt(m_ns[nIndex]);
    const double phiTreated = IsHigher() ? phiControl + h / 2 : phiControl - h / 2;
    if (phiTreated >= HalfPi || phiTreated <= 0)
        return std::nan("");
    const double s = std::sin(phiTreated);
    return s * s;
}

double CSampleChiSquareCalc::ExactTreated(int powerIndex, int nIndex) const
{
    const CProportionPower& test = m_powerCache.Get(m_ns[nIndex], m_ns[nIndex], Level(), m_test);
    return test.SecondProportionFor(PowerFraction(powerIndex), m_pControl, IsHigher() != 0);
}

bool CSampleChiSquareCalc::Summed(int nIndex) const
{
    return IsExact() && CProportionPower::SizesAllowed(m_ns[nIndex], m_ns[nIndex]);
}

double CSampleChiSquareCalc::EffectOf(double pTreated) const
{
    const double p = m_pControl;
    switch (KindIndex() + 1) {
    case 1:
        return pTreated - p;
    case 2:
        return p - pTreated;
    case 3:
        return pTreated / p;
    default:
        return 1 - pTreated / p;
    }
}

bool CSampleChiSquareCalc::ComputeCell(int powerIndex, int nIndex, double* out) const
{
    // In either method: no effect has a power at or below the level.
    const bool admitted = Level().Admits(PowerFraction(powerIndex));
    const double pTreated = !admitted        ? std::nan("")
                            : Summed(nIndex) ? ExactTreated(powerIndex, nIndex)
                                             : WrittenTreated(powerIndex, nIndex);
    if (std::isnan(pTreated)) {
        *out = 1.7e38;
        return false;
    }
    *out = ZeroNearZero(EffectOf(pTreated), m_pControl);
    return true;
}

int CSampleChiSquareCalc::MonotoneFromN() const
{
    // The exact power's steps in N are large in small groups, where a direct answer walks N
    // by N; above 200 per group they are a fraction of a percentage point and the answer is
    // bisected as for the other designs. Walking every N up to the enumeration limit would
    // take minutes for Fisher's test.
    return IsExact() ? 201 : 0;
}

std::optional<bool> CSampleChiSquareCalc::RowComputedExactly(int nIndex) const
{
    return Summed(nIndex);
}

CCalculator* CSampleChiSquareCalc::Clone() const
{
    std::unique_ptr<CSampleChiSquareCalc> copy(new CSampleChiSquareCalc);
    copy->m_pControl = m_pControl;
    copy->m_effectKind = m_effectKind;
    copy->m_test = m_test;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CSampleChiSquareCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteChoicesOpening(w, detailed);
    w.Write("Sample size for comparing two proportions");
    WriteChoicesHeadEnd(w, detailed);
    w.Write("Expected proportion ");
    w.WriteQuoted("success");
    WriteLabelledNumber(w, " in the control group = ", m_pControl);
    WriteSignificanceLevel(w, *this);
    WriteWrittenTestNote(w, IsExact(), m_test);
    WriteActualLevels(w);
}

void CSampleChiSquareCalc::WriteActualLevels(CHtmlWriter& w) const
{
    std::string levels;
    for (int r = 0; r < m_nNs; ++r) {
        if (!Summed(r))
            continue;
        const CProportionPower& test = m_powerCache.Get(m_ns[r], m_ns[r], Level(), m_test);
        levels += formatInCLocale("%s%s at N = %d", levels.empty() ? "" : ", ",
                                  LevelPercentText(test.ActualLevel(m_pControl)).c_str(), m_ns[r]);
    }
    if (levels.empty())
        return;
    w.OpenParagraph();
    w.Write("Actual level of the %s when both groups' proportion ", ProportionTestName(m_test));
    w.WriteQuoted("success");
    w.Write(" is %s: %s.", NumberText(m_pControl).c_str(), levels.c_str());
    w.CloseParagraph();
}

void CSampleChiSquareCalc::FillTableLabels(CTableLabels& labels) const
{
    labels.rowLabel = RowLabel;
    labels.valueFormat = "%.2f";
    labels.plainFormat = "Impossible";
}

bool CSampleChiSquareCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    w.WritePageHead("Sample size for comparing two proportions");
    WriteChoices(w, false);
    WriteSampleTradeoffInstructions(w, Phrases[KindIndex()], PluralPhrases[KindIndex()]);
    CTableLabels labels;
    FillTableLabels(labels);
    WriteTradeoffTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CSampleChiSquareCalc::WriteExplanationPage(CHtmlWriter& w)
{
    const char* phrase = Phrases[KindIndex()];
    w.WritePageHead("Explanation of sample size for comparing two proportions");
    WriteChoices(w, true);
    CTableLabels labels;
    FillTableLabels(labels);
    WriteSampleReportBody(*this, w, phrase, labels, false);
}

bool CSampleChiSquareCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.title = "Sample size per group";
    labels.rowLabel = RowLabel;
    labels.valueLabel = ColumnTitles[KindIndex()];
    labels.valueFormat = "%.2f";
    WriteSampleDataRows(w, labels);
    return true;
}

std::string CSampleChiSquareCalc::ExactMethodName() const
{
    int summed = 0;
    for (int r = 0; r < m_nNs; ++r)
        summed += Summed(r) ? 1 : 0;
    const std::string exact =
        std::string(ExactBinomialName) + " (" + ProportionTestName(m_test) + ")";
    const std::string limit = std::to_string(CProportionPower::MaxGroupSize);
    if (summed == m_nNs)
        return exact;
    if (summed == 0)
        return "arcsine approximation (exact binomial sums are done up to " + limit + " per group)";
    return exact + " up to " + limit + " per group, arcsine approximation above";
}

std::string CSampleChiSquareCalc::ApproximateMethodName() const
{
    return WrittenArcsineName;
}

double CSampleChiSquareCalc::ExactPowerOfCell(int powerIndex, int nIndex, double) const
{
    const int n = m_ns[nIndex];
    const double pTreated = WrittenTreated(powerIndex, nIndex);
    if (!CProportionPower::SizesAllowed(n, n) || std::isnan(pTreated))
        return std::nan("");
    const CProportionPower& test = m_powerCache.Get(n, n, Level(), m_test);
    const double p = m_pControl;
    // The complements turn a decrease into the increase that the one-tailed test looks for.
    return IsHigher() ? test.Power(p, pTreated) : test.Power(1 - p, 1 - pTreated);
}

ExactCheck CSampleChiSquareCalc::MakeExactCheck() const
{
    ExactCheck check;
    if (IsExact() || !HasSelection())
        return check;
    check.exactPower = ExactPowerOfCell(m_selPower, m_selN, 0);
    if (std::isnan(check.exactPower))
        return check;
    const int n = m_ns[m_selN];
    ComputeCell(m_selPower, m_selN, &check.effect);
    check.applies = true;
    check.distribution = ProportionCheckDistribution(m_test);
    check.subjects = "two groups of " + std::to_string(n);
    check.effectNoun = Phrases[KindIndex()];
    const double exactTreated = ExactTreated(m_selPower, m_selN);
    check.exactEffect = std::isnan(exactTreated) ? exactTreated : EffectOf(exactTreated);
    check.requestedPower = m_powers[m_selPower];
    check.decimals = m_decimals;
    return check;
}
