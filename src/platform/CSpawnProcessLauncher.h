#pragma once

#include "platform/CProcessLauncher.h"

#include <string>
#include <vector>

/// Starts programs with posix_spawn in a session of their own, so that they outlive this
/// process and do not share its terminal's signals. A failure to change into the working
/// folder or to run the program is reported by startDetached. For each start a detached
/// thread waits for that child's end, so no finished child stays behind as a zombie; the
/// process's SIGCHLD handling is left alone.
class CSpawnProcessLauncher : public CProcessLauncher
{
public:
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override;
};
