#pragma once

#include "exact/ExactLevel.h"
#include "simulate/StudyGenerator.h"

/// One experiment of two groups with exponential survival and proportional hazards, analysed
/// by the logrank test. Everyone is followed to the time at which the control group's
/// survival is controlSurvival and censored there. Group 1 is the control group; group 2's
/// hazard is hazardRatio times the control's. A one-tailed test looks in the direction of
/// the hazard ratio (below 1: fewer events in group 2 than expected).
class CLogrankStudy
{
public:
    /// Groups of n1 and n2 (each at least 1); controlSurvival strictly between 0 and 1,
    /// hazardRatio above 0.
    CLogrankStudy(int n1, int n2, double controlSurvival, double hazardRatio,
                  const ExactLevel& level);

    /// Draws one experiment; true when the test rejects.
    bool operator()(StudyGenerator& generator) const;

private:
    int m_n1;
    int m_n2;
    double m_controlHazard;
    double m_treatedHazard;
    double m_critical;
    bool m_twoTailed;
    bool m_fewerInTreated;
};
