// Normal deviates of the significance level and of each power come from
// InverseTwoTailedNormal (Abramowitz and Stegun 26.2.19, inverted by bisection).
#include "calc/CCalculator.h"

#include "platform/CUserException.h"
#include "engine/Distributions.h"
#include "calc/Formatting.h"
#include "platform/Platform.h"
#include "platform/CMessageSink.h"

#include <cmath>
#include <algorithm>

CCalculator::CCalculator(const CalculatorKind& kind)
    : next(nullptr), m_alpha(0), m_zAlpha(0), m_twoTailed(true), m_nPowers(0), m_nNs(0), m_powers(),
      m_zPowers(), m_ns(), m_reportErrors(true), m_decimals(2), m_selPower(-1), m_selN(-1),
      m_method(CalcMethod::Approximate), m_kind(kind), m_frontEnd(FrontEnd::Desktop)
{
    SetAlpha(0.05, true);
}

CCalculator::PowerTexts CCalculator::DescribePower(int powerIndex, bool alphaWithTails) const
{
    PowerTexts texts;
    FormatAlpha(texts.alpha, alphaWithTails);
    FormatNumber(m_powers[powerIndex], texts.power);
    FormatNumber(100 - m_powers[powerIndex], texts.beta);
    return texts;
}

bool CCalculator::IsKind(int goal, int design) const
{
    return IsGoalAndDesign(goal, design, m_kind.goal, m_kind.design);
}

unsigned int CCalculator::GetTitleId() const
{
    return m_kind.titleId;
}

unsigned int CCalculator::GetExplanationTitleId() const
{
    return GetTitleId() + 1;
}

bool CCalculator::SetAlpha(double alpha, bool twoTailed)
{
    // Written so that NaN is refused as well.
    if (alpha >= 1 || !(alpha > 0))
        return false;
    m_alpha = alpha;
    m_twoTailed = twoTailed;
    m_zAlpha = InverseTwoTailedNormal(alpha);
    return true;
}

void CCalculator::FormatAlpha(std::string& out, bool withTails) const
{
    const double level = m_twoTailed ? m_alpha : m_alpha * 0.5;
    // Two decimals show every level the input forms offer. Any other level is written with
    // the fewest significant digits that read back as the same number, so that a page never
    // states a rounded level (0.005 as 0.01, 0.001 as 0.00).
    std::string text = formatInCLocale("%.2f", level);
    for (int digits = 1; parseDoubleInCLocale(text.c_str(), nullptr) != level && digits <= 17;
         ++digits)
        text = formatInCLocale("%.*g", digits, level);
    if (withTails)
        text += m_twoTailed ? " (two-tailed)" : " (one-tailed)";
    out = text;
}

bool CCalculator::SetPower(int i, double percent)
{
    if (i < 0 || i >= MaxListSize)
        return false;
    m_powers[i] = percent;
    // Both branches give the standard normal quantile of percent / 100.
    if (percent >= 50)
        m_zPowers[i] = InverseTwoTailedNormal((1 - percent * 0.01) * 2);
    else
        m_zPowers[i] = -InverseTwoTailedNormal(percent * 0.02);
    return true;
}

bool CCalculator::SetN(int i, int n)
{
    if (i < 0 || i >= MaxListSize)
        return false;
    m_ns[i] = n;
    return true;
}

bool CCalculator::ReportError(const char* message)
{
    if (!m_reportErrors)
        return false;
    Platform::messages().showMessage(message);
    throw CUserException(message);
}

bool CCalculator::SetSD(double sd, double& field)
{
    // An infinite SD is no SD: it would put "inf" into every cell of the table.
    if (!(sd > 0) || !std::isfinite(sd)) {
        static const char* const message =
            "SD must be a positive number.\nEnter correct value in the field and try again.";
        Platform::messages().showMessage(message);
        throw CUserException(message);
    }
    field = sd;
    m_decimals = DecimalsFor(sd);
    return true;
}

bool CCalculator::WriteReportForQuery(CHtmlWriter& w, const char* query)
{
    if (query != nullptr)
        SelectFromQuery(query);
    if (!HasSelection())
        return false;
    WriteExplanationPage(w);
    return true;
}

void CCalculator::CopyCoreFrom(const CCalculator& source)
{
    m_alpha = source.m_alpha;
    m_zAlpha = source.m_zAlpha;
    m_twoTailed = source.m_twoTailed;
    m_nPowers = source.m_nPowers;
    m_nNs = source.m_nNs;
    std::copy(source.m_powers, source.m_powers + MaxListSize, m_powers);
    std::copy(source.m_zPowers, source.m_zPowers + MaxListSize, m_zPowers);
    std::copy(source.m_ns, source.m_ns + MaxListSize, m_ns);
    m_reportErrors = source.m_reportErrors;
    m_decimals = source.m_decimals;
    m_selPower = source.m_selPower;
    m_selN = source.m_selN;
    m_method = source.m_method;
    m_frontEnd = source.m_frontEnd;
    m_direct = source.m_direct;
    // Last, so that a failed allocation further down the chain leaves no copy holding a
    // half-built chain: every level's own copy is released by its caller.
    next = source.next != nullptr ? source.next->Clone() : nullptr;
}
