#include "platform/COutputFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links are followed at most this many times, as the kernel does; a longer chain is a loop.
constexpr int kMaxLinks = 40;
constexpr char kTempSuffix[] = ".XXXXXX";

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

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The next name in a chain of links, or an empty string when path is no link.
std::string nextLink(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return std::string();
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink(path.c_str(), buffer.data(), PATH_MAX);
    if (length <= 0)
        return std::string();
    const std::string target(buffer.data(), static_cast<size_t>(length));
    return target.front() == '/' ? target : folderOf(path) + target;
}

// The descriptor links of the kernel's process tree ("/dev/stdout" leads to
// "/proc/self/fd/1") name an open file, which may be a pipe or a file the shell opened for
// appending; such a name is written through, never replaced.
bool namesADescriptor(const std::string& path)
{
    std::string current = path;
    for (int i = 0; i < kMaxLinks && !current.empty(); ++i) {
        if (startsWith(current, "/proc/"))
            return true;
        current = nextLink(current);
    }
    return false;
}

} // namespace

COutputFile::~COutputFile()
{
    discard();
}

std::string COutputFile::failure(int errorNumber)
{
    m_errorNumber = errorNumber;
    const std::string name = m_path.empty() ? "standard output" : m_path;
    return "cannot write " + name + ": " +
           (errorNumber != 0 ? std::strerror(errorNumber) : "write error");
}

std::string COutputFile::resolveLinks(const std::string& path)
{
    std::string current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        const std::string next = nextLink(current);
        if (next.empty())
            return current;
        current = next;
    }
    return current;
}

bool COutputFile::open(const std::string& path, FILE* standardOutput, std::string& error)
{
    m_path = path;
    m_errorNumber = 0;
    if (path.empty()) {
        m_stream = standardOutput;
        m_isStandardOutput = true;
        return true;
    }
    struct stat info;
    const bool exists = stat(path.c_str(), &info) == 0;
    m_inPlace = (exists && !S_ISREG(info.st_mode)) || path.back() == '/' ||
                (exists && namesADescriptor(path));
    return m_inPlace ? openInPlace(error) : openTemporary(error);
}

bool COutputFile::openInPlace(std::string& error)
{
    // Nothing is truncated: a device or a FIFO has nothing to lose, and a descriptor's file
    // (standard output sent to a file) is appended to where the shell left it.
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = failure(errno);
        return false;
    }
    m_stream = fdopen(fd, "w");
    if (m_stream == nullptr) {
        error = failure(errno);
        ::close(fd);
        return false;
    }
    return true;
}

bool COutputFile::openTemporary(std::string& error)
{
    m_target = resolveLinks(m_path);
    const std::string folder = folderOf(m_target);
    std::string base = m_target.substr(folder.size());
    // The temporary name carries a dot in front and a suffix behind; a target name near the
    // length limit gives up the end of its own name rather than fail.
    const long nameMax = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    const size_t limit = nameMax > 0 ? static_cast<size_t>(nameMax) : 255;
    const size_t extra = 1 + std::strlen(kTempSuffix);
    if (base.size() + extra > limit)
        base.resize(limit > extra ? limit - extra : 0);
    const std::string pattern = folder + "." + base + kTempSuffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = failure(errno);
        return false;
    }
    m_tempPath = name.data();
    if (fchmod(fd, targetMode(m_target)) != 0 || (m_stream = fdopen(fd, "w")) == nullptr) {
        error = failure(errno);
        ::close(fd);
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
    // A write that failed inside the page leaves the stream's error flag; the flush below
    // usually fails again with the same reason. When nothing was left to flush, the reason
    // is still in errno from the failed write.
    const int earlierError = errno;
    errno = 0;
    const bool failedBefore = std::ferror(m_stream) != 0;
    bool ok = std::fflush(m_stream) == 0 && !failedBefore;
    int errorNumber = errno;
    if (!ok && errorNumber == 0)
        errorNumber = earlierError != 0 ? earlierError : EIO;
    if (m_isStandardOutput) {
        m_stream = nullptr;
        if (!ok)
            error = failure(errorNumber);
        return ok;
    }
    if (ok && !m_inPlace && fsync(fileno(m_stream)) != 0) {
        ok = false;
        errorNumber = errno;
    }
    FILE* stream = m_stream;
    m_stream = nullptr;
    if (std::fclose(stream) != 0 && ok) {
        ok = false;
        errorNumber = errno;
    }
    if (ok && !m_inPlace && std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
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
