// Two proportions on the arcsine scale (Cohen 1988, Statistical Power Analysis for the
// Behavioral Sciences, ch. 6): with n the harmonic mean of the group sizes, the experiment
// detects the difference (z alpha + z power) / sqrt(2n) in phi = arcsin(sqrt(P)), laid here
// symmetrically around the arcsine of the mean observed proportion.
#include "calc/CPowerChiSquareCalc.h"

#include "calc/CTableLabels.h"
#include "calc/ExactProportions.h"
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
// By type 0 to 2.
const char* const Phrases[] = {"change", "relative risk", "risk reduction"};
const char* const ColumnTitles[] = {"Change", "Relative risk", "Risk reduction"};

void WriteTestName(CHtmlWriter& w)
{
    w.Write("Power of a ");
    w.WriteQuoted("not significant");
    w.Write(" chi-square test comparing two proportions");
}

} // namespace

CPowerChiSquareCalc::CPowerChiSquareCalc()
    : CPowerCalc(CalculatorKind{Goal::Power, Design::Proportions, IDS_POWER_CHISQUARE_TITLE}),
      m_n1(-1), m_n2(-1), m_p1(-1), m_p2(-1), m_effectType(0), m_test(ProportionTest::ChiSquare)
{
    m_decimals = 4;
}

CPowerChiSquareCalc::~CPowerChiSquareCalc() = default;

bool CPowerChiSquareCalc::SetGroups(double n1, double n2, double p1, double p2)
{
    // An infinite size would turn the harmonic mean and every cell into NaN.
    if (!(n1 >= 2) || !std::isfinite(n1))
        return ReportError(LoadString(IDS_GROUP1_SIZE_ABOVE_ONE));
    m_n1 = n1;
    if (!(n2 >= 2) || !std::isfinite(n2))
        return ReportError(LoadString(IDS_GROUP2_SIZE_ABOVE_ONE));
    m_n2 = n2;
    if (!StoreProportion(*this, p1, m_p1,
                         "Proportion for group 1 must be between 0 and 1.\nEnter correct value "
                         "in the field and try again."))
        return false;
    return StoreProportion(*this, p2, m_p2,
                           "Proportion for group 2 must be between 0 and 1.\nEnter correct value "
                           "in the field and try again.");
}

bool CPowerChiSquareCalc::SetEffectType(int type)
{
    if (type < 0 || type > 2)
        return false;
    m_effectType = type;
    return true;
}

void CPowerChiSquareCalc::SetTest(ProportionTest test)
{
    m_test = test;
}

int CPowerChiSquareCalc::TypeIndex() const
{
    // The texts of type 0 stand in for a type that no setter can store.
    return m_effectType >= 0 && m_effectType <= 2 ? m_effectType : 0;
}

double CPowerChiSquareCalc::CentreAngle() const
{
    return std::asin(std::sqrt((m_p1 + m_p2) / 2));
}

double CPowerChiSquareCalc::WrittenHalfWidth(int powerIndex) const
{
    const double n = 2 * m_n1 * m_n2 / (m_n1 + m_n2);
    // The exact method's fallback takes the exact normal deviates.
    const double z = IsExact() ? ExactDeviateSum(Level(), PowerFraction(powerIndex))
                               : m_zPowers[powerIndex] + m_zAlpha;
    return 0.25 * z * std::sqrt(2 / n);
}

bool CPowerChiSquareCalc::Summed() const
{
    return IsExact() && CProportionPower::SizesAllowed(m_n1, m_n2);
}

const CProportionPower& CPowerChiSquareCalc::Test() const
{
    return m_powerCache.Get(static_cast<int>(m_n1), static_cast<int>(m_n2), Level(), m_test);
}

double CPowerChiSquareCalc::ExactHalfWidth(int powerIndex) const
{
    const double b =
        Test().ArcsineHalfWidthFor(PowerFraction(powerIndex), CentreAngle(), m_p1 <= m_p2);
    // No width reaches the power: the same failed cell as a proportion outside (0, 1).
    return std::isnan(b) ? HalfPi : b;
}

bool CPowerChiSquareCalc::ComputeCell(int powerIndex, double* out) const
{
    return EffectAt(CentreAngle(), CellHalfWidth(powerIndex), out);
}

double CPowerChiSquareCalc::CellHalfWidth(int powerIndex) const
{
    // In either method: no effect has a power at or below the level (pi / 2 is the failed
    // cell's width).
    const bool admitted = Level().Admits(PowerFraction(powerIndex));
    return !admitted  ? HalfPi
           : Summed() ? ExactHalfWidth(powerIndex)
                      : WrittenHalfWidth(powerIndex);
}

bool CPowerChiSquareCalc::CellProportions(int powerIndex, double* p1, double* p2) const
{
    double effect = 0;
    if (!ComputeCell(powerIndex, &effect))
        return false;
    const double a = CentreAngle();
    const double b = CellHalfWidth(powerIndex);
    const double low = std::sin(a - b) * std::sin(a - b);
    const double high = std::sin(a + b) * std::sin(a + b);
    *p1 = m_p1 <= m_p2 ? low : high;
    *p2 = m_p1 <= m_p2 ? high : low;
    return true;
}

