#pragma once

#include "calc/CCalculator.h"

/// True when View > Exact Distributions is on: the value "Exact Distributions" of section
/// "Application" in the settings is 1. Off when it is missing.
bool ExactDistributionsStored();

/// Stores View > Exact Distributions as 1 (on) or 0 (off).
void StoreExactDistributions(bool exact);

/// The method that new and recomputed calculators use under the stored choice.
CalcMethod StoredCalcMethod();
