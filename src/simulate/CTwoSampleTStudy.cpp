#include "simulate/CTwoSampleTStudy.h"

#include "simulate/NormalSample.h"
#include "simulate/TCritical.h"

#include <cmath>

CTwoSampleTStudy::CTwoSampleTStudy(int n1, int n2, double difference, double sd1, double sd2,
                                   const ExactLevel& level)
    : m_n1(n1), m_n2(n2), m_difference(difference), m_sd1(sd1), m_sd2(sd2),
      m_critical(TCritical(n1 + n2 - 2.0, level)), m_twoTailed(level.twoTailed)
{
}

bool CTwoSampleTStudy::operator()(StudyGenerator& generator) const
{
    const NormalSample a = DrawNormalSample(generator, m_n1, 0, m_sd1);
    const NormalSample b = DrawNormalSample(generator, m_n2, m_difference, m_sd2);
    const double df = m_n1 + m_n2 - 2.0;
    const double pooledVariance = (a.sumOfSquares + b.sumOfSquares) / df;
    const double t = (b.mean - a.mean) / std::sqrt(pooledVariance * (1.0 / m_n1 + 1.0 / m_n2));
    return TRejects(t, m_critical, m_twoTailed, m_difference);
}
