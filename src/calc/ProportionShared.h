#pragma once

#include "calc/ExactCells.h"

class CCalculator;
class CHtmlWriter;
class CPowerCalc;
class CSampleCalc;
class CTableLabels;

/// The message of a proportion outside the open interval (0, 1).
extern const char* const ProportionMessage;

/// Stores p in field when 0 < p < 1; otherwise refuses it with message through
/// calc.ReportError (NaN is refused as well).
bool StoreProportion(CCalculator& calc, double p, double& field, const char* message);

/// The step-3 instructions of a sample-size page of proportions or survival, as a paragraph:
/// find the effect named by phrase along the row of a sample size, and what to change for a
/// smaller effect or for larger ones (pluralPhrase).
void WriteSampleTradeoffInstructions(CHtmlWriter& w, const char* phrase, const char* pluralPhrase);

/// The rest of a step-4 page of a sample-size calculator after its choices: the
/// explanation of the selected cell named by phrase (alpha with tails, no confidence
/// interval), the "Table of tradeoffs:" paragraphs, the table with labels but without links
/// (then a line break when breakAfterTable), the unequal-N advice, the footer, the page end.
void WriteSampleReportBody(const CSampleCalc& calc, CHtmlWriter& w, const char* phrase,
                           CTableLabels labels, bool breakAfterTable);

/// The rest of a step-4 page of a power calculator after its choices: the explanation of the
/// selected power named by phrase (alpha with tails), the "Table of tradeoffs:" paragraphs,
/// the table with labels but without links, the footer, the page end.
void WritePowerReportBody(const CPowerCalc& calc, CHtmlWriter& w, const char* phrase,
                          CTableLabels labels);

/// Halvings of the hazard-ratio search: [0, 0.999] then has the width 0.999 / 2^11 (about
/// 0.00049), the first width at or below 0.0005.
constexpr int LogrankSearchSteps = 11;

/// Upper end of the hazard-ratio search; the result never reaches it.
constexpr double LogrankSearchLimit = 0.999;

/// Smallest hazard ratio that counts as found; below it a cell has failed.
constexpr double LogrankSmallestRatio = 0.001;

/// The hazard ratio h that a logrank test detects with nPerGroup subjects in each group when
/// the control group's event-free proportion at the end is survival and the treated one's is
/// survival^h, for the normal deviates zAlpha of the level and zPower of the power. A fixed
/// bisection on the events needed (Freedman): the result is the midpoint tested last.
double LogrankHazardRatio(double survival, double nPerGroup, double zAlpha, double zPower);

/// The name of the survival method in the exact mode, for the choices block.
extern const char* const ExactLogrankName;
/// The name of the written method of the logrank calculators.
extern const char* const WrittenLogrankName;

/// LogrankHazardRatio in the written method; in the exact one, Freedman's root to full
/// precision (0 when there is none, a failed cell) for the power percent of the calculator's
/// entry powerIndex.
double LogrankRatioFor(const CCalculator& calc, double survival, double nPerGroup, int powerIndex);

/// The detectable effect of the search above, shown as the increase in the proportion
/// (asIncrease) or as the hazard ratio, into out. False when the hazard ratio fell below
/// LogrankSmallestRatio: out is then the increase at that ratio (0 when it would print as
/// zero) or 0.
bool LogrankEffect(double survival, double hazardRatio, bool asIncrease, double* out);

/// The citation of the method, with its book linked to a catalogue search in a new window
/// named "_window" (in the linking mode only). leadingBlank puts a blank before the
/// sentence on the assumption of proportional hazards.
void WriteLogrankCitation(CHtmlWriter& w, bool leadingBlank);
