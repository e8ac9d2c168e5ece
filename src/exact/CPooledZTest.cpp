// Exact power of the uncorrected chi-square test of two proportions (the pooled z test of
// Pearson 1900, z = (p2 - p1) / sqrt(p(1 - p)(1/n1 + 1/n2)) with p the pooled proportion)
// by full enumeration of both binomial outcomes, as in Fleiss, Levin and Paik (2003),
// Statistical Methods for Rates and Proportions, 3rd ed., ch. 4, and Suissa and Shuster
// (1985), Journal of the Royal Statistical Society A 148, 317-327. A table whose pooled
// proportion is 0 or 1 has no statistic and never rejects.
#include "exact/CPooledZTest.h"

#include "exact/ExactPolicy.h"
#include "exact/RootSearch.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double NotFound = std::numeric_limits<double>::quiet_NaN();

std::vector<double> LogChoose(int n)
{
    std::vector<double> out(n + 1);
    const double top = boost::math::lgamma(n + 1.0, ExactPolicy());
    for (int x = 0; x <= n; ++x)
        out[x] = top - boost::math::lgamma(x + 1.0, ExactPolicy()) -
                 boost::math::lgamma(n - x + 1.0, ExactPolicy());
    return out;
}

int Clamp(int n)
{
    return std::min(std::max(n, 1), CPooledZTest::MaxGroupSize);
}

} // namespace

CPooledZTest::CPooledZTest(int n1, int n2, const ExactLevel& level)
    : m_n1(Clamp(n1)), m_n2(Clamp(n2)), m_level(level), m_logChoose1(LogChoose(m_n1)),
      m_logChoose2(LogChoose(m_n2)), m_rejected(m_n1 + 1)
{
    const boost::math::normal_distribution<double, ExactPolicy> normal;
    const double critical =
        boost::math::quantile(boost::math::complement(normal, level.TailProbability()));
    const double scale = 1.0 / m_n1 + 1.0 / m_n2;
    for (int x1 = 0; x1 <= m_n1; ++x1) {
        std::vector<Interval>& runs = m_rejected[x1];
        for (int x2 = 0; x2 <= m_n2; ++x2) {
            const double pooled = double(x1 + x2) / (m_n1 + m_n2);
            const double spread = pooled * (1 - pooled) * scale;
            bool reject = false;
            if (spread > 0) {
                const double z = (double(x2) / m_n2 - double(x1) / m_n1) / std::sqrt(spread);
                reject = level.twoTailed ? std::fabs(z) > critical : z > critical;
            }
            if (!reject)
                continue;
            if (!runs.empty() && runs.back().to == x2 - 1)
                runs.back().to = x2;
            else
                runs.push_back(Interval{x2, x2});
        }
    }
}

bool CPooledZTest::SizesAllowed(double n1, double n2)
{
    const auto allowed = [](double n) { return n >= 1 && n <= MaxGroupSize && n == std::floor(n); };
    return allowed(n1) && allowed(n2);
}

void CPooledZTest::Probabilities(double p, int n, const std::vector<double>& logChoose,
                                 std::vector<double>& out) const
{
    out.assign(n + 1, 0.0);
    if (p <= 0) {
        out[0] = 1;
        return;
    }
    if (p >= 1) {
        out[n] = 1;
        return;
    }
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    for (int x = 0; x <= n; ++x)
        out[x] = std::exp(logChoose[x] + x * logP + (n - x) * logQ);
}

double CPooledZTest::PowerAsGiven(double p1, double p2) const
{
    std::vector<double> first;
    std::vector<double> second;
    Probabilities(p1, m_n1, m_logChoose1, first);
    Probabilities(p2, m_n2, m_logChoose2, second);
    // Sums from either end, so that a tail is never the difference of two numbers near 1.
    std::vector<double> below(m_n2 + 2, 0.0);
    std::vector<double> above(m_n2 + 2, 0.0);
    for (int x = 0; x <= m_n2; ++x)
        below[x + 1] = below[x] + second[x];
    for (int x = m_n2; x >= 0; --x)
        above[x] = above[x + 1] + second[x];
    double power = 0;
    for (int x1 = 0; x1 <= m_n1; ++x1) {
        if (first[x1] == 0)
            continue;
        double rejected = 0;
        for (const Interval& run : m_rejected[x1])
            rejected += run.to == m_n2 ? above[run.from] : below[run.to + 1] - below[run.from];
        power += first[x1] * rejected;
    }
    return power;
}

double CPooledZTest::Power(double p1, double p2) const
{
    if (!(p1 >= 0 && p1 <= 1 && p2 >= 0 && p2 <= 1))
        return NotFound;
    return PowerAsGiven(p1, p2);
}

double CPooledZTest::SecondProportionFor(double power, double p1, bool higher) const
{
    if (!m_level.Admits(power) || !(p1 > 0 && p1 < 1))
        return NotFound;
    // Successes and failures trade places: z changes sign, so the lower direction is the
    // higher one of the complements.
    const double start = higher ? p1 : 1 - p1;
    const double found = SolveRising(
        [&](double p2) {
            return higher ? PowerAsGiven(p1, p2) - power : PowerAsGiven(1 - p1, p2) - power;
        },
        start, 1);
    if (std::isnan(found) || found <= start)
        return NotFound;
    return higher ? found : 1 - found;
}

double CPooledZTest::PowerAtSpread(double centre, double b, bool firstLow) const
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

double CPooledZTest::ArcsineHalfWidthFor(double power, double centre, bool firstLow) const
{
    const double halfPi = std::acos(0.0);
    if (!m_level.Admits(power) || !(centre > 0 && centre < halfPi))
        return NotFound;
    const double widest = std::min(centre, halfPi - centre);
    const double found = SolveRising(
        [&](double b) { return PowerAtSpread(centre, b, firstLow) - power; }, 0, widest);
    if (std::isnan(found) || found <= 0)
        return NotFound;
    return found;
}
