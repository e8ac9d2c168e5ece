#include "report/CLocaleClock.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace {

// The locale named by the environment (LC_ALL, LC_TIME, LANG), built as a C++ locale object
// so the process's C locale, and with it LC_NUMERIC, stays as it is.
std::locale userLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();
    }
}

} // namespace

std::string CLocaleClock::now() const
{
    const std::time_t seconds = m_source != nullptr ? m_source() : std::time(nullptr);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return std::string();
    return format(local);
}

std::string CLocaleClock::format(const std::tm& time)
{
    std::ostringstream out;
    out.imbue(userLocale());
    out << std::put_time(&time, "%c");
    return out.str();
}
