#pragma once

#include "CFileSystem.h"

#include <string>

/// The real file system. The temporary folder is private to the user (mode 0700): the
/// runtime folder's "zentrima" or "/tmp/zentrima-<uid>", never a shared name that another
/// user could plant or redirect.
class CLocalFileSystem : public CFileSystem
{
public:
    bool programFilePath(std::string& out) const override;
    bool fileExists(const std::string& path) const override;
    std::string tempFolder() const override;

    /// Makes (or checks) the private folder under base; returns it with a trailing "/", or
    /// an empty string when base cannot hold one.
    static std::string makePrivateFolder(const std::string& base, const std::string& name);

private:
    mutable std::string m_tempFolder;
};
