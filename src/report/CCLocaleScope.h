#pragma once

#include <locale.h>

/// Switches the calling thread to the "C" locale for its lifetime and back afterwards, so a
/// user locale with a decimal comma never reaches printf or strtod. Other threads and the
/// process's locale stay as they are.
class CCLocaleScope
{
public:
    CCLocaleScope();
    ~CCLocaleScope();
    CCLocaleScope(const CCLocaleScope&) = delete;
    CCLocaleScope& operator=(const CCLocaleScope&) = delete;

    /// The process's one "C" locale object; throws std::bad_alloc when it cannot be made.
    static locale_t locale();

private:
    locale_t m_previous;
};
