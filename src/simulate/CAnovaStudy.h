#pragma once

#include "simulate/StudyGenerator.h"

#include <vector>

/// One experiment of k normal groups of one SD analysed by the one-way ANOVA F test at level
/// alpha (the F test has one tail).
class CAnovaStudy
{
public:
    /// Groups with the given sizes (at least 2 groups, more subjects than groups) and means.
    CAnovaStudy(std::vector<int> sizes, std::vector<double> means, double sd, double alpha);

    /// total subjects shared out as evenly as possible among groups groups (the first ones
    /// get one more when they do not divide), their means equally spaced from 0 to range.
    static CAnovaStudy EquallySpaced(int groups, int total, double range, double sd, double alpha);

    /// Draws one experiment; true when the test rejects.
    bool operator()(StudyGenerator& generator) const;

private:
    std::vector<int> m_sizes;
    std::vector<double> m_means;
    double m_sd;
    int m_total;
    double m_critical;
};
