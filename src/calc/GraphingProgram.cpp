#include "calc/GraphingProgram.h"

#include "platform/CFileSystem.h"
#include "platform/CMachineRegistry.h"
#include "platform/Platform.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

// Scans the file block by block; each block is looked at together with the last bytes of the
// one before it, so a record across a block border is still found. Only a regular file up to
// MaxVersionedFileSize is read, at most its size as it was when opened: a device, a FIFO or
// a huge file would hold the user interface while it is read.
bool readVersionRecord(const std::string& path, std::array<int, 4>& version)
{
    constexpr size_t kKeep = VersionRecordSize - 1;
    std::vector<unsigned char> buffer;
    bool found = false;
    const auto scan = [&](const unsigned char* data, size_t size) {
        buffer.insert(buffer.end(), data, data + size);
        for (size_t at = 0; at + VersionRecordSize <= buffer.size(); ++at) {
            if (buffer[at] == 0xBD && parseRecord(buffer.data() + at, version)) {
                found = true;
                return false;
            }
        }
        const size_t held = buffer.size() < kKeep ? buffer.size() : kKeep;
        buffer.erase(buffer.begin(), buffer.end() - static_cast<std::ptrdiff_t>(held));
        return true;
    };
    return Platform::files().readRegularFile(path, MaxVersionedFileSize, scan) && found;
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
