#pragma once

#include "platform/CBusyIndicator.h"

/// The wait cursor over the whole program while the core computes. Calls nest: the cursor
/// goes back only after as many end() calls as begin() calls.
class CWaitCursor : public CBusyIndicator
{
public:
    ~CWaitCursor() override;
    void begin() override;
    void end() override;

private:
    int m_depth = 0;
};
