#pragma once

#include <cstdio>
#include <string>

#include <sys/types.h>

/// Where a page goes: standard output, or a named file that the command-line tool and the
/// desktop program's Export write the same way. The page is gathered in memory and written
/// at commit(), so an abandoned page changes nothing.
///
/// The name is opened as a shell's `>` would open it: the kernel follows its links and checks
/// the caller's rights. A FIFO or a device is opened without waiting (one that no process
/// reads is refused) and written in place; a name of one of the process's own descriptors
/// (/dev/stdout, /dev/fd/N, /proc/self/fd/N) is appended to, as the shell left it. A new name
/// and a plain file that a replacement can stand in for exactly (the name is no link, the
/// file has no second hard link, and its owner, group and mode carry over) are written as a
/// temporary file beside it and renamed over it, so a failed write keeps the old text; any
/// other existing file is rewritten in place. Setuid and setgid bits are dropped, as the
/// kernel drops them when another user writes the file. A link that another user planted in
/// a shared sticky folder is not followed, whatever the system's own setting for that.
///
/// Opening a file ignores SIGXFSZ for the process, so that a page over the file-size limit
/// fails with "File too large" instead of ending the program.
class COutputFile
{
public:
    COutputFile() = default;
    /// Removes the temporary file (or the file this object created) when commit() did not
    /// succeed.
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    /// Opens path for writing, or standardOutput when path is empty. On failure returns
    /// false and a message that names the path and the reason.
    bool open(const std::string& path, FILE* standardOutput, std::string& error);
    FILE* stream() const { return m_stream; }
    /// Writes the page: renames the temporary file to the path, or rewrites the file in
    /// place. On failure returns false and a message that names the path and the reason.
    bool commit(std::string& error);
    /// The system error number of the last failure of open() or commit(); 0 when there was
    /// none or the failure had no number.
    int errorNumber() const { return m_errorNumber; }
    /// The reason of the last failure, as the message of open() or commit() gives it.
    const std::string& reason() const { return m_reason; }
    /// True when the path is written in place rather than through a temporary file.
    bool writesInPlace() const { return m_inPlace; }

private:
    bool openExisting(int fd, bool descriptor, std::string& error);
    bool openTemporary(mode_t mode, const struct stat* replaced);
    bool writeBuffer(int& errorNumber);
    bool finish(int& errorNumber);
    void discard();
    std::string failure(int errorNumber, const char* reason = nullptr);

    FILE* m_stream = nullptr;
    char* m_buffer = nullptr;
    size_t m_bufferSize = 0;
    int m_fd = -1;
    bool m_isStandardOutput = false;
    bool m_inPlace = false;
    bool m_truncate = false;
    bool m_created = false;
    int m_errorNumber = 0;
    std::string m_reason;
    std::string m_path;
    std::string m_tempPath;
};
