#pragma once

#include "calc/ExactProportions.h"

/// The test of two proportions last chosen on a proportions form: the value "Proportion
/// Test" of section "Application" in the settings (0 chi-square, 1 Yates, 2 Fisher). The
/// uncorrected chi-square test when it is missing or unknown.
ProportionTest StoredProportionTest();

/// Stores the test chosen on a proportions form.
void StoreProportionTest(ProportionTest test);
