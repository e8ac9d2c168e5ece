#include "calc/CTableLabels.h"

#include "calc/Formatting.h"

#include <cmath>

CTableLabels::CTableLabels() : valueFormat("%.2f"), plainFormat("%.2f"), linkCells(true) {}

void CTableLabels::SetFormatsFor(double x)
{
    // A scale that is not > 0 never comes from a validated calculator; it takes the
    // decimals of the smallest scale instead of an undefined conversion of an infinite
    // or NaN logarithm.
    int digits = 10;
    if (x > 1)
        digits = 2;
    else if (x > 0)
        digits = static_cast<int>(2 - std::log10(x));
    valueFormat = formatInCLocale("%%.%df", digits);
    plainFormat = valueFormat;
}