bool CPowerChiSquareCalc::EffectAt(double a, double b, double* out) const
{
    if (a + b >= HalfPi || a <= b) {
        *out = 1.7e38;
        return false;
    }
    const double sLow = std::sin(a - b);
    const double sHigh = std::sin(a + b);
    const double pLow = sLow * sLow;
    const double pHigh = sHigh * sHigh;
    double effect = 0;
    switch (TypeIndex()) {
    case 1:
        effect = pHigh / pLow;
        break;
    case 2:
        // Negative by design: the reduction is written 1 - Phigh / Plow.
        effect = 1 - pHigh / pLow;
        break;
    default:
        effect = pHigh - pLow;
        break;
    }
    // Narrower than the sample-size tables' band: these cells show four decimals.
    *out = effect > -0.00005 && effect < 0.000005 ? 0.0 : effect;
    return true;
}

std::optional<bool> CPowerChiSquareCalc::RowComputedExactly(int) const
{
    return Summed();
}

CCalculator* CPowerChiSquareCalc::Clone() const
{
    std::unique_ptr<CPowerChiSquareCalc> copy(new CPowerChiSquareCalc);
    copy->m_n1 = m_n1;
    copy->m_n2 = m_n2;
    copy->m_p1 = m_p1;
    copy->m_p2 = m_p2;
    copy->m_effectType = m_effectType;
    copy->m_test = m_test;
    copy->CopyCoreFrom(*this);
    return copy.release();
}

void CPowerChiSquareCalc::WriteChoices(CHtmlWriter& w, bool detailed) const
{
    WriteChoicesOpening(w, detailed);
    WriteTestName(w);
    WriteChoicesHeadEnd(w, detailed);
    WriteGroupTable(
        w, 350,
        [](CHtmlWriter& title) {
            title.Write("Proportion ");
            title.WriteQuoted("success");
        },
        m_n1, m_p1, m_n2, m_p2);
    w.LineBreak();
    WriteSignificanceLevel(w, *this);
    WriteWrittenTestNote(w, IsExact(), m_test);
}

void CPowerChiSquareCalc::FillTableLabels(CTableLabels& labels) const
{
    labels.rowLabel = ColumnTitles[TypeIndex()];
    labels.valueFormat = "%.4f";
    labels.plainFormat = "Impossible";
}

bool CPowerChiSquareCalc::WriteTradeoffPage(CHtmlWriter& w)
{
    const char* phrase = Phrases[TypeIndex()];
    w.WritePageHead("Power for comparing two proportions");
    WriteChoices(w, false);
    w.OpenParagraph();
    w.Write("Choose the smallest %s  that you think would be scientifically interesting or "
            "important, and read the power of the experiment to detect that %s. Click on the "
            "value for a detailed report. If you wish more power, repeat the experiment with a "
            "larger sample size or decide it is OK to only detect a larger %s.",
            phrase, phrase, phrase);
    w.CloseParagraph();
    CTableLabels labels;
    FillTableLabels(labels);
    WritePowerTable(w, labels);
    w.WritePageEnd();
    return true;
}

void CPowerChiSquareCalc::WriteExplanationPage(CHtmlWriter& w)
{
    const char* phrase = Phrases[TypeIndex()];
    w.WritePageHead(
        "Explanation of power a 'not significant' chi square test comparing two proportions");
    WriteChoices(w, true);
    CTableLabels labels;
    FillTableLabels(labels);
    WritePowerReportBody(*this, w, phrase, labels);
}

bool CPowerChiSquareCalc::WriteDataTable(CHtmlWriter& w, CTableLabels& labels)
{
    labels.rowLabel = ColumnTitles[TypeIndex()];
    labels.valueFormat = "%.4f";
    WritePowerDataRows(w, labels);
    return true;
}

std::string CPowerChiSquareCalc::ExactMethodName() const
{
    if (CProportionPower::SizesAllowed(m_n1, m_n2)) {
        const double centre = (m_p1 + m_p2) / 2;
        return std::string(ExactBinomialName) + " (" + ProportionTestName(m_test) +
               "; actual level " + LevelPercentText(Test().ActualLevel(centre)) +
               " when both proportions are " + NumberText(centre) + ")";
    }
    return "arcsine approximation (exact binomial sums are done for whole group sizes up to " +
           std::to_string(CProportionPower::MaxGroupSize) + ")";
}

std::string CPowerChiSquareCalc::ApproximateMethodName() const
{
    return WrittenArcsineName;
}

double CPowerChiSquareCalc::ExactPowerOfCell(int powerIndex, int, double) const
{
    const double a = CentreAngle();
    const double b = WrittenHalfWidth(powerIndex);
    if (!CProportionPower::SizesAllowed(m_n1, m_n2) || a + b >= HalfPi || a <= b)
        return std::nan("");
    return Test().PowerAtSpread(a, b, m_p1 <= m_p2);
}

ExactCheck CPowerChiSquareCalc::MakeExactCheck() const
{
    ExactCheck check;
    if (IsExact() || !HasSelection())
        return check;
    check.exactPower = ExactPowerOfCell(m_selPower, 0, 0);
    if (std::isnan(check.exactPower))
        return check;
    const double a = CentreAngle();
    ComputeCell(m_selPower, &check.effect);
    check.applies = true;
    check.distribution = ProportionCheckDistribution(m_test);
    check.subjects = "groups of " + NumberText(m_n1) + " and " + NumberText(m_n2);
    check.effectNoun = Phrases[TypeIndex()];
    if (!EffectAt(a, ExactHalfWidth(m_selPower), &check.exactEffect))
        check.exactEffect = std::nan("");
    check.requestedPower = m_powers[m_selPower];
    check.decimals = m_decimals;
    return check;
}
