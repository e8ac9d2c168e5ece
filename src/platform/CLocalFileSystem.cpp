#include "platform/CLocalFileSystem.h"

#include "platform/PrivateFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FileHandle = std::unique_ptr<FILE, int (*)(FILE*)>;

// A folder we may keep files in: a real directory (not a link), ours, closed to others.
bool isPrivateFolder(const std::string& path)
{
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// An absolute folder named by the environment variable; relative names are ignored, as the
// XDG rules ask (they would name a different folder for every current folder).
std::string absoluteFolderFrom(const char* variable)
{
    const char* value = std::getenv(variable);
    struct stat st
    {
    };
    if (value == nullptr || value[0] != '/' || ::stat(value, &st) != 0 || !S_ISDIR(st.st_mode))
        return std::string();
    return value;
}

// Writes all of bytes to fd, going on after a short write.
bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

bool CLocalFileSystem::programFilePath(std::string& out) const
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || path.empty())
        return false;
    out = path.string();
    return true;
}

bool CLocalFileSystem::fileExists(const std::string& path) const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string CLocalFileSystem::makePrivateFolder(const std::string& base, const std::string& name)
{
    const std::string folder = base + "/" + name;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return std::string();
    // Opened without following a link, so that the checks and the repair below apply to the
    // folder itself and nothing can be swapped in between.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    struct stat st
    {
    };
    bool usable = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    // Our own folder that others may enter is closed again rather than given up.
    if (usable && (st.st_mode & 077) != 0)
        usable = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return usable ? folder + "/" : std::string();
}

std::string CLocalFileSystem::tempFolder() const
{
    if (!m_tempFolder.empty() && isPrivateFolder(m_tempFolder.substr(0, m_tempFolder.size() - 1)))
        return m_tempFolder;
    m_tempFolder.clear();
    // Fixed places only, tried in turn, so that every start of the program finds the same
    // folder (and the same single-instance lock): the runtime folder, the temporary folder,
    // then the user's cache folder, which no other user can plant a name in.
    const std::string uid = std::to_string(::geteuid());
    const std::string runtime = absoluteFolderFrom("XDG_RUNTIME_DIR");
    if (!runtime.empty())
        m_tempFolder = makePrivateFolder(runtime, "zentrima");
    if (m_tempFolder.empty()) {
        const std::string tmp = absoluteFolderFrom("TMPDIR");
        m_tempFolder = makePrivateFolder(tmp.empty() ? "/tmp" : tmp, "zentrima-" + uid);
    }
    if (m_tempFolder.empty()) {
        std::string cache = absoluteFolderFrom("XDG_CACHE_HOME");
        const std::string home = absoluteFolderFrom("HOME");
        if (cache.empty() && !home.empty()) {
            cache = home + "/.cache";
            ::mkdir(cache.c_str(), 0700);
        }
        if (!cache.empty())
            m_tempFolder = makePrivateFolder(cache, "zentrima-" + uid);
    }
    return m_tempFolder;
}

bool CLocalFileSystem::readFile(const std::string& path, std::string& bytes) const
{
    FileHandle file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return false;
    std::string read;
    char block[8192];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0)
        read.append(block, got);
    if (std::ferror(file.get()))
        return false;
    bytes.swap(read);
    return true;
}

bool CLocalFileSystem::readRegularFile(const std::string& path, unsigned long long maxSize,
                                       const BlockReader& reader) const
{
    // Opened without waiting, so a FIFO without a writer cannot hold the caller here; the
    // checks below then refuse it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    FileHandle file(::fdopen(fd, "rb"), &std::fclose);
    if (!file) {
        ::close(fd);
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > maxSize)
        return false;
    size_t left = static_cast<size_t>(info.st_size);
    constexpr size_t kBlock = 1 << 20;
    std::vector<unsigned char> block(kBlock);
    while (left > 0) {
        const size_t got = std::fread(block.data(), 1, left < kBlock ? left : kBlock, file.get());
        if (got == 0)
            return false;
        left -= got;
        if (!reader(block.data(), got))
            return true;
    }
    return true;
}

bool CLocalFileSystem::writePrivateFile(const std::string& path, const std::string& bytes) const
{
    FileHandle file(OpenPrivateFile(path, true), &std::fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    return std::fclose(file.release()) == 0;
}

CFileSystem::LockedWrite CLocalFileSystem::writeLockedPrivateFile(const std::string& path,
                                                                  const std::string& bytes) const
{
    const int fd = OpenPrivateFileDescriptor(path);
    if (fd < 0)
        return LockedWrite::Failed;
    // The lock comes before the file is emptied; closing the file releases it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? LockedWrite::HeldElsewhere : LockedWrite::Failed;
    }
    const bool written = ::ftruncate(fd, 0) == 0 && writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    return written && closed ? LockedWrite::Written : LockedWrite::Failed;
}
