#include "exact/CProportionPower.h"
#include "exact/ExactLevel.h"
#include "exact/NoncentralF.h"
#include "exact/NoncentralT.h"
#include "simulate/CAnovaStudy.h"
#include "simulate/CLogrankStudy.h"
#include "simulate/COneSampleTStudy.h"
#include "simulate/CSimulationRunner.h"
#include "simulate/CTwoProportionStudy.h"
#include "simulate/CTwoSampleTStudy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const ExactLevel TwoTailed05{0.05, true};
const ExactLevel OneTailed05{0.05, false};
const ExactLevel TwoTailed01{0.01, true};

struct PowerCase
{
    std::string name;
    SimulatedStudy study;
    // The power the study should show, a fraction, from an independent source.
    double reference;
    // The standard error of the reference itself when it is a simulation too.
    double referenceError;
};

// The noncentral t power of a two-sample t test of n1 and n2 with means d apart, SD sd.
double TwoSampleTPower(int n1, int n2, double d, double sd, const ExactLevel& level)
{
    return TPower(d / (sd * std::sqrt(1.0 / n1 + 1.0 / n2)), n1 + n2 - 2.0, level);
}

double OneSampleTPower(int n, double d, double sd, const ExactLevel& level)
{
    return TPower(d / (sd / std::sqrt(n)), n - 1.0, level);
}

// The noncentral F power of k groups of n with equally spaced means spanning range:
// lambda = N f^2, f = (range / sd) sqrt((k + 1) / (12 (k - 1))).
double AnovaPower(int k, int n, double range, double sd, double alpha)
{
    const double f = range / sd * std::sqrt((k + 1.0) / (12.0 * (k - 1.0)));
    return FPower(k * n * f * f, k - 1.0, k * (n - 1.0), alpha);
}

std::vector<PowerCase> Cases()
{
    const ProportionRule chiSquare2 = CTwoProportionStudy::PooledChiSquare(TwoTailed05);
    const ProportionRule chiSquare1 = CTwoProportionStudy::PooledChiSquare(OneTailed05);
    return {
        // The t tests and the ANOVA against the exact noncentral distributions.
        {"pooled t, 10 and 10", CTwoSampleTStudy(10, 10, 1.2, 1, 1, TwoTailed05),
         TwoSampleTPower(10, 10, 1.2, 1, TwoTailed05), 0},
        {"pooled t, 8 and 15, one-tailed", CTwoSampleTStudy(8, 15, 0.9, 1.3, 1.3, OneTailed05),
         TwoSampleTPower(8, 15, 0.9, 1.3, OneTailed05), 0},
        {"pooled t, level 0.01", CTwoSampleTStudy(20, 20, 1, 1.5, 1.5, TwoTailed01),
         TwoSampleTPower(20, 20, 1, 1.5, TwoTailed01), 0},
        {"one-sample t", COneSampleTStudy(12, 0.8, 1.5, TwoTailed05),
         OneSampleTPower(12, 0.8, 1.5, TwoTailed05), 0},
        {"one-sample t, one-tailed, negative mean", COneSampleTStudy(9, -0.7, 1, OneTailed05),
         OneSampleTPower(9, 0.7, 1, OneTailed05), 0},
        {"ANOVA, 4 groups of 6", CAnovaStudy::EquallySpaced(4, 24, 2, 1.2, 0.05),
         AnovaPower(4, 6, 2, 1.2, 0.05), 0},
        {"ANOVA, 3 groups of 10", CAnovaStudy::EquallySpaced(3, 30, 1, 1, 0.10),
         AnovaPower(3, 10, 1, 1, 0.10), 0},
        // The chi-square test against the exact binomial sums.
        {"chi-square, 40 and 50", CTwoProportionStudy(40, 50, 0.3, 0.6, chiSquare2),
         CProportionPower(40, 50, TwoTailed05).Power(0.3, 0.6), 0},
        {"chi-square, one-tailed", CTwoProportionStudy(30, 30, 0.2, 0.45, chiSquare1),
         CProportionPower(30, 30, OneTailed05).Power(0.2, 0.45), 0},
        // The logrank test against 200,000 studies simulated independently by hand in pure
        // Python (its random module, exponential times censored at the follow-up, the same
        // statistic): 0.64293 (SE 0.00107) and 0.88972 (SE 0.00070).
        {"logrank, 100 a group", CLogrankStudy(100, 100, 0.5, 0.6, TwoTailed05), 0.64293, 0.00107},
        {"logrank, 60 a group, one-tailed", CLogrankStudy(60, 60, 0.3, 0.5, OneTailed05), 0.88972,
         0.00070},
    };
}

TEST(SimulatedPowerTest, SeededRunsAgreeWithIndependentPowerWithinFourStandardErrors)
{
    const CSimulationRunner runner(2);
    for (const PowerCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const SimulationResult result = runner.Run(c.study, 10000, 7);
        ASSERT_TRUE(result.completed);
        const double p = c.reference;
        const double se =
            std::sqrt(p * (1 - p) / result.studies + c.referenceError * c.referenceError);
        EXPECT_NEAR(result.Power(), p, 4 * se);
        EXPECT_NEAR(result.StandardError(), std::sqrt(p * (1 - p) / 10000), 0.001);
    }
}

} // namespace
