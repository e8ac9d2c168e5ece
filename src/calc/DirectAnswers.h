#pragma once

#include <algorithm>
#include <string>
#include <vector>

/// One direct answer: for the sample-size goal, the smallest N that detects the asked effect
/// with one power of the list; for the power goal, the power that detects it.
struct DirectAnswer
{
    /// Power in percent: the list's power (sample-size goal) or the power found (power goal).
    double power = 0;
    /// The N found; 0 for the power goal and for a failed answer.
    int n = 0;
    /// The table's value at the answer's cell.
    double effect = 0;
    /// False when no answer exists; message then says why.
    bool ok = false;
    std::string message;
};

/// The direct question a calculator was asked, its effect in the units of the table, and
/// the answers, one per power of the list (sample-size goal) or a single one (power goal).
struct DirectAnswers
{
    /// Largest N a search tries: the largest sample size a list takes.
    static constexpr int LargestN = 1000000;

    /// True once an effect was asked for.
    bool requested = false;
    /// The effect asked for, in the units the table shows.
    double effect = 0;
    std::vector<DirectAnswer> lines;
    /// True when the table is not monotone in N where an answer lies: each N is then the
    /// smallest from which every larger N also detects the effect.
    bool notMonotone = false;
    /// True when the table's values grow towards the effect as N grows (a hazard ratio
    /// below 1); "reaches" then means "at least".
    bool rising = false;
};

/// The index of value among the first count values, -1 when it is not there.
template <class T> int IndexInList(const T* values, int count, T value)
{
    const T* end = values + count;
    const T* it = std::find(values, end, value);
    return it == end ? -1 : static_cast<int>(it - values);
}
