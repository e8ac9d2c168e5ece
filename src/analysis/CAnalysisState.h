#pragma once

#include <string>

class CCalculator;

/// The data of one analysis window: its number and title, the chosen goal and design and
/// the chain of calculators created so far (at most one per title id). Every view of the
/// window is attached to it and reaches the current calculator through it. Every live
/// state is entered in a process-wide registry that hands out analysis numbers: a new
/// state takes the number of the newest live one plus 1, or 1 when none is live.
class CAnalysisState
{
public:
    /// Number of goal codes (0 sample size, 1 power) and of design codes (0 unpaired t,
    /// 1 paired t, 2 one-way ANOVA, 3 survival, 4 proportions, 5 one-sample t).
    static constexpr int GoalCount = 2;
    static constexpr int DesignCount = 6;

    /// Enters the registry and takes its number and title; goal 0, design 0, no calculator.
    CAnalysisState();
    /// Leaves the registry and deletes every calculator of the chain.
    ~CAnalysisState();
    CAnalysisState(const CAnalysisState&) = delete;
    CAnalysisState& operator=(const CAnalysisState&) = delete;

    int number() const { return m_number; }
    /// "Analysis %i" with the number.
    const std::string& title() const { return m_title; }
    int goal() const { return m_goal; }
    int design() const { return m_design; }

    /// Stores goal and design. A code outside its range is refused (false, nothing
    /// changed), so the pair always names one of the twelve analyses.
    bool setGoalAndDesign(int goal, int design);

    /// The first calculator of the chain that serves the current goal and design, or null
    /// when that pair has no calculator yet.
    CCalculator* currentCalculator() const;
    /// Appends calculator to the chain and takes ownership of it. Refuses (false, chain
    /// unchanged, the caller keeps ownership) a null calculator, one that already links to
    /// a next calculator, and one whose title id is already in the chain.
    bool addCalculator(CCalculator* calculator);
    /// Head of the calculator chain (linked through next), or null.
    CCalculator* calculators() const { return m_calculators; }

    /// Makes this state a copy of other: goal, design and a deep copy of its whole chain
    /// (this state's own chain is deleted first). Number and title stay this state's own.
    void copyFrom(const CAnalysisState& other);

private:
    void deleteCalculators();

    std::string m_title;
    int m_goal = 0;
    int m_design = 0;
    int m_number = 0;
    CAnalysisState* m_registryNext = nullptr;
    CCalculator* m_calculators = nullptr;
};
