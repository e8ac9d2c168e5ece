// Exact power of a test of two proportions by enumeration of both binomial outcomes, as in
// Fleiss, Levin and Paik (2003), Statistical Methods for Rates and Proportions, 3rd ed.,
// ch. 4, and Suissa and Shuster (1985), Journal of the Royal Statistical Society A 148,
// 317-327.
//
// Only the outcomes that matter are summed. From the mode k of Binomial(n, p) the ratio of
// neighbours r(x) = b(x + 1) / b(x) = (n - x) p / ((x + 1)(1 - p)) falls as x rises and is
// at most 1 from k on, so once r(x) < 1 everything above x weighs at most
// b(x) (r(x) + r(x)^2 + ...) = b(x) r(x) / (1 - r(x)); the same holds downwards with
// b(x - 1) / b(x). A side stops where that bound is below NeglectedSide, so each group
// neglects less than 2 NeglectedSide and the power, a sum of probabilities of pairs with at
// least one group's outcome kept, is off by less than 4 NeglectedSide = 1e-13.
#include "exact/CProportionPower.h"

#include "exact/ExactPolicy.h"
#include "exact/RootSearch.h"

#include <boost/math/distributions/binomial.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double NotFound = std::numeric_limits<double>::quiet_NaN();
const double NeglectedSide = 2.5e-14;
// How far below the target a power may fall and still count as reaching it.
const double SumTolerance = 1e-12;

int Clamp(int n)
{
    return std::min(std::max(n, 1), CProportionPower::MaxGroupSize);
}

// The binomial probabilities that matter: terms[i] is that of lo + i.
struct Window
{
    int lo = 0;
    std::vector<double> terms;
};

void BinomialWindow(double p, int n, Window& w)
{
    w.terms.clear();
    if (p <= 0 || p >= 1) {
        w.lo = p <= 0 ? 0 : n;
        w.terms.push_back(1);
        return;
    }
    const double odds = p / (1 - p);
    const int mode = std::min(n, static_cast<int>(std::floor((n + 1) * p)));
    const boost::math::binomial_distribution<double, ExactPolicy> binomial(n, p);
    const double atMode = boost::math::pdf(binomial, mode);
    // Downwards first, stored reversed.
    std::vector<double> down;
    for (int x = mode;;) {
        const double b = down.empty() ? atMode : down.back() * (x + 1) / ((n - x) * odds);
        down.push_back(b);
        if (x == 0)
            break;
        const double s = x / ((n - x + 1) * odds);
        if (s < 1 && b * s / (1 - s) <= NeglectedSide)
            break;
        --x;
    }
    w.lo = mode - static_cast<int>(down.size()) + 1;
    w.terms.assign(down.rbegin(), down.rend());
    for (int x = mode; x < n;) {
        const double r = (n - x) * odds / (x + 1);
        const double b = w.terms.back();
        if (r < 1 && b * r / (1 - r) <= NeglectedSide)
            break;
        w.terms.push_back(b * r);
        ++x;
    }
}

} // namespace

CProportionPower::CProportionPower(int n1, int n2, const ExactLevel& level, ProportionTest test)
    : m_n1(Clamp(n1)), m_n2(Clamp(n2)), m_level(level), m_test(test),
      m_runStart(static_cast<std::size_t>(m_n1 + 2), 0)
{
    std::vector<ProportionMarginCut> cuts;
    ProportionTestCuts(test, m_n1, m_n2, level, cuts);
    for (int x1 = 0; x1 <= m_n1; ++x1) {
        m_runStart[static_cast<std::size_t>(x1)] = static_cast<int>(m_runs.size());
        bool open = false;
        for (int x2 = 0; x2 <= m_n2; ++x2) {
            const ProportionMarginCut& cut = cuts[static_cast<std::size_t>(x1 + x2)];
            const bool reject = x2 <= cut.lowEnd || x2 >= cut.highStart;
            if (reject && open)
                m_runs.back().to = x2;
            else if (reject)
                m_runs.push_back(Interval{x2, x2});
            open = reject;
        }
    }
    m_runStart[static_cast<std::size_t>(m_n1 + 1)] = static_cast<int>(m_runs.size());
}

