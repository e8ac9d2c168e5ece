#pragma once

#include <cstdio>
#include <string>

/// Where a page goes: standard output, or a named file that appears only when the whole
/// page was written. The named file is written as a temporary file beside it and renamed
/// over it at commit(), so a failed or interrupted run never leaves a truncated file behind.
class COutputFile
{
public:
    COutputFile() = default;
    /// Removes the temporary file when commit() did not succeed.
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    /// Opens path for writing, or standardOutput when path is empty. On failure returns
    /// false and a message that names the path and the reason.
    bool open(const std::string& path, FILE* standardOutput, std::string& error);
    FILE* stream() const { return m_stream; }
    /// Flushes and closes, then renames the temporary file to the path. On failure returns
    /// false and a message that names the path and the reason.
    bool commit(std::string& error);

private:
    void discard();
    std::string failure(int errorNumber) const;

    FILE* m_stream = nullptr;
    bool m_isStandardOutput = false;
    std::string m_path;
    std::string m_tempPath;
};
