#pragma once

#include "platform/CFileSystem.h"

#include <set>
#include <string>

/// A file system for tests: a set program path, a set of existing files and a given
/// temporary folder.
class CFakeFileSystem : public CFileSystem
{
public:
    bool programFilePath(std::string& out) const override
    {
        if (m_programPath.empty())
            return false;
        out = m_programPath;
        return true;
    }
    bool fileExists(const std::string& path) const override { return m_files.count(path) != 0; }
    std::string tempFolder() const override { return m_tempFolder; }

    void setProgramPath(const std::string& path) { m_programPath = path; }
    void addFile(const std::string& path) { m_files.insert(path); }
    void setTempFolder(const std::string& folder) { m_tempFolder = folder; }

private:
    std::string m_programPath;
    std::set<std::string> m_files;
    std::string m_tempFolder = "/tmp/";
};
