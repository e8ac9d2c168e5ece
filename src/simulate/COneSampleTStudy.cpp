#include "simulate/COneSampleTStudy.h"

#include "simulate/NormalSample.h"
#include "simulate/TCritical.h"

#include <cmath>

COneSampleTStudy::COneSampleTStudy(int n, double difference, double sd, const ExactLevel& level)
    : m_n(n), m_difference(difference), m_sd(sd), m_critical(TCritical(n - 1.0, level)),
      m_twoTailed(level.twoTailed)
{
}

bool COneSampleTStudy::operator()(StudyGenerator& generator) const
{
    const NormalSample sample = DrawNormalSample(generator, m_n, m_difference, m_sd);
    const double variance = sample.sumOfSquares / (m_n - 1.0);
    const double t = sample.mean / std::sqrt(variance / m_n);
    return TRejects(t, m_critical, m_twoTailed, m_difference);
}
