#include "cli/CCliSettingsStore.h"

std::string CCliSettingsStore::readString(const std::string& section, const std::string& name,
                                          const std::string& defaultValue) const
{
    return m_stored.readString(section, name, defaultValue);
}

int CCliSettingsStore::readInt(const std::string& section, const std::string& name,
                               int defaultValue) const
{
    return m_stored.readInt(section, name, defaultValue);
}

void CCliSettingsStore::deleteValue(const std::string& section, const std::string& name)
{
    // An empty or missing value is simply not set; only a stored text was refused.
    if (!m_stored.readString(section, name, std::string()).empty())
        m_refused.push_back(name);
}
