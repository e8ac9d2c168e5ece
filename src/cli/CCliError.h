#pragma once

#include <stdexcept>
#include <string>

/// A failure of the command-line tool that it reports in its own words: bad command-line
/// input (exit status 2) or another failure such as an unwritable output file (status 1).
class CCliError : public std::runtime_error
{
public:
    enum
    {
        ExitFailure = 1,
        ExitBadInput = 2
    };

    explicit CCliError(const std::string& message, int exitStatus = ExitBadInput)
        : std::runtime_error(message), m_exitStatus(exitStatus)
    {
    }

    int exitStatus() const { return m_exitStatus; }

private:
    int m_exitStatus;
};
