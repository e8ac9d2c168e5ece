#pragma once

#include "exact/ExactLevel.h"

#include <vector>

/// The uncorrected Pearson chi-square test of two proportions (the pooled z test) with n1
/// and n2 subjects, and its exact power under binomial sampling: the chance of every pair of
/// outcomes (x1, x2) times whether the test rejects there, summed over all of them. A
/// one-tailed test rejects when group 2's proportion is the higher one.
class CPooledZTest
{
public:
    /// Largest group for which the sums are done; the work grows with n1 x n2.
    static constexpr int MaxGroupSize = 200;

    /// The test for n1 and n2 subjects, each from 1 to MaxGroupSize (others are clamped into
    /// that range; callers check SizesAllowed first).
    CPooledZTest(int n1, int n2, const ExactLevel& level);

    /// True when both sizes are whole numbers from 1 to MaxGroupSize.
    static bool SizesAllowed(double n1, double n2);

    /// The chance that the test rejects when the true proportions are p1 and p2 (each from
    /// 0 to 1). NaN for a proportion outside that range.
    double Power(double p1, double p2) const;

    /// Group 2's proportion at which the test has the power (a fraction), with group 1 at
    /// p1: above p1 when higher, otherwise below. NaN when no proportion up to 1 (down to 0)
    /// reaches the power, or the power is not above the test's chance of rejecting at p1
    /// itself.
    double SecondProportionFor(double power, double p1, bool higher) const;

    /// The half-width b on the arcsine scale phi = asin(sqrt(P)) around centre (radians,
    /// between 0 and pi/2) at which the test has the power (a fraction) when one group's
    /// proportion is sin^2(centre - b) and the other's sin^2(centre + b); firstLow says that
    /// group 1 holds the lower one. NaN when no admissible b reaches the power.
    double ArcsineHalfWidthFor(double power, double centre, bool firstLow) const;

    /// The power when one group's proportion is sin^2(centre - b) and the other's
    /// sin^2(centre + b), group 1 holding the lower one when firstLow; a one-tailed test
    /// then looks for the lower group below the higher one.
    double PowerAtSpread(double centre, double b, bool firstLow) const;

private:
    struct Interval
    {
        int from;
        int to;
    };

    // The power of the direction in which group 2 is higher, for a one-tailed test, with
    // the proportions given as they are.
    double PowerAsGiven(double p1, double p2) const;
    void Probabilities(double p, int n, const std::vector<double>& logChoose,
                       std::vector<double>& out) const;

    int m_n1;
    int m_n2;
    ExactLevel m_level;
    std::vector<double> m_logChoose1;
    std::vector<double> m_logChoose2;
    // For each x1, the runs of x2 at which the test rejects.
    std::vector<std::vector<Interval>> m_rejected;
};