bool CProportionPower::SizesAllowed(double n1, double n2)
{
    const auto allowed = [](double n) { return n >= 1 && n <= MaxGroupSize && n == std::floor(n); };
    return allowed(n1) && allowed(n2);
}

double CProportionPower::PowerAsGiven(double p1, double p2) const
{
    Window first;
    Window second;
    BinomialWindow(p1, m_n1, first);
    BinomialWindow(p2, m_n2, second);
    const std::size_t count = second.terms.size();
    const int top = second.lo + static_cast<int>(count) - 1;
    // Sums from either end, so that a tail is never the difference of two numbers near 1.
    std::vector<double> below(count + 1, 0.0);
    std::vector<double> above(count + 1, 0.0);
    for (std::size_t i = 0; i < count; ++i)
        below[i + 1] = below[i] + second.terms[i];
    for (std::size_t i = count; i-- > 0;)
        above[i] = above[i + 1] + second.terms[i];
    double power = 0;
    for (std::size_t i = 0; i < first.terms.size(); ++i) {
        const int x1 = first.lo + static_cast<int>(i);
        double rejected = 0;
        for (int k = m_runStart[static_cast<std::size_t>(x1)];
             k < m_runStart[static_cast<std::size_t>(x1 + 1)]; ++k) {
            const Interval& run = m_runs[static_cast<std::size_t>(k)];
            const int from = std::max(run.from, second.lo);
            const int to = std::min(run.to, top);
            if (from > to)
                continue;
            const auto a = static_cast<std::size_t>(from - second.lo);
            const auto b = static_cast<std::size_t>(to - second.lo);
            rejected += to == top ? above[a] : below[b + 1] - below[a];
        }
        power += first.terms[i] * rejected;
    }
    return power;
}

double CProportionPower::Power(double p1, double p2) const
{
    if (!(p1 >= 0 && p1 <= 1 && p2 >= 0 && p2 <= 1))
        return NotFound;
    return PowerAsGiven(p1, p2);
}

double CProportionPower::ActualLevel(double p) const
{
    return Power(p, p);
}

double CProportionPower::SecondProportionFor(double power, double p1, bool higher) const
{
    if (!m_level.Admits(power) || !(p1 > 0 && p1 < 1))
        return NotFound;
    // Successes and failures trade places: z changes sign, so the lower direction is the
    // higher one of the complements.
    const double start = higher ? p1 : 1 - p1;
    const auto shortfall = [&](double p2) { return PowerAsGiven(start, p2) - power; };
    // A test whose level at p1 is above alpha may reach the power with no difference at all.
    if (shortfall(start) >= 0)
        return p1;
    // The sums are good to 1e-13: a power reached only at the end (all subjects of group 2
    // succeed) may come out a hair below the target and still counts.
    const double atEnd = shortfall(1);
    if (!(atEnd >= -SumTolerance))
        return NotFound;
    if (atEnd < 0)
        return higher ? 1 : 0;
    const double found = SolveRising(shortfall, start, 1);
    if (std::isnan(found))
        return NotFound;
    return higher ? found : 1 - found;
}

double CProportionPower::PowerAtSpread(double centre, double b, bool firstLow) const
{
    const double low = std::sin(centre - b);
    const double high = std::sin(centre + b);
    const double pLow = low * low;
    const double pHigh = high * high;
    if (!(pLow >= 0 && pHigh <= 1))
        return NotFound;
    // With group 1 the higher one, successes and failures trade places: the one-tailed test
    // of "group 2 higher" then looks at group 1 above group 2.
    return firstLow ? PowerAsGiven(pLow, pHigh) : PowerAsGiven(1 - pHigh, 1 - pLow);
}

double CProportionPower::ArcsineHalfWidthFor(double power, double centre, bool firstLow) const
{
    const double halfPi = std::acos(0.0);
    if (!m_level.Admits(power) || !(centre > 0 && centre < halfPi))
        return NotFound;
    const double widest = std::min(centre, halfPi - centre);
    const auto shortfall = [&](double b) { return PowerAtSpread(centre, b, firstLow) - power; };
    if (shortfall(0) >= 0)
        return 0;
    const double found = SolveRising(shortfall, 0, widest);
    if (std::isnan(found) || found <= 0)
        return NotFound;
    return found;
}
