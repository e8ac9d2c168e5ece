#pragma once

#include <string>

/// The per-user settings store, addressed by section and value name.
class CSettingsStore
{
public:
    virtual ~CSettingsStore() = default;
    virtual std::string readString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) const = 0;
    virtual void writeString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    virtual int readInt(const std::string& section, const std::string& name,
                        int defaultValue) const = 0;
    virtual void writeInt(const std::string& section, const std::string& name, int value) = 0;
    virtual void deleteValue(const std::string& section, const std::string& name) = 0;
};
