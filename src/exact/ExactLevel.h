#pragma once

/// The level of a test as the user chose it: alpha is the one-sided level of a one-tailed
/// test and the total of both tails of a two-tailed one.
struct ExactLevel
{
    double alpha;
    bool twoTailed;

    /// The level of a calculator's stored two-tailed equivalent (a one-tailed 0.05 is stored
    /// as 0.10).
    static ExactLevel FromStored(double storedAlpha, bool twoTailed);
    /// The upper-tail probability of each rejection region: alpha / 2 or alpha.
    double TailProbability() const;
    /// True when power (a fraction) can be asked of an effect: above the level, below 1.
    bool Admits(double power) const;
};
