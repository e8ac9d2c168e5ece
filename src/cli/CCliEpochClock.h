#pragma once

#include "report/CFooterClock.h"

#include <ctime>
#include <string>

/// A footer clock fixed at a number of seconds since 1970-01-01 00:00 UTC, shown as UTC time
/// the way the user's locale writes date and time, followed by " UTC". Two runs with the same
/// seconds write the same footer, wherever and whenever they run.
class CCliEpochClock : public CFooterClock
{
public:
    explicit CCliEpochClock(std::time_t seconds) : m_seconds(seconds) {}

    std::string now() const override;

private:
    std::time_t m_seconds;
};
