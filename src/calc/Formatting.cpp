#include "calc/Formatting.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <stdlib.h>
#include <locale.h>
#include <new>
#include <vector>

namespace {

// One "C" locale for the whole process. Formatting and parsing switch to it for the
// calling thread only, so a user locale with a decimal comma never leaks into report
// numbers or list parsing.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        throw std::bad_alloc();
    return locale;
}

class CThreadLocaleScope
{
public:
    CThreadLocaleScope() : m_previous(uselocale(cLocale())) {}
    ~CThreadLocaleScope() { uselocale(m_previous); }
    CThreadLocaleScope(const CThreadLocaleScope&) = delete;
    CThreadLocaleScope& operator=(const CThreadLocaleScope&) = delete;

private:
    locale_t m_previous;
};

} // namespace

std::string formatInCLocale(const char* format, ...)
{
    CThreadLocaleScope scope;
    char small[64];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (length < 0) {
        va_end(again);
        return out;
    }
    if (static_cast<size_t>(length) < sizeof small) {
        out.assign(small, static_cast<size_t>(length));
    } else {
        std::vector<char> big(static_cast<size_t>(length) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        out.assign(big.data(), static_cast<size_t>(length));
    }
    va_end(again);
    return out;
}

double parseDoubleInCLocale(const char* text, char** end)
{
    return strtod_l(text, end, cLocale());
}

long long parseLeadingInteger(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate towards the negative side, which holds one more value than the positive.
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const int digit = *p - '0';
        if (value < (LLONG_MIN + digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    return value == LLONG_MIN ? LLONG_MAX : -value;
}

void FormatNumber(double v, std::string& out)
{
    if (v > 0.0001) {
        out = formatInCLocale("%.14g", v);
        return;
    }
    out = formatInCLocale("%14.12f", v);
    // The fixed form always holds a "." here, so trimming stops before any integer digit.
    const size_t last = out.find_last_not_of('0');
    if (last != std::string::npos)
        out.erase(last + 1);
    if (!out.empty() && out.back() == '.')
        out.pop_back();
}
