#pragma once

#include "platform/CSettingsStore.h"

#include <memory>
#include <string>

class CIniSettingsFile;

/// The per-user settings store, an INI file shared by the desktop program and the
/// command-line tool. By default the file is "<XDG config folder>/Veldrine Software/
/// Zentrima.ini" (usually ~/.config/...), and every value lives below the level "2.00", so
/// the value "Sample Size Powers" of section "Application" is the key
/// "2.00/Application/Sample Size Powers" (in the file: group [2.00], key
/// "Application\Sample%20Size%20Powers"). Sections and names are kept exactly; they must not
/// contain "/" or "\", which the file reads as level separators. Values are read as the
/// plain text they hold (nothing is decoded or split at commas), so each reader judges a
/// damaged value itself; every write is made at once and replaces the file whole. The file
/// is read once, at the first value asked for; a file that must not be read (not a regular
/// file, too large, unreadable) is named in one message through the platform's message sink,
/// and the store then answers the defaults and saves nothing.
class CQtSettingsStore : public CSettingsStore
{
public:
    /// The user's own settings file in the XDG config folder.
    CQtSettingsStore();
    /// A settings file at an explicit path (tests, a portable install).
    explicit CQtSettingsStore(const std::string& filePath);
    ~CQtSettingsStore() override;
    CQtSettingsStore(const CQtSettingsStore&) = delete;
    CQtSettingsStore& operator=(const CQtSettingsStore&) = delete;

    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    void writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;
    /// A stored value that is not a whole int reads as defaultValue.
    int readInt(const std::string& section, const std::string& name,
                int defaultValue) const override;
    void writeInt(const std::string& section, const std::string& name, int value) override;
    /// Removes the value; a value that is not there leaves the file untouched.
    void deleteValue(const std::string& section, const std::string& name) override;

    /// Full path of the settings file.
    std::string filePath() const;
    /// False when the last write to the file failed (for example a read-only folder).
    bool lastWriteSucceeded() const;

private:
    static std::string keyFor(const std::string& section, const std::string& name);
    void loadOnce() const;

    std::unique_ptr<CIniSettingsFile> m_file;
    mutable bool m_loaded = false;
    bool m_lastWriteOk = true;
};
