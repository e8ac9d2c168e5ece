#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CCalculator;

/// The command line's direct answers (--effect): the search, the cell a report explains
/// and the "cells" page of the answers.
class CCliDirectAnswer
{
public:
    /// Answers calc's question for effect; the answers' N or power join the table.
    static void find(CCalculator& calc, double effect);
    /// The query of the first answer's cell, for a report without --select; empty when no
    /// answer was found.
    static std::string firstAnswerQuery(const CCalculator& calc);
    /// One line per answer under the header "power\tn\tvalue\tok" (sample-size goal: value
    /// is the effect that n detects) or "effect\tpower\tok" (power goal, power in percent).
    /// A failed answer has empty fields and ok 0; its message is returned.
    static std::vector<std::string> writeCells(const CCalculator& calc, FILE* out);
};
