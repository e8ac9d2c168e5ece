#include "report/NumberText.h"

#include "report/CCLocaleScope.h"

#include <cstdio>
#include <stdlib.h>

std::string formatInCLocale(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = vformatInCLocale(format, args);
    va_end(args);
    return text;
}

std::string vformatInCLocale(const char* format, va_list args)
{
    CCLocaleScope scope;
    // Nearly every number fits the buffer on the stack; a longer text is formatted again.
    char buffer[128];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    std::string text;
    if (length >= 0 && static_cast<size_t>(length) < sizeof buffer) {
        text.assign(buffer, static_cast<size_t>(length));
    } else if (length >= 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(&text[0], text.size() + 1, format, again);
    }
    va_end(again);
    return text;
}

double parseDoubleInCLocale(const char* text, char** end)
{
    return strtod_l(text, end, CCLocaleScope::locale());
}

std::string freeNumberText(double value)
{
    if (value > 0.0001)
        return formatInCLocale("%.14g", value);
    std::string text = formatInCLocale("%14.12f", value);
    // A finite value fills the width of 14 by itself; only "nan" and "-inf" come out padded,
    // and a number field must not start with blanks.
    text.erase(0, text.find_first_not_of(' '));
    // The fixed form of a finite value always holds a ".", so trimming stops before any
    // integer digit; "nan" and "-inf" end in no zero.
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (text.size() > 1 && text.back() == '.')
        text.pop_back();
    return text;
}
