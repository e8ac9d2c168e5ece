#pragma once

#include "platform/CFileSystem.h"

#include <string>

/// The real file system. The temporary folder is private to the user (mode 0700) and always
/// one of a few fixed places, tried in turn: "$XDG_RUNTIME_DIR/zentrima" (only when that
/// variable names an absolute folder), "${TMPDIR:-/tmp}/zentrima-<uid>", then
/// "${XDG_CACHE_HOME:-~/.cache}/zentrima-<uid>". A name held by a link, a file or another
/// user's folder is passed over; our own folder that others may enter is closed again. When
/// none is usable the folder is empty, and the program keeps no files on disk.
class CLocalFileSystem : public CFileSystem
{
public:
    bool programFilePath(std::string& out) const override;
    bool fileExists(const std::string& path) const override;
    std::string tempFolder() const override;
    bool readFile(const std::string& path, std::string& bytes) const override;
    bool readRegularFile(const std::string& path, unsigned long long maxSize,
                         const BlockReader& reader) const override;
    bool writePrivateFile(const std::string& path, const std::string& bytes) const override;
    LockedWrite writeLockedPrivateFile(const std::string& path,
                                       const std::string& bytes) const override;

    /// Makes (or checks, and repairs to mode 0700) the private folder base/name; returns it
    /// with a trailing "/", or an empty string when the name is taken by anything else.
    static std::string makePrivateFolder(const std::string& base, const std::string& name);

private:
    mutable std::string m_tempFolder;
};
