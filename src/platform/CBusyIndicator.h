#pragma once

/// Shows that the program is busy (the wait cursor in the desktop program). Calls nest.
class CBusyIndicator
{
public:
    virtual ~CBusyIndicator() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};
