#pragma once

#include "platform/CSettingsStore.h"

#include <string>
#include <vector>

/// The command-line tool's view of the settings file it shares with the desktop program:
/// values are read, never written or removed. Where the calculators would remove a stored
/// list they could not use, the name is kept instead, so that the tool can say on standard
/// error that the built-in list applies.
class CCliSettingsStore : public CSettingsStore
{
public:
    explicit CCliSettingsStore(const CSettingsStore& stored) : m_stored(stored) {}

    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    void writeString(const std::string&, const std::string&, const std::string&) override {}
    int readInt(const std::string& section, const std::string& name,
                int defaultValue) const override;
    void writeInt(const std::string&, const std::string&, int) override {}
    /// Removes nothing; records name when a value is stored under it.
    void deleteValue(const std::string& section, const std::string& name) override;

    /// The names of the stored values that were refused, in the order they were read.
    const std::vector<std::string>& refusedValues() const { return m_refused; }

private:
    const CSettingsStore& m_stored;
    std::vector<std::string> m_refused;
};
