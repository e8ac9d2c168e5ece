#pragma once

class CHtmlWriter;
class CPowerCalc;
class CSampleCalc;
class CTableLabels;

/// The direct answers of calc (its m_direct) as a short table above the table of tradeoffs:
/// per power the N found and the value the table shows at that N, each a link to the
/// report of that table cell; a failed answer says why. Nothing when no effect was asked.
void WriteDirectAnswers(CHtmlWriter& w, const CSampleCalc& calc, const CTableLabels& labels);

/// The direct answer of a power calculator the same way: the effect asked and the power
/// found, both linked to the report of the power's row.
void WriteDirectAnswers(CHtmlWriter& w, const CPowerCalc& calc, const CTableLabels& labels);
