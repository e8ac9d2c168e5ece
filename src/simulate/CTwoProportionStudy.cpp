#include "simulate/CTwoProportionStudy.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/random/binomial_distribution.hpp>

#include <cmath>
#include <utility>

CTwoProportionStudy::CTwoProportionStudy(int n1, int n2, double p1, double p2, ProportionRule rule)
    : m_n1(n1), m_n2(n2), m_p1(p1), m_p2(p2), m_rule(std::move(rule))
{
}

ProportionRule CTwoProportionStudy::PooledChiSquare(const ExactLevel& level)
{
    const double z = boost::math::quantile(
        boost::math::complement(boost::math::normal(), level.TailProbability()));
    const bool twoTailed = level.twoTailed;
    return [z, twoTailed](int x1, int n1, int x2, int n2) {
        const double pooled = static_cast<double>(x1 + x2) / (n1 + n2);
        const double variance = pooled * (1 - pooled) * (1.0 / n1 + 1.0 / n2);
        // All successes or all failures: no evidence either way.
        if (variance <= 0)
            return false;
        const double difference = static_cast<double>(x2) / n2 - static_cast<double>(x1) / n1;
        const double statistic = difference / std::sqrt(variance);
        return twoTailed ? std::fabs(statistic) >= z : statistic >= z;
    };
}

bool CTwoProportionStudy::operator()(StudyGenerator& generator) const
{
    boost::random::binomial_distribution<int> first(m_n1, m_p1);
    boost::random::binomial_distribution<int> second(m_n2, m_p2);
    const int x1 = first(generator);
    const int x2 = second(generator);
    return m_rule(x1, m_n1, x2, m_n2);
}
