#pragma once

#include <string>

/// Supplies the date-and-time text of a page footer.
class CFooterClock
{
public:
    virtual ~CFooterClock() = default;
    virtual std::string now() const = 0;
};
