#pragma once

#include <cstdio>
#include <string>

/// Where a page goes: standard output, or a named file that the command-line tool and the
/// desktop program's Export write the same way. A regular file (or a new name) is written
/// as a temporary file in the same folder and renamed over the target at commit(), so a
/// failed or interrupted run never leaves a truncated file behind and the old text stays
/// until the new one is complete. A symbolic link is followed first: the link stays and its
/// target gets the new text. Anything else (a device, a FIFO, the process's own standard
/// streams) is written in place, since renaming over it would replace it.
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
    /// The system error number of the last failure of open() or commit(); 0 when there was
    /// none or the failure had no number.
    int errorNumber() const { return m_errorNumber; }
    /// True when the path is written in place rather than through a temporary file.
    bool writesInPlace() const { return m_inPlace; }

    /// The path that a write to path changes: path itself, or the file its chain of
    /// symbolic links ends at (which need not exist yet).
    static std::string resolveLinks(const std::string& path);

private:
    bool openInPlace(std::string& error);
    bool openTemporary(std::string& error);
    void discard();
    std::string failure(int errorNumber);

    FILE* m_stream = nullptr;
    bool m_isStandardOutput = false;
    bool m_inPlace = false;
    int m_errorNumber = 0;
    std::string m_path;
    std::string m_target;
    std::string m_tempPath;
};
