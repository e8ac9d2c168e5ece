#pragma once

#include "calc/CPowerOneGroupTCalc.h"

/// Power of a completed one-sample t test: one group of m_n subjects against a
/// hypothetical mean (goal 1, design 5).
/// Tabulates the difference the experiment had each power to detect.
class CPowerOneCalc : public CPowerOneGroupTCalc
{
public:
    /// SD and size not set yet (-1).
    CPowerOneCalc();
    ~CPowerOneCalc() override;

    CCalculator* Clone() const override;

    /// Stores the number of subjects; it must be at least 2, otherwise message 61237 through
    /// ReportError.
    bool SetSampleSize(double n);
};
