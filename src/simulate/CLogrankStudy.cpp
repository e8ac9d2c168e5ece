#include "simulate/CLogrankStudy.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/random/exponential_distribution.hpp>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The follow-up time: the unit of time is the whole follow-up.
constexpr double FollowUp = 1.0;

// Appends the event times of n subjects with the hazard that fall within the follow-up; the
// others are censored at its end, after every event, and so leave the risk sets only there.
void DrawEvents(StudyGenerator& generator, int n, double hazard, int group,
                std::vector<std::pair<double, int>>& events)
{
    boost::random::exponential_distribution<double> exponential(hazard);
    for (int i = 0; i < n; ++i) {
        const double t = exponential(generator);
        if (t < FollowUp)
            events.emplace_back(t, group);
    }
}

} // namespace

CLogrankStudy::CLogrankStudy(int n1, int n2, double controlSurvival, double hazardRatio,
                             const ExactLevel& level)
    : m_n1(n1), m_n2(n2), m_controlHazard(-std::log(controlSurvival) / FollowUp),
      m_treatedHazard(hazardRatio * -std::log(controlSurvival) / FollowUp), m_critical(0),
      m_twoTailed(level.twoTailed), m_fewerInTreated(hazardRatio < 1)
{
    m_critical = boost::math::quantile(
        boost::math::complement(boost::math::normal(), level.TailProbability()));
}

bool CLogrankStudy::operator()(StudyGenerator& generator) const
{
    std::vector<std::pair<double, int>> events;
    events.reserve(static_cast<std::size_t>(m_n1 + m_n2));
    DrawEvents(generator, m_n1, m_controlHazard, 1, events);
    DrawEvents(generator, m_n2, m_treatedHazard, 2, events);
    std::sort(events.begin(), events.end());

    // Observed minus expected events of group 2 and the hypergeometric variance, summed over
    // the distinct event times.
    double atRisk1 = m_n1;
    double atRisk2 = m_n2;
    double observedMinusExpected = 0;
    double variance = 0;
    for (std::size_t i = 0; i < events.size();) {
        std::size_t j = i;
        double deaths1 = 0;
        double deaths2 = 0;
        for (; j < events.size() && events[j].first == events[i].first; ++j)
            (events[j].second == 1 ? deaths1 : deaths2) += 1;
        const double deaths = deaths1 + deaths2;
        const double atRisk = atRisk1 + atRisk2;
        observedMinusExpected += deaths2 - deaths * atRisk2 / atRisk;
        if (atRisk > 1)
            variance +=
                deaths * (atRisk1 / atRisk) * (atRisk2 / atRisk) * (atRisk - deaths) / (atRisk - 1);
        atRisk1 -= deaths1;
        atRisk2 -= deaths2;
        i = j;
    }
    if (variance <= 0)
        return false;
    const double z = observedMinusExpected / std::sqrt(variance);
    if (m_twoTailed)
        return std::fabs(z) >= m_critical;
    return m_fewerInTreated ? -z >= m_critical : z >= m_critical;
}
