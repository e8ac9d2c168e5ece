#pragma once

#include <string>
#include <vector>

/// Starts another program and lets it run on its own.
class CProcessLauncher
{
public:
    virtual ~CProcessLauncher() = default;

    /// Starts program (its full path) with arguments, each handed over as one argument
    /// without any shell processing, in workingFolder (the current folder when empty), and
    /// returns without waiting for it. The new process inherits the environment but no open
    /// file. False when the program cannot be started.
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& workingFolder) = 0;
};
