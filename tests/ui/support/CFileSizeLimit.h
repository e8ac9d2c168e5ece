#pragma once

#include <csignal>

#include <sys/resource.h>

/// Limits the size of the files this process writes while it lives, so that a write past
/// bytes fails (with EFBIG) as a write to a full disk would, and restores the limit after.
/// The signal such a write raises is ignored meanwhile.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        m_active = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = m_active && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~CFileSizeLimit()
    {
        if (m_active)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    /// False when the limit could not be set.
    bool active() const { return m_active; }

private:
    struct rlimit m_saved
    {
    };
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};
