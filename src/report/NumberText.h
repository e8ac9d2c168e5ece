#pragma once

#include <cstdarg>
#include <string>

// The one place that turns numbers into text and back for pages, data tables and lists. Pages
// and tables are read back by programs that expect "." as the decimal point, so every call here
// runs under the "C" locale of the calling thread only; the process's locale is never touched.

/// printf into a string with "." as the decimal point whatever the process locale.
std::string formatInCLocale(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// vprintf into a string with "." as the decimal point whatever the process locale.
std::string vformatInCLocale(const char* format, va_list args);

/// strtod with the rules of the "C" locale whatever the process locale.
double parseDoubleInCLocale(const char* text, char** end);

/// A free number as pages show it: "%.14g" above 0.0001, otherwise "%14.12f" without its
/// trailing zeros and a final ".", so 0.00005 gives "0.00005", 0 gives "0" and -1.5 gives
/// "-1.5". Never padded: NaN is "nan", minus infinity "-inf" and infinity "inf".
std::string freeNumberText(double value);
