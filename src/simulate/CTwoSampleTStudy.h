#pragma once

#include "exact/ExactLevel.h"
#include "simulate/StudyGenerator.h"

/// One experiment of two independent normal groups analysed by the pooled two-sample t test:
/// group 1 has mean 0 and SD sd1, group 2 mean difference and SD sd2. A one-tailed test
/// looks in the direction of the difference.
class CTwoSampleTStudy
{
public:
    /// Groups of n1 and n2 (each at least 2).
    CTwoSampleTStudy(int n1, int n2, double difference, double sd1, double sd2,
                     const ExactLevel& level);

    /// Draws one experiment; true when the test rejects.
    bool operator()(StudyGenerator& generator) const;

private:
    int m_n1;
    int m_n2;
    double m_difference;
    double m_sd1;
    double m_sd2;
    double m_critical;
    bool m_twoTailed;
};
