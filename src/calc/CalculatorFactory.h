#pragma once

class CCalculator;

/// A new calculator for goal and design (the ints of Goal and Design in AnalysisKind.h),
/// owned by the caller; null for a pair without a calculator.
CCalculator* CreateCalculator(int goal, int design);
