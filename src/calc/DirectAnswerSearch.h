#pragma once

class CCalculator;

/// Answers the question scientists ask directly, from the calculator's own cells, so that
/// every answer agrees with the table it inverts. For the sample-size goal: per power of the
/// list, the smallest whole N (2 to 1,000,000) whose table value detects the effect, that
/// is lies at or on the null's side of it; where the table is not monotone in N, the
/// smallest N from which every larger N detects it. For the power goal: the power whose
/// table value is the effect. The answers go into calc.m_direct; each N found joins the list
/// of sample sizes and the power found joins the list of powers, so that the table shows
/// the answer's cell (a list that would grow past 100 entries gives up its last entries
/// that are not answers). The selected cell, if any, stays selected. Returns true when at
/// least one answer was found; an effect that is not finite is not searched for (false,
/// nothing changed).
bool FindDirectAnswers(CCalculator& calc, double effect);

/// FindDirectAnswers again for the effect asked before, after the inputs or lists changed;
/// nothing when no effect was asked for.
void RefreshDirectAnswers(CCalculator& calc);
