#pragma once

class CCalculator;

/// A new calculator for goal (0 sample size, 1 power) and design (0 unpaired t, 1 paired t,
/// 2 one-way ANOVA, 3 survival, 4 two proportions, 5 one-sample t), owned by the caller; null
/// for a pair without a calculator.
CCalculator* CreateCalculator(int goal, int design);
