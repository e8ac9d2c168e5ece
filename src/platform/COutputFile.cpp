#include "platform/COutputFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links are followed at most this many times, as the kernel does; a longer chain is a loop.
constexpr int kMaxLinks = 40;
constexpr size_t kRandomLength = 6;

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool allDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The names by which a process reaches its own open descriptors. Any other name under /proc
// (the current folder, another process's files) is an ordinary path.
bool isDescriptorName(const std::string& path)
{
    if (path == "/dev/stdin" || path == "/dev/stdout" || path == "/dev/stderr")
        return true;
    for (const std::string& prefix :
         {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
          std::string("/proc/thread-self/fd/"), "/proc/" + std::to_string(getpid()) + "/fd/"}) {
        if (path.compare(0, prefix.size(), prefix) == 0)
            return allDigits(path.substr(prefix.size()));
    }
    return false;
}

struct LinkChain
{
    bool descriptor = false;
    bool planted = false;
};

// Another user's link in a folder that everyone may write and only owners may delete from:
// the kernel's protected-link rule refuses to follow it unless the follower or the folder's
// owner owns it, since the folder's other users could have aimed it anywhere.
bool isPlantedLink(const std::string& link, const struct stat& info)
{
    if (info.st_uid == geteuid())
        return false;
    const std::string folder = folderOf(link);
    struct stat folderInfo;
    if (stat(folder.empty() ? "." : folder.c_str(), &folderInfo) != 0)
        return false;
    const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
    return shared && info.st_uid != folderInfo.st_uid;
}

// Walks the links the final name leads through, without writing anything: whether they reach
// a descriptor name, and whether one of them was planted. The kernel still does the opening.
LinkChain inspectLinks(const std::string& path)
{
    LinkChain chain;
    std::string current = path;
    std::vector<char> buffer(PATH_MAX + 1);
    for (int i = 0; i < kMaxLinks; ++i) {
        if (isDescriptorName(current)) {
            chain.descriptor = true;
            return chain;
        }
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return chain;
        if (isPlantedLink(current, info)) {
            chain.planted = true;
            return chain;
        }
        const ssize_t length = readlink(current.c_str(), buffer.data(), PATH_MAX);
        if (length <= 0)
            return chain;
        const std::string target(buffer.data(), static_cast<size_t>(length));
        current = target.front() == '/' ? target : folderOf(current) + target;
    }
    return chain;
}

void ignoreFileSizeSignal()
{
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
}

// The bits a write by another user takes away: setuid, and setgid where it means "run as the
// group" (with group execute) rather than mandatory locking.
mode_t withoutSetIdBits(mode_t mode)
{
    mode &= ~mode_t(S_ISUID);
    if (mode & S_IXGRP)
        mode &= ~mode_t(S_ISGID);
    return mode & 07777;
}

bool setBlocking(int fd, bool append)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, (flags & ~O_NONBLOCK) | (append ? O_APPEND : 0)) == 0;
}

} // namespace

COutputFile::~COutputFile()
{
    discard();
}

std::string COutputFile::failure(int errorNumber, const char* reason)
{
    m_errorNumber = errorNumber;
    m_reason = reason != nullptr  ? reason
               : errorNumber != 0 ? std::strerror(errorNumber)
                                  : "write error";
    const std::string name = m_path.empty() ? "standard output" : m_path;
    return "cannot write " + name + ": " + m_reason;
}

bool COutputFile::open(const std::string& path, FILE* standardOutput, std::string& error)
{
    m_path = path;
    m_errorNumber = 0;
    m_reason.clear();
    if (path.empty()) {
        m_stream = standardOutput;
        m_isStandardOutput = true;
        return true;
    }
    ignoreFileSizeSignal();
    const LinkChain chain = inspectLinks(path);
    if (chain.planted) {
        error = failure(EACCES);
        return false;
    }
    // No O_CREAT and no O_TRUNC: an existing file is only looked at here. O_NONBLOCK keeps a
    // FIFO without a reader from holding the program (the open fails with ENXIO instead).
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    bool ok = fd >= 0;
    struct stat info;
    if (ok) {
        ok = openExisting(fd, chain.descriptor, error);
    } else if (errno == ENOENT && lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // A link to a file not there yet: the kernel creates the file where the link leads.
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, 0666);
        ok = fd >= 0;
        m_fd = fd;
        m_inPlace = m_created = ok;
    } else if (errno == ENOENT) {
        // A new name: created with 0666 so the kernel applies the umask (and the folder's
        // default access list) itself.
        ok = openTemporary(0666, nullptr);
    }
    if (!ok && error.empty()) {
        const int errorNumber = errno;
        const bool fifo = stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
        error = errorNumber == ENXIO && fifo ? failure(ENXIO, "no process is reading it")
                                             : failure(errorNumber);
    }
    if (ok && (m_stream = open_memstream(&m_buffer, &m_bufferSize)) == nullptr) {
        error = failure(errno);
        ok = false;
    }
    if (!ok)
        discard();
    return ok;
}

