#pragma once

#include "exact/ExactLevel.h"

/// The hazard ratio h (between 0 and 1) that a logrank test detects with nPerGroup subjects
/// in each group, by Freedman's count solved to full precision: the events needed,
/// ((1 + h) / (1 - h))^2 (z of the tail + z of the power)^2, equal the events expected,
/// nPerGroup (2 - S - S^h), with S the control group's surviving share. NaN when the level
/// does not admit the power, or even a hazard ratio near 0 needs more events than the
/// groups give.
double FreedmanHazardRatio(double survival, double nPerGroup, double power,
                           const ExactLevel& level);
