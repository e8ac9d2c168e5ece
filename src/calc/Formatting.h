#pragma once

#include <string>

/// Writes v as the report texts show a free number: "%.14g" above 0.0001, otherwise
/// "%14.12f" without its trailing zeros (and without a final "."), so 0.00005 gives
/// "0.00005", 0 gives "0" and -1.5 gives "-1.5". The decimal point is always ".".
void FormatNumber(double v, std::string& out);

/// printf into a string with "." as the decimal point whatever the process locale.
std::string formatInCLocale(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// strtod with the rules of the "C" locale whatever the process locale.
double parseDoubleInCLocale(const char* text, char** end);

/// Reads a decimal integer the way atoi does (leading white space, one optional sign,
/// then digits; no digits gives 0) without atoi's undefined behaviour on overflow: a value
/// beyond the range of long long is clamped to its nearest end.
long long parseLeadingInteger(const char* text);
