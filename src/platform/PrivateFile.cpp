#include "platform/PrivateFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenPrivateFileDescriptor(const std::string& path)
{
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            if (::unlink(path.c_str()) != 0)
                return -1;
        } else if (!S_ISREG(info.st_mode)) {
            errno = S_ISDIR(info.st_mode) ? EISDIR : EEXIST;
            return -1;
        }
    }
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

FILE* OpenPrivateFile(const std::string& path, bool binary)
{
    const int fd = OpenPrivateFileDescriptor(path);
    if (fd < 0)
        return nullptr;
    FILE* stream = nullptr;
    if (::ftruncate(fd, 0) != 0 || (stream = ::fdopen(fd, binary ? "wb" : "w")) == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    return stream;
}
