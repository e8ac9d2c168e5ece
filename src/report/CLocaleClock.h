#pragma once

#include "report/CFooterClock.h"

#include <string>

/// The current local date and time, formatted as the user's locale writes date and time
/// together. It never changes the process's C locale.
class CLocaleClock : public CFooterClock
{
public:
    std::string now() const override;
};
