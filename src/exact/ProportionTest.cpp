// The three tests of a 2x2 table that scientists run on two proportions: Pearson's
// chi-square test (the pooled z test), the same with Yates's continuity correction (as R's
// prop.test and chisq.test do by default, the correction never taking |d| below 0) and
// Fisher's exact test (Agresti 2002, Categorical Data Analysis, 2nd ed., ch. 3.5; the
// two-sided P value as R's fisher.test sums it). Within one margin (m successes in all) the
// pooled z grows with x2 and Fisher's hypergeometric probabilities rise to one mode and fall,
// so every test rejects two runs of x2 at the ends of the margin: found here once per margin.
#include "exact/ProportionTest.h"

#include "exact/ExactPolicy.h"

#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The relative tolerance under which two tables count as equally probable in Fisher's
// two-sided P value.
const double FisherTolerance = 1 + 1e-7;

struct Margin
{
    int lo;
    int hi;
};

Margin MarginOf(int n1, int n2, int m)
{
    return Margin{std::max(0, m - n1), std::min(n2, m)};
}

// The pooled z of the table (0 when the pooled proportion is 0 or 1), with Yates's
// correction when yates.
double PooledZ(int x1, int n1, int x2, int n2, bool yates)
{
    const double pooled = double(x1 + x2) / (n1 + n2);
    const double scale = 1.0 / n1 + 1.0 / n2;
    const double spread = pooled * (1 - pooled) * scale;
    if (!(spread > 0))
        return 0;
    double d = double(x2) / n2 - double(x1) / n1;
    if (yates) {
        const double shrunk = std::max(0.0, std::fabs(d) - scale / 2);
        d = d < 0 ? -shrunk : shrunk;
    }
    return d / std::sqrt(spread);
}

double Critical(const ExactLevel& level)
{
    const boost::math::normal_distribution<double, ExactPolicy> normal;
    return boost::math::quantile(boost::math::complement(normal, level.TailProbability()));
}

// The z tests' cut: z rises with x2 along the margin, so both ends are binary searches.
ProportionMarginCut ZCut(int n1, int n2, int m, bool yates, bool twoTailed, double critical)
{
    const Margin margin = MarginOf(n1, n2, m);
    ProportionMarginCut cut{margin.lo - 1, margin.hi + 1};
    if (m == 0 || m == n1 + n2)
        return cut;
    const auto z = [&](int x2) { return PooledZ(m - x2, n1, x2, n2, yates); };
    int a = margin.lo;
    int b = margin.hi + 1;
    while (a < b) {
        const int mid = a + (b - a) / 2;
        if (z(mid) >= critical)
            b = mid;
        else
            a = mid + 1;
    }
    cut.highStart = a;
    if (!twoTailed)
        return cut;
    a = margin.lo - 1;
    b = margin.hi;
    while (a < b) {
        const int mid = a + (b - a + 1) / 2;
        if (z(mid) <= -critical)
            a = mid;
        else
            b = mid - 1;
    }
    cut.lowEnd = a;
    return cut;
}

// The hypergeometric probabilities of x2 along the margin, relative to 1 at the mode (the
// ratio of neighbours from the mode outwards; far tails may underflow to 0, which only adds
// them to the rejected tables), into f; returns their sum.
double Hypergeometric(int n1, int n2, int m, const Margin& margin, std::vector<double>& f)
{
    f.assign(static_cast<std::size_t>(margin.hi - margin.lo + 1), 0.0);
    const double modeGuess = std::floor((m + 1.0) * (n2 + 1.0) / (n1 + n2 + 2.0));
    const int mode = std::min(std::max(static_cast<int>(modeGuess), margin.lo), margin.hi);
    const auto at = [&](int x2) -> double& { return f[static_cast<std::size_t>(x2 - margin.lo)]; };
    at(mode) = 1;
    for (int y = mode; y < margin.hi; ++y)
        at(y + 1) = at(y) * (double(n2 - y) * (m - y)) / (double(y + 1) * (n1 - m + y + 1));
    for (int y = mode; y > margin.lo; --y)
        at(y - 1) = at(y) * (double(y) * (n1 - m + y)) / (double(n2 - y + 1) * (m - y + 1));
    double total = 0;
    for (const double v : f)
        total += v;
    return total;
}

