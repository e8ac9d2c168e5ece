#pragma once

#include "exact/ExactLevel.h"
#include "simulate/StudyGenerator.h"

#include <functional>

/// The rejection rule of a test of two proportions: x1 successes of n1 in group 1 and x2 of
/// n2 in group 2; true when the test is significant.
using ProportionRule = std::function<bool(int x1, int n1, int x2, int n2)>;

/// One experiment of two binomial groups analysed by a test of two proportions given as its
/// rejection rule.
class CTwoProportionStudy
{
public:
    /// Groups of n1 and n2 (each at least 1) with true proportions p1 and p2.
    CTwoProportionStudy(int n1, int n2, double p1, double p2, ProportionRule rule);

    /// The uncorrected chi-square test of the pooled proportion (the pooled z test) at the
    /// level; one-tailed, it rejects when group 2's proportion is the higher one.
    static ProportionRule PooledChiSquare(const ExactLevel& level);

    /// Draws one experiment; true when the rule rejects.
    bool operator()(StudyGenerator& generator) const;

private:
    int m_n1;
    int m_n2;
    double m_p1;
    double m_p2;
    ProportionRule m_rule;
};
