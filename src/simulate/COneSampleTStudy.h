#pragma once

#include "exact/ExactLevel.h"
#include "simulate/StudyGenerator.h"

/// One experiment of n normal values of mean difference and SD sd analysed by the one-sample
/// t test against 0: a one-sample design, or a paired one whose values are the differences
/// within pairs. A one-tailed test looks in the direction of the difference.
class COneSampleTStudy
{
public:
    /// n values (at least 2).
    COneSampleTStudy(int n, double difference, double sd, const ExactLevel& level);

    /// Draws one experiment; true when the test rejects.
    bool operator()(StudyGenerator& generator) const;

private:
    int m_n;
    double m_difference;
    double m_sd;
    double m_critical;
    bool m_twoTailed;
};
