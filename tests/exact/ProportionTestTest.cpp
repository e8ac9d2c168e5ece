#include "exact/CProportionPower.h"
#include "exact/ProportionTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

namespace {

// Every reference below was computed by hand in Python 3 (standard library only), outside
// this program: P values straight from their definitions (the pooled z through math.erfc,
// Yates's correction as max(0, |d| - (1/n1 + 1/n2) / 2), Fisher's hypergeometric weights as
// exact integers from math.comb, two-sided summing the weights not above the observed one
// times 1 + 1e-7), then the power as the full double sum over every (x1, x2) of
// C(n1, x1) p1^x1 q1^(n1-x1) C(n2, x2) p2^x2 q2^(n2-x2) where the P value is at most alpha.

const ProportionTest Chi = ProportionTest::ChiSquare;
const ProportionTest Yates = ProportionTest::Yates;
const ProportionTest Fisher = ProportionTest::Fisher;

TEST(ProportionTest, PValuesMatchTheirDefinitions)
{
    const struct
    {
        ProportionTest test;
        int x1, n1, x2, n2;
        bool twoTailed;
        double expected;
    } cases[] = {
        {Chi, 3, 20, 9, 20, true, 0.03843393023678168},
        {Yates, 3, 20, 9, 20, true, 0.08449793972392947},
        {Fisher, 3, 20, 9, 20, true, 0.08235877701951116},
        {Fisher, 3, 20, 9, 20, false, 0.04117938850975558},
        {Yates, 2, 10, 6, 15, false, 0.2700629765205954},
        {Fisher, 1, 7, 5, 12, true, 0.3330753353973168},
        // Equal tables: every weight ties with the observed one (within the tolerance).
        {Fisher, 5, 10, 5, 10, true, 1.0},
        {Chi, 0, 10, 0, 12, true, 1.0},
        {Fisher, 0, 10, 4, 10, true, 0.08668730650154799},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.test) << " " << c.x1 << "/" << c.n1
                                        << " " << c.x2 << "/" << c.n2);
        const double p = ProportionTestPValue(c.test, c.x1, c.n1, c.x2, c.n2, c.twoTailed);
        EXPECT_NEAR(p, c.expected, 1e-12);
        // A test rejects exactly when its P value is at most alpha.
        for (const double alpha : {0.01, 0.05, 0.1}) {
            const ExactLevel level{alpha, c.twoTailed};
            EXPECT_EQ(ProportionTestRejects(c.test, c.x1, c.n1, c.x2, c.n2, level),
                      c.expected <= alpha)
                << alpha;
        }
    }
    EXPECT_TRUE(std::isnan(ProportionTestPValue(Fisher, 11, 10, 2, 10, true)));
    EXPECT_FALSE(ProportionTestRejects(Chi, 0, 0, 1, 5, {0.05, true}));
}

struct PowerCase
{
    ProportionTest test;
    int n1;
    double p1;
    int n2;
    double p2, alpha;
    bool twoTailed;
    double expected;
};

void ExpectPowers(const PowerCase* begin, const PowerCase* end)
{
    for (const PowerCase* c = begin; c != end; ++c) {
        const CProportionPower power(c->n1, c->n2, {c->alpha, c->twoTailed}, c->test);
        EXPECT_NEAR(power.Power(c->p1, c->p2), c->expected, 1e-12)
            << static_cast<int>(c->test) << " " << c->n1 << " " << c->n2 << " " << c->p1;
    }
}

TEST(ProportionTest, PowerMatchesAFullEnumeration)
{
    const PowerCase cases[] = {
        {Chi, 20, 0.3, 20, 0.7, 0.05, true, 0.7132406342196641},
        {Yates, 20, 0.3, 20, 0.7, 0.05, true, 0.5823317639641752},
        {Fisher, 20, 0.3, 20, 0.7, 0.05, true, 0.5993830687587024},
        {Chi, 10, 0.2, 15, 0.6, 0.05, false, 0.6887846896012328},
        {Yates, 10, 0.2, 15, 0.6, 0.05, false, 0.48301063049561943},
        {Fisher, 10, 0.2, 15, 0.6, 0.05, false, 0.48301063049561943},
        {Yates, 35, 0.15, 30, 0.45, 0.01, true, 0.43693584836953614},
        {Fisher, 35, 0.15, 30, 0.45, 0.01, true, 0.49221742217787395},
        {Fisher, 7, 0.1, 12, 0.8, 0.10, true, 0.9264638345477307},
        {Yates, 80, 0.6, 60, 0.35, 0.05, true, 0.798581173295791},
        {Fisher, 80, 0.6, 60, 0.35, 0.05, true, 0.8164182140345974},
        // The actual levels: no difference at all.
        {Chi, 20, 0.3, 20, 0.3, 0.05, true, 0.05325606475086181},
        {Fisher, 50, 0.5, 50, 0.5, 0.05, true, 0.03520200229685558},
        {Yates, 50, 0.5, 50, 0.5, 0.05, true, 0.03520200229685558},
    };
    ExpectPowers(std::begin(cases), std::end(cases));
}

TEST(ProportionTest, LeftOutOutcomesWeighNothingMeasurable)
{
    // Full sums over all (n1 + 1)(n2 + 1) outcomes, math.fsum of lgamma-based terms.
    const PowerCase cases[] = {
        {Chi, 2000, 0.3, 2000, 0.33, 0.05, true, 0.5332422450581203},
        {Yates, 1500, 0.1, 1800, 0.12, 0.01, false, 0.2850610329239498},
        {Fisher, 120, 0.02, 150, 0.09, 0.05, true, 0.6831958589337267},
    };
    ExpectPowers(std::begin(cases), std::end(cases));
}

TEST(ProportionTest, ZeroDifferenceWhereTheLevelReachesThePower)
{
    // 20 per group at P = 0.3: the uncorrected test rejects 5.33% of the time with no
    // difference, so 5.2% power needs none; Fisher's test (level 2.5%) needs one.
    const CProportionPower chi(20, 20, {0.05, true}, Chi);
    EXPECT_EQ(chi.SecondProportionFor(0.052, 0.3, true), 0.3);
    EXPECT_EQ(chi.SecondProportionFor(0.052, 0.3, false), 0.3);
    EXPECT_EQ(chi.ArcsineHalfWidthFor(0.052, std::asin(std::sqrt(0.3)), true), 0);
    const CProportionPower fisher(20, 20, {0.05, true}, Fisher);
    const double higher = fisher.SecondProportionFor(0.052, 0.3, true);
    EXPECT_GT(higher, 0.3);
    EXPECT_NEAR(fisher.Power(0.3, higher), 0.052, 1e-10);
    // Still no power at or below alpha, as for every exact method.
    EXPECT_TRUE(std::isnan(chi.SecondProportionFor(0.05, 0.3, true)));
}

} // namespace