bool COutputFile::openExisting(int fd, bool descriptor, std::string& error)
{
    m_fd = fd;
    struct stat info;
    struct stat named;
    if (fstat(fd, &info) != 0)
        return false;
    const bool regular = S_ISREG(info.st_mode);
    if (!regular || descriptor) {
        // A device, a FIFO with its reader, or a descriptor's file: written where it is, at
        // its end (where the shell left standard output, even when it opened it with >>).
        m_inPlace = true;
        return setBlocking(fd, true);
    }
    // A stand-in can take the file's place only when nothing tells them apart: the name
    // itself is the file (no link, whose target's folder this program must not pick for
    // itself), no other name shares the file, and the stand-in takes its owner and mode.
    const bool replaceable = lstat(m_path.c_str(), &named) == 0 && named.st_ino == info.st_ino &&
                             named.st_dev == info.st_dev && info.st_nlink == 1;
    if (replaceable && openTemporary(0600, &info)) {
        ::close(fd);
        return true;
    }
    m_fd = fd;
    m_inPlace = m_truncate = true;
    if (!setBlocking(fd, false)) {
        error = failure(errno);
        return false;
    }
    return true;
}

bool COutputFile::openTemporary(mode_t mode, const struct stat* replaced)
{
    const std::string folder = folderOf(m_path);
    std::string base = m_path.substr(folder.size());
    // The temporary name carries a dot in front and a suffix behind; a target name near the
    // length limit gives up the end of its own name rather than fail.
    const long nameMax = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    const size_t limit = nameMax > 0 ? static_cast<size_t>(nameMax) : 255;
    const size_t extra = 2 + kRandomLength;
    if (base.size() + extra > limit)
        base.resize(limit > extra ? limit - extra : 0);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = folder + "." + base + ".";
        for (size_t i = 0; i < kRandomLength; ++i)
            name += letters[pick(random)];
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
        if (fd >= 0)
            m_tempPath = name;
        else if (errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    m_fd = fd;
    m_inPlace = false;
    // The replaced file's owner and group first (a change of owner clears setuid bits), then
    // its mode; where either cannot be kept the caller writes the file in place instead.
    struct stat own;
    const bool keeps = replaced == nullptr ||
                       (fstat(fd, &own) == 0 &&
                        ((own.st_uid == replaced->st_uid && own.st_gid == replaced->st_gid) ||
                         fchown(fd, replaced->st_uid, replaced->st_gid) == 0) &&
                        fchmod(fd, withoutSetIdBits(replaced->st_mode)) == 0);
    if (!keeps) {
        const int saved = errno;
        ::close(fd);
        m_fd = -1;
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
        errno = saved;
    }
    return keeps;
}

bool COutputFile::writeBuffer(int& errorNumber)
{
    if (m_truncate && ftruncate(m_fd, 0) != 0) {
        errorNumber = errno;
        return false;
    }
    size_t done = 0;
    while (done < m_bufferSize) {
        const ssize_t wrote = ::write(m_fd, m_buffer + done, m_bufferSize - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            errorNumber = wrote < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

bool COutputFile::finish(int& errorNumber)
{
    struct stat info;
    if (m_truncate && fstat(m_fd, &info) == 0 &&
        withoutSetIdBits(info.st_mode) != (info.st_mode & 07777))
        fchmod(m_fd, withoutSetIdBits(info.st_mode));
    if (!m_inPlace && fsync(m_fd) != 0) {
        errorNumber = errno;
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        errorNumber = errno;
        return false;
    }
    if (!m_inPlace && std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        errorNumber = errno;
        return false;
    }
    m_tempPath.clear();
    m_created = false;
    return true;
}

bool COutputFile::commit(std::string& error)
{
    if (m_stream == nullptr) {
        error = failure(EBADF);
        return false;
    }
    if (m_isStandardOutput) {
        // A write that failed inside the page leaves the stream's error flag; the flush
        // below usually fails again with the same reason. When nothing was left to flush,
        // the reason is still in errno from the failed write.
        const int earlierError = errno;
        errno = 0;
        const bool failedBefore = std::ferror(m_stream) != 0;
        const bool ok = std::fflush(m_stream) == 0 && !failedBefore;
        const int errorNumber = errno != 0 ? errno : earlierError != 0 ? earlierError : EIO;
        m_stream = nullptr;
        if (!ok)
            error = failure(errorNumber);
        return ok;
    }
    // The page so far is in memory; only running out of it fails here.
    const bool gathered = std::ferror(m_stream) == 0;
    FILE* stream = m_stream;
    m_stream = nullptr;
    int errorNumber = ENOMEM;
    const bool ok =
        std::fclose(stream) == 0 && gathered && writeBuffer(errorNumber) && finish(errorNumber);
    if (!ok) {
        error = failure(errorNumber);
        discard();
    }
    return ok;
}

void COutputFile::discard()
{
    if (m_stream != nullptr && !m_isStandardOutput)
        std::fclose(m_stream);
    m_stream = nullptr;
    std::free(m_buffer);
    m_buffer = nullptr;
    m_bufferSize = 0;
    if (m_created && m_fd >= 0) {
        // The file a dangling link led to was made by this object: it goes again, found by
        // the name the kernel gives its descriptor and only while that is still this file.
        std::vector<char> name(PATH_MAX + 1);
        const std::string link = "/proc/self/fd/" + std::to_string(m_fd);
        const ssize_t length = readlink(link.c_str(), name.data(), PATH_MAX);
        struct stat opened;
        struct stat found;
        if (length > 0 && fstat(m_fd, &opened) == 0) {
            const std::string created(name.data(), static_cast<size_t>(length));
            if (lstat(created.c_str(), &found) == 0 && found.st_ino == opened.st_ino &&
                found.st_dev == opened.st_dev)
                unlink(created.c_str());
        }
    }
    m_created = false;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty())
        unlink(m_tempPath.c_str());
    m_tempPath.clear();
}
