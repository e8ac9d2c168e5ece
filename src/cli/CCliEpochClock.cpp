#include "cli/CCliEpochClock.h"

#include "report/CLocaleClock.h"

std::string CCliEpochClock::now() const
{
    std::tm utc{};
    if (gmtime_r(&m_seconds, &utc) == nullptr)
        return std::string();
    return CLocaleClock::format(utc) + " UTC";
}
