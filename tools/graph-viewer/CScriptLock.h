#pragma once

#include <QString>

/// An exclusive flock on a script file, held while the graph of that script is shown. The
/// calculator does not rewrite a script whose lock another process holds, so a graph
/// window keeps its script from changing under it.
class CScriptLock
{
public:
    CScriptLock() = default;
    ~CScriptLock();
    CScriptLock(CScriptLock&& other) noexcept;
    CScriptLock& operator=(CScriptLock&& other) noexcept;
    CScriptLock(const CScriptLock&) = delete;
    CScriptLock& operator=(const CScriptLock&) = delete;

    /// Takes the lock on the file at path without waiting; false when the file cannot be
    /// opened or another process holds its lock.
    bool lock(const QString& path);
    /// Gives the lock up; nothing happens when none is held.
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
