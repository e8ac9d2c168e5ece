#include "COutputFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The mode a newly created file would get, or the mode of the file being replaced.
mode_t targetMode(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

COutputFile::~COutputFile()
{
    discard();
}

std::string COutputFile::failure(int errorNumber) const
{
    const std::string name = m_path.empty() ? "standard output" : m_path;
    return "cannot write " + name + ": " +
           (errorNumber != 0 ? std::strerror(errorNumber) : "write error");
}

bool COutputFile::open(const std::string& path, FILE* standardOutput, std::string& error)
{
    m_path = path;
    if (path.empty()) {
        m_stream = standardOutput;
        m_isStandardOutput = true;
        return true;
    }
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) {
        error = failure(EISDIR);
        return false;
    }
    std::string pattern = folder + "." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error = failure(errno);
        return false;
    }
    m_tempPath = name.data();
    if (fchmod(fd, targetMode(path)) != 0 || (m_stream = fdopen(fd, "w")) == nullptr) {
        error = failure(errno);
        close(fd);
        discard();
        return false;
    }
    return true;
}

bool COutputFile::commit(std::string& error)
{
    if (m_stream == nullptr) {
        error = failure(EBADF);
        return false;
    }
    errno = 0;
    bool ok = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    int errorNumber = errno;
    if (m_isStandardOutput) {
        m_stream = nullptr;
        if (!ok)
            error = failure(errorNumber);
        return ok;
    }
    if (ok && fsync(fileno(m_stream)) != 0) {
        ok = false;
        errorNumber = errno;
    }
    FILE* stream = m_stream;
    m_stream = nullptr;
    if (std::fclose(stream) != 0 && ok) {
        ok = false;
        errorNumber = errno;
    }
    if (ok && std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        ok = false;
        errorNumber = errno;
    }
    if (!ok) {
        error = failure(errorNumber);
        discard();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void COutputFile::discard()
{
    if (m_stream != nullptr && !m_isStandardOutput)
        std::fclose(m_stream);
    m_stream = nullptr;
    if (!m_tempPath.empty())
        unlink(m_tempPath.c_str());
    m_tempPath.clear();
}
