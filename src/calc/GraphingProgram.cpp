#include "calc/GraphingProgram.h"

#include "platform/CMachineRegistry.h"
#include "platform/Platform.h"
#include "platform/PrivateFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The registry value is read into a buffer of this many bytes, its terminator included; a
// longer command is refused rather than cut to a path that was never registered.
constexpr size_t kCommandBufferSize = 500;
constexpr const char* kArgumentMarker = " \"%1\"";

uint32_t readUint32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

int readUint16(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8;
}

// The four version fields of the record at record, or false when record holds none.
bool parseRecord(const unsigned char* record, std::array<int, 4>& version)
{
    if (readUint32(record) != VersionRecordSignature ||
        readUint32(record + 4) != VersionRecordLayout)
        return false;
    for (int i = 0; i < 4; ++i)
        version[i] = readUint16(record + 8 + 2 * i);
    return true;
}

// Scans the file in blocks; each block keeps the last bytes of the one before it, so a
// record across a block border is still found. Only a regular file up to
// MaxVersionedFileSize is read, at most its size as it was when opened: a device, a FIFO or
// a huge file would hold the user interface while it is read.
bool readVersionRecord(const std::string& path, std::array<int, 4>& version)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
    if (!file) {
        ::close(fd);
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > MaxVersionedFileSize)
        return false;
    size_t left = static_cast<size_t>(info.st_size);
    constexpr size_t kBlock = 1 << 20;
    constexpr size_t kKeep = VersionRecordSize - 1;
    std::vector<unsigned char> buffer(kKeep + kBlock);
    size_t held = 0;
    while (left > 0) {
        const size_t got =
            std::fread(buffer.data() + held, 1, left < kBlock ? left : kBlock, file.get());
        if (got == 0)
            return false;
        left -= got;
        const size_t end = held + got;
        for (size_t at = 0; at + VersionRecordSize <= end; ++at) {
            if (buffer[at] == 0xBD && parseRecord(buffer.data() + at, version))
                return true;
        }
        held = end < kKeep ? end : kKeep;
        std::copy(buffer.begin() + (end - held), buffer.begin() + end, buffer.begin());
    }
    return false;
}

} // namespace

bool FindGraphingProgram(std::string& path)
{
    std::string command;
    if (!Platform::registry().readString(GraphingProgramOpenKey, "", command))
        return false;
    if (command.empty() || command.size() >= kCommandBufferSize)
        return false;
    const size_t marker = command.find(kArgumentMarker);
    const bool quoted = command[0] == '"';
    if (marker != std::string::npos) {
        command.resize(marker);
        if (!command.empty() && command.back() == '"')
            command.pop_back();
    }
    if (quoted) {
        command.erase(0, 1);
        if (marker == std::string::npos) {
            const size_t close = command.find('"');
            if (close != std::string::npos)
                command.resize(close);
        }
    }
    if (command.empty())
        return false;
    path = command;
    return true;
}

bool CheckFileVersion(const std::string& path, int major, int minor, int build, int revision)
{
    std::array<int, 4> version{};
    if (!readVersionRecord(path, version))
        return false;
    const std::array<int, 4> wanted{major, minor, build, revision};
    for (int i = 0; i < 4; ++i) {
        if (version[i] != wanted[i])
            return version[i] > wanted[i];
    }
    return true;
}

FILE* OpenGraphScript(const std::string& path, bool& heldElsewhere)
{
    heldElsewhere = false;
    const int fd = OpenPrivateFileDescriptor(path);
    if (fd < 0)
        return nullptr;
    // Take the lock before emptying the file, so a script the graphing program still reads
    // is never cut short under it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return nullptr;
    }
    FILE* stream = nullptr;
    if (::ftruncate(fd, 0) != 0 || (stream = ::fdopen(fd, "w")) == nullptr) {
        ::close(fd);
        return nullptr;
    }
    return stream;
}
