#pragma once

#include <cstddef>
#include <functional>
#include <string>

/// The few file services the core needs: where the program lives, whether a file exists,
/// the private folder for temporary files, and reading and writing whole files.
class CFileSystem
{
public:
    /// How a write to a file that another program may hold locked ended.
    enum class LockedWrite
    {
        Written,
        HeldElsewhere, ///< another program holds the file's lock; the file is left as it was
        Failed,        ///< it could not be opened or written in full (a full disk, say)
    };
    /// Receives a file block by block; returns false to stop reading.
    using BlockReader = std::function<bool(const unsigned char* data, size_t size)>;

    virtual ~CFileSystem() = default;
    /// Full path of the running program's file; false when it cannot be obtained.
    virtual bool programFilePath(std::string& out) const = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    /// The private temporary folder, ending in "/"; created on first use.
    virtual std::string tempFolder() const = 0;

    /// The whole contents of the file at path; false when it cannot be read.
    virtual bool readFile(const std::string& path, std::string& bytes) const = 0;
    /// Hands the file at path to reader in blocks, up to its size when opened, until reader
    /// returns false. False when path is anything but a regular file of at most maxSize bytes
    /// (a device or a FIFO would never end), or when a read fails first.
    virtual bool readRegularFile(const std::string& path, unsigned long long maxSize,
                                 const BlockReader& reader) const = 0;
    /// Replaces the contents of path, a file of the program's own in its private folder, with
    /// bytes; never writes through a link (see OpenPrivateFile). False when the file cannot
    /// be opened or written in full.
    virtual bool writePrivateFile(const std::string& path, const std::string& bytes) const = 0;
    /// As writePrivateFile(), but only while holding the file's exclusive lock, taken without
    /// waiting before the file is emptied: a file another program still reads under its lock
    /// is never cut short.
    virtual LockedWrite writeLockedPrivateFile(const std::string& path,
                                               const std::string& bytes) const = 0;
};
