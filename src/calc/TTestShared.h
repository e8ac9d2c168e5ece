#pragma once

class CCalculator;
class CPowerCalc;
class CHtmlWriter;

/// The factor of (z alpha + z power) x SD that gives the difference a t test of (harmonic)
/// group size n detects: ((z alpha - 1.06) x 1.21 + 2(n - 1)) / ((n - 1) sqrt(2n)). It tends
/// to sqrt(2/n) for large n; the first term corrects the normal approximation for small n.
double TTestDifferenceFactor(double zAlpha, double n);

/// The difference a completed one-sample or paired t test of n subjects (or pairs) with
/// SD sd detects: (z alpha + z power) sd / sqrt(n), through ZeroNearZero on the scale of sd.
double OneGroupDetectableDifference(double zAlpha, double zPower, double sd, double n);

/// Relative size, against the scale of the inputs, below which an effect is rounding noise.
constexpr double NearZeroShare = 1e-9;

/// d, or exactly 0 when |d| < NearZeroShare x scale (the SD, rate or proportion the effect
/// is measured against), so that rounding noise around zero (or a negative zero) is zero
/// while a true effect, however small its units, is kept.
double ZeroNearZero(double d, double scale);

/// The start of the choices block of a t-test sample-size page: in step 4 (detailed) the
/// heading "Your choices:" and "Test chosen: " with the test, otherwise the test as a
/// level-4 heading; then an open paragraph. testText ends before the italic "t".
void WriteSampleTTestChoicesStart(CHtmlWriter& w, const char* testText, bool detailed);

/// The start of the choices block of a t-test power page, naming the test
/// "Power of a "not significant" <design> t test" in the same two forms.
void WritePowerTTestChoicesStart(CHtmlWriter& w, const char* design, bool detailed);

/// "Significance level (alpha) = " with the level and its tails, the method line of the exact
/// method, then closes the paragraph.
void WriteSignificanceLevel(CHtmlWriter& w, const CCalculator& calc);

/// label followed by value as FormatNumber writes it, then a line break.
void WriteLabelledNumber(CHtmlWriter& w, const char* label, double value);

/// The "Table of tradeoffs:" caption of a t-test sample-size step-4 page, then an open
/// paragraph saying what the table shows, naming effectName. The caller closes it.
void WriteSampleTradeoffsIntro(CHtmlWriter& w, const char* effectName);

/// The end of a t-test power step-4 page: the "Table of tradeoffs:" paragraphs naming
/// effectName, the power table without links (formats scaled on scale), the footer and the
/// page end.
void WriteTTestPowerTableEnd(CHtmlWriter& w, const CPowerCalc& calc, const char* effectName,
                             double scale);
