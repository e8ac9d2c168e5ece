#pragma once

#include <string>

/// The few file services the core needs: where the program lives, whether a file exists
/// and the private folder for temporary files.
class CFileSystem
{
public:
    virtual ~CFileSystem() = default;
    /// Full path of the running program's file; false when it cannot be obtained.
    virtual bool programFilePath(std::string& out) const = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    /// The private temporary folder, ending in "/"; created on first use.
    virtual std::string tempFolder() const = 0;
};
