#pragma once

#include "platform/CLocalFileSystem.h"

#include <set>
#include <string>

/// A file system for tests: a set program path, a set of existing files and a given
/// temporary folder. Files are read and written on disk as the real file system does, except
/// that a test can make the writes to a path fail (a full disk) or find its lock held by
/// another program; those files are then left as they are.
class CFakeFileSystem : public CLocalFileSystem
{
public:
    bool programFilePath(std::string& out) const override
    {
        if (m_programPath.empty())
            return false;
        out = m_programPath;
        return true;
    }
    bool fileExists(const std::string& path) const override { return m_files.count(path) != 0; }
    std::string tempFolder() const override { return m_tempFolder; }
    bool writePrivateFile(const std::string& path, const std::string& bytes) const override
    {
        ++m_writes;
        if (m_failingWrites.count(path) != 0)
            return false;
        return CLocalFileSystem::writePrivateFile(path, bytes);
    }
    LockedWrite writeLockedPrivateFile(const std::string& path,
                                       const std::string& bytes) const override
    {
        ++m_writes;
        if (m_heldLocks.count(path) != 0)
            return LockedWrite::HeldElsewhere;
        if (m_failingWrites.count(path) != 0)
            return LockedWrite::Failed;
        return CLocalFileSystem::writeLockedPrivateFile(path, bytes);
    }

    void setProgramPath(const std::string& path) { m_programPath = path; }
    void addFile(const std::string& path) { m_files.insert(path); }
    void setTempFolder(const std::string& folder) { m_tempFolder = folder; }
    /// Every later write to path fails, as on a full disk.
    void failWritesTo(const std::string& path) { m_failingWrites.insert(path); }
    /// Another program holds the lock of path until releaseLock().
    void holdLock(const std::string& path) { m_heldLocks.insert(path); }
    void releaseLock(const std::string& path) { m_heldLocks.erase(path); }
    /// How many writes were asked for, failed ones included.
    int writes() const { return m_writes; }

private:
    std::string m_programPath;
    std::set<std::string> m_files;
    std::string m_tempFolder = "/tmp/";
    std::set<std::string> m_failingWrites;
    std::set<std::string> m_heldLocks;
    mutable int m_writes = 0;
};
