#include "platform/CLocalFileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
