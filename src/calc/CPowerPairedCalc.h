#pragma once

#include "calc/CPowerOneGroupTCalc.h"

/// Power of a completed paired t test over m_n pairs (goal 1, design 1).
/// Tabulates the difference the experiment had each power to detect.
class CPowerPairedCalc : public CPowerOneGroupTCalc
{
public:
    /// SD and size not set yet (-1).
    CPowerPairedCalc();
    ~CPowerPairedCalc() override;

    CCalculator* Clone() const override;

    /// Stores the number of pairs; it must be at least 2 (one pair leaves the test no
    /// degrees of freedom), otherwise message 61237 through ReportError.
    bool SetPairs(double n);
};
