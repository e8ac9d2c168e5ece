#include "CLocalFileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder we may keep files in: a real directory (not a link), ours, closed to others.
bool isPrivateFolder(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool isDirectory(const char* path)
{
    struct stat st {};
    return path && *path && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
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
    std::string folder = base + "/" + name;
    if (::mkdir(folder.c_str(), 0700) == 0 || isPrivateFolder(folder))
        return isPrivateFolder(folder) ? folder + "/" : std::string();
    // The name is taken by something we must not trust: make a fresh folder beside it.
    std::string pattern = folder + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        return std::string();
    return std::string(buffer.data()) + "/";
}

std::string CLocalFileSystem::tempFolder() const
{
    if (!m_tempFolder.empty() && isPrivateFolder(m_tempFolder.substr(0, m_tempFolder.size() - 1)))
        return m_tempFolder;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (isDirectory(runtime))
        m_tempFolder = makePrivateFolder(runtime, "zentrima");
    if (m_tempFolder.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string base = isDirectory(tmp) ? tmp : "/tmp";
        m_tempFolder = makePrivateFolder(base, "zentrima-" + std::to_string(::geteuid()));
    }
    return m_tempFolder;
}
