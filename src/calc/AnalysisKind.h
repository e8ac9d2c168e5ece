#pragma once

/// What the user wants to find. The calculators' interface (CreateCalculator, IsKind, the
/// analysis state) passes it as an int, and that int is stored in settings and files.
enum class Goal
{
    SampleSize = 0,
    Power = 1,
};

/// The experimental design, passed as an int the same way as Goal.
enum class Design
{
    Unpaired = 0,
    Paired = 1,
    Anova = 2,
    Survival = 3,
    Proportions = 4,
    OneSample = 5,
};

/// True when the interface's goal and design ints name goal and design.
constexpr bool IsGoalAndDesign(int goal, int design, Goal wantedGoal, Design wantedDesign)
{
    return goal == static_cast<int>(wantedGoal) && design == static_cast<int>(wantedDesign);
}

/// What a calculator serves and how its pages are titled: the goal and design it answers
/// IsKind for, and the string-table id of its step-3 title (the step-4 title is the next id).
struct CalculatorKind
{
    Goal goal;
    Design design;
    unsigned int titleId;
};
