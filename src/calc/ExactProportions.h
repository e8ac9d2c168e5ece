#pragma once

#include "exact/ProportionTest.h"

#include <string>

class CHtmlWriter;

/// The test in a sentence: "uncorrected chi-square test", "chi-square test with Yates's
/// continuity correction" or "Fisher's exact test".
const char* ProportionTestName(ProportionTest test);

/// The test's name on the command line and in the settings: "chi-square", "yates" or
/// "fisher".
const char* ProportionTestKey(ProportionTest test);

/// The test of a stored or typed code (0 chi-square, 1 Yates, 2 Fisher); false for any
/// other code.
bool ProportionTestFromCode(int code, ProportionTest& test);

/// What the accuracy check of the written method compares with: the exact binomial
/// distribution, of the test when it is not the uncorrected one.
const char* ProportionCheckDistribution(ProportionTest test);

/// An actual level (a fraction) in percent with one decimal, as "5.3%"; two significant
/// digits below 0.1%.
std::string LevelPercentText(double fraction);

/// The sum of the exact normal deviates of the level (one tail's probability) and of the
/// power (a fraction): the arcsine formula of the exact method where no sums are done.
double ExactDeviateSum(const ExactLevel& level, double power);

/// In the written method with a test other than the uncorrected one: a paragraph saying
/// which test the scientist runs and that the written formula approximates the uncorrected
/// one. Nothing otherwise.
void WriteWrittenTestNote(CHtmlWriter& w, bool exact, ProportionTest test);
