#pragma once

#include "report/CFooterClock.h"

#include <ctime>
#include <string>

/// The current local date and time, formatted as the user's locale writes date and time
/// together. It never changes the process's C locale.
class CLocaleClock : public CFooterClock
{
public:
    /// Where the seconds since the epoch come from; std::time unless a test fixes them.
    using TimeSource = std::time_t (*)();

    CLocaleClock() = default;
    /// A clock that formats the time source's seconds; a null source means std::time.
    explicit CLocaleClock(TimeSource source) : m_source(source) {}

    std::string now() const override;

    /// time as the user's locale writes date and time together.
    static std::string format(const std::tm& time);

private:
    TimeSource m_source = nullptr;
};
