#pragma once

#include "platform/CProcessLauncher.h"

#include <string>
#include <vector>

/// Records every start instead of starting anything and answers with a set result; the
/// tests' double.
class CRecordingProcessLauncher : public CProcessLauncher
{
public:
    struct Start
    {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingFolder;
    };

    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override
    {
        m_starts.push_back({program, arguments, workingFolder});
        return m_result;
    }

    /// What startDetached answers from now on.
    void setResult(bool result) { m_result = result; }
    const std::vector<Start>& starts() const { return m_starts; }

private:
    std::vector<Start> m_starts;
    bool m_result = true;
};