// Fisher's cut from the margin's probabilities: the one-tailed test rejects the upper run
// whose sum stays within alpha; the two-tailed one takes the tables in rising probability
// (merging both ends, since the probabilities rise to one mode) while the sum of all tables
// up to each one's probability stays within alpha.
ProportionMarginCut FisherCutOf(const Margin& margin, const std::vector<double>& f, double total,
                                const ExactLevel& level)
{
    const auto at = [&](int x2) { return f[static_cast<std::size_t>(x2 - margin.lo)]; };
    const double limit = level.alpha * total;
    ProportionMarginCut cut{margin.lo - 1, margin.hi + 1};
    if (!level.twoTailed) {
        double sum = 0;
        for (int y = margin.hi; y >= margin.lo && sum + at(y) <= limit; --y) {
            sum += at(y);
            cut.highStart = y;
        }
        return cut;
    }
    // Rising order: the ends of both runs that are still open.
    int left = margin.lo;
    int right = margin.hi;
    int reachLeft = margin.lo;
    int reachRight = margin.hi;
    double sum = 0;
    while (left <= right) {
        const bool fromLeft = at(left) <= at(right);
        const double bound = (fromLeft ? at(left) : at(right)) * FisherTolerance;
        // Every table not above bound joins the sum; both runs grow towards the mode.
        while (reachLeft <= reachRight && (at(reachLeft) <= bound || at(reachRight) <= bound)) {
            if (at(reachLeft) <= at(reachRight))
                sum += at(reachLeft++);
            else
                sum += at(reachRight--);
        }
        if (!(sum <= limit))
            break;
        if (fromLeft)
            cut.lowEnd = left++;
        else
            cut.highStart = right--;
    }
    return cut;
}

ProportionMarginCut FisherCut(int n1, int n2, int m, const ExactLevel& level,
                              std::vector<double>& f)
{
    const Margin margin = MarginOf(n1, n2, m);
    const double total = Hypergeometric(n1, n2, m, margin, f);
    return FisherCutOf(margin, f, total, level);
}

bool TableAllowed(int x1, int n1, int x2, int n2)
{
    return n1 >= 1 && n2 >= 1 && x1 >= 0 && x1 <= n1 && x2 >= 0 && x2 <= n2;
}

} // namespace

ProportionMarginCut ProportionTestCut(ProportionTest test, int n1, int n2, int m,
                                      const ExactLevel& level)
{
    if (test == ProportionTest::Fisher) {
        std::vector<double> f;
        return FisherCut(n1, n2, m, level, f);
    }
    return ZCut(n1, n2, m, test == ProportionTest::Yates, level.twoTailed, Critical(level));
}

void ProportionTestCuts(ProportionTest test, int n1, int n2, const ExactLevel& level,
                        std::vector<ProportionMarginCut>& out)
{
    out.resize(static_cast<std::size_t>(n1 + n2 + 1));
    std::vector<double> f;
    const double critical = Critical(level);
    for (int m = 0; m <= n1 + n2; ++m)
        out[static_cast<std::size_t>(m)] =
            test == ProportionTest::Fisher
                ? FisherCut(n1, n2, m, level, f)
                : ZCut(n1, n2, m, test == ProportionTest::Yates, level.twoTailed, critical);
}

bool ProportionTestRejects(ProportionTest test, int x1, int n1, int x2, int n2,
                           const ExactLevel& level)
{
    if (!TableAllowed(x1, n1, x2, n2))
        return false;
    const ProportionMarginCut cut = ProportionTestCut(test, n1, n2, x1 + x2, level);
    return x2 <= cut.lowEnd || x2 >= cut.highStart;
}

double ProportionTestPValue(ProportionTest test, int x1, int n1, int x2, int n2, bool twoTailed)
{
    if (!TableAllowed(x1, n1, x2, n2))
        return std::numeric_limits<double>::quiet_NaN();
    const int m = x1 + x2;
    if (test != ProportionTest::Fisher) {
        if (m == 0 || m == n1 + n2)
            return 1;
        const double z = PooledZ(x1, n1, x2, n2, test == ProportionTest::Yates);
        const boost::math::normal_distribution<double, ExactPolicy> normal;
        return twoTailed ? 2 * boost::math::cdf(boost::math::complement(normal, std::fabs(z)))
                         : boost::math::cdf(boost::math::complement(normal, z));
    }
    const Margin margin = MarginOf(n1, n2, m);
    std::vector<double> f;
    const double total = Hypergeometric(n1, n2, m, margin, f);
    const double observed = f[static_cast<std::size_t>(x2 - margin.lo)];
    double sum = 0;
    for (int y = margin.lo; y <= margin.hi; ++y) {
        const double v = f[static_cast<std::size_t>(y - margin.lo)];
        if (twoTailed ? v <= observed * FisherTolerance : y >= x2)
            sum += v;
    }
    return std::min(1.0, sum / total);
}
