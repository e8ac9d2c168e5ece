#include "simulate/CAnovaStudy.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/random/normal_distribution.hpp>

#include <numeric>
#include <utility>

CAnovaStudy::CAnovaStudy(std::vector<int> sizes, std::vector<double> means, double sd, double alpha)
    : m_sizes(std::move(sizes)), m_means(std::move(means)), m_sd(sd),
      m_total(std::accumulate(m_sizes.begin(), m_sizes.end(), 0)), m_critical(0)
{
    const double groups = static_cast<double>(m_sizes.size());
    const boost::math::fisher_f distribution(groups - 1, m_total - groups);
    m_critical = boost::math::quantile(boost::math::complement(distribution, alpha));
}

CAnovaStudy CAnovaStudy::EquallySpaced(int groups, int total, double range, double sd, double alpha)
{
    std::vector<int> sizes;
    std::vector<double> means;
    for (int g = 0; g < groups; ++g) {
        sizes.push_back(total / groups + (g < total % groups ? 1 : 0));
        means.push_back(range * g / (groups - 1));
    }
    return CAnovaStudy(std::move(sizes), std::move(means), sd, alpha);
}

bool CAnovaStudy::operator()(StudyGenerator& generator) const
{
    boost::random::normal_distribution<double> normal(0, m_sd);
    double grandSum = 0;
    double within = 0;
    double between = 0;
    std::vector<double> groupSums(m_sizes.size());
    for (std::size_t g = 0; g < m_sizes.size(); ++g) {
        double sum = 0;
        double sumSq = 0;
        for (int i = 0; i < m_sizes[g]; ++i) {
            const double x = m_means[g] + normal(generator);
            sum += x;
            sumSq += x * x;
        }
        within += sumSq - sum * sum / m_sizes[g];
        groupSums[g] = sum;
        grandSum += sum;
    }
    for (std::size_t g = 0; g < m_sizes.size(); ++g)
        between += groupSums[g] * groupSums[g] / m_sizes[g];
    between -= grandSum * grandSum / m_total;
    const double groups = static_cast<double>(m_sizes.size());
    const double f = (between / (groups - 1)) / (within / (m_total - groups));
    return f >= m_critical;
}
