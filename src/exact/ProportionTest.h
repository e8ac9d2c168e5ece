#pragma once

#include "exact/ExactLevel.h"

#include <vector>

/// The test a scientist runs on the 2x2 table of x1 successes out of n1 in group 1 against x2
/// out of n2 in group 2.
enum class ProportionTest
{
    /// Pearson's chi-square test without correction (the pooled z test).
    ChiSquare,
    /// The chi-square test with Yates's continuity correction.
    Yates,
    /// Fisher's exact test, conditional on the total number of successes.
    Fisher
};

/// The rejection region of a test among the tables with m = x1 + x2 successes in all: the
/// test rejects exactly when x2 <= lowEnd or x2 >= highStart. A one-tailed test (group 2
/// higher) has lowEnd below every x2.
struct ProportionMarginCut
{
    int lowEnd;
    int highStart;
};

/// The P value of test on the table: two-sided when twoTailed, otherwise one-sided for group
/// 2's proportion above group 1's. The chi-square tests use the pooled z statistic (Yates's
/// correction shrinks |x2 / n2 - x1 / n1| by (1 / n1 + 1 / n2) / 2, not below 0); Fisher's
/// two-sided P value sums the probabilities of the tables with the same margins that are not
/// above the observed one (with a relative tolerance of 1e-7). A table whose pooled proportion
/// is 0 or 1 has the P value 1. NaN for n1 or n2 below 1 or a count outside 0..n.
double ProportionTestPValue(ProportionTest test, int x1, int n1, int x2, int n2, bool twoTailed);

/// True when test rejects the table at level: its P value is at most level.alpha. The same
/// decision as ProportionTestCut and CProportionPower make; false for a table that
/// ProportionTestPValue refuses.
bool ProportionTestRejects(ProportionTest test, int x1, int n1, int x2, int n2,
                           const ExactLevel& level);

/// The rejection region of test among the tables of n1 and n2 subjects with m successes in
/// all (0 <= m <= n1 + n2, n1 and n2 at least 1).
ProportionMarginCut ProportionTestCut(ProportionTest test, int n1, int n2, int m,
                                      const ExactLevel& level);

/// ProportionTestCut for every m from 0 to n1 + n2, in that order, into out.
void ProportionTestCuts(ProportionTest test, int n1, int n2, const ExactLevel& level,
                        std::vector<ProportionMarginCut>& out);
