#include "platform/CMemorySettingsStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

std::string CMemorySettingsStore::readString(const std::string& section, const std::string& name,
                                             const std::string& defaultValue) const
{
    auto it = m_values.find({section, name});
    return it == m_values.end() ? defaultValue : it->second;
}

void CMemorySettingsStore::writeString(const std::string& section, const std::string& name,
                                       const std::string& value)
{
    m_values[{section, name}] = value;
}

int CMemorySettingsStore::readInt(const std::string& section, const std::string& name,
                                  int defaultValue) const
{
    auto it = m_values.find({section, name});
    if (it == m_values.end())
        return defaultValue;
    // A value that is not a whole int reads as absent, as a real store does.
    const char* text = it->second.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return defaultValue;
    return static_cast<int>(v);
}

void CMemorySettingsStore::writeInt(const std::string& section, const std::string& name, int value)
{
    m_values[{section, name}] = std::to_string(value);
}

void CMemorySettingsStore::deleteValue(const std::string& section, const std::string& name)
{
    m_values.erase({section, name});
}

bool CMemorySettingsStore::contains(const std::string& section, const std::string& name) const
{
    return m_values.count({section, name}) != 0;
}
