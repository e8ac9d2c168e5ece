#pragma once

#include "report/NumberText.h"

#include <string>

/// Writes v as the report texts show a free number (see freeNumberText, which the page
/// writer's numbers share): 0.00005 gives "0.00005", 0 gives "0" and -1.5 gives "-1.5". The
/// decimal point is always ".".
void FormatNumber(double v, std::string& out);

/// Reads a decimal integer the way atoi does (leading white space, one optional sign,
/// then digits; no digits gives 0) without atoi's undefined behaviour on overflow: a value
/// beyond the range of long long is clamped to its nearest end.
long long parseLeadingInteger(const char* text);
