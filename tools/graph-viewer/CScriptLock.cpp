#include "graph-viewer/CScriptLock.h"

#include <QFile>

#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CScriptLock::~CScriptLock()
{
    unlock();
}

CScriptLock::CScriptLock(CScriptLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

CScriptLock& CScriptLock::operator=(CScriptLock&& other) noexcept
{
    if (this != &other) {
        unlock();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool CScriptLock::lock(const QString& path)
{
    unlock();
    // Without waiting: a FIFO under the name must not hold the viewer here.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void CScriptLock::unlock()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
