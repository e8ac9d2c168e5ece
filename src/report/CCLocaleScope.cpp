#include "report/CCLocaleScope.h"

#include <new>

CCLocaleScope::CCLocaleScope() : m_previous(uselocale(locale())) {}

CCLocaleScope::~CCLocaleScope()
{
    uselocale(m_previous);
}

locale_t CCLocaleScope::locale()
{
    // Without the "C" locale a number could come out with the user's decimal comma; failing
    // loudly is better than a page that reads back wrong.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (cLocale == static_cast<locale_t>(0))
        throw std::bad_alloc();
    return cLocale;
}
