#pragma once

#include "exact/ExactLevel.h"
#include "exact/ProportionTest.h"

#include <vector>

/// The exact power of a test of two proportions with n1 and n2 subjects under binomial
/// sampling: the chance of every pair of outcomes (x1, x2) times whether the test rejects
/// there, summed over the outcomes that matter (the neglected ones weigh less than 1e-13 in
/// all). A one-tailed test rejects when group 2's proportion is the higher one.
class CProportionPower
{
public:
    /// Largest group for which the sums are done; building the rejection region grows with
    /// n1 x n2.
    static constexpr int MaxGroupSize = 2000;

    /// The test for n1 and n2 subjects, each from 1 to MaxGroupSize (others are clamped into
    /// that range; callers check SizesAllowed first).
    CProportionPower(int n1, int n2, const ExactLevel& level,
                     ProportionTest test = ProportionTest::ChiSquare);

    /// True when both sizes are whole numbers from 1 to MaxGroupSize.
    static bool SizesAllowed(double n1, double n2);

    int FirstSize() const { return m_n1; }
    int SecondSize() const { return m_n2; }
    const ExactLevel& Level() const { return m_level; }
    ProportionTest Test() const { return m_test; }

    /// The chance that the test rejects when the true proportions are p1 and p2 (each from
    /// 0 to 1). NaN for a proportion outside that range.
    double Power(double p1, double p2) const;

    /// The test's actual level at proportion p: the chance that it rejects when both groups
    /// have p.
    double ActualLevel(double p) const;

    /// Group 2's smallest change from p1 at which the test has the power (a fraction): above
    /// p1 when higher, otherwise below. p1 itself when the test rejects with that chance
    /// already at no difference. NaN when no proportion up to 1 (down to 0) reaches the
    /// power, or the power is not above alpha.
    double SecondProportionFor(double power, double p1, bool higher) const;

    /// The half-width b on the arcsine scale phi = asin(sqrt(P)) around centre (radians,
    /// between 0 and pi/2) at which the test has the power (a fraction) when one group's
    /// proportion is sin^2(centre - b) and the other's sin^2(centre + b); firstLow says that
    /// group 1 holds the lower one. 0 when b = 0 has the power already; NaN when no
    /// admissible b reaches the power.
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

    int m_n1;
    int m_n2;
    ExactLevel m_level;
    ProportionTest m_test;
    // The runs of x2 at which the test rejects, those of x1 from m_runStart[x1] up to
    // m_runStart[x1 + 1].
    std::vector<int> m_runStart;
    std::vector<Interval> m_runs;
};
