#pragma once

#include "platform/CSettingsStore.h"

#include <map>
#include <string>
#include <utility>

/// A settings store held in memory: the default store of the core and the tests' double.
class CMemorySettingsStore : public CSettingsStore
{
public:
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    void writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;
    int readInt(const std::string& section, const std::string& name,
                int defaultValue) const override;
    void writeInt(const std::string& section, const std::string& name, int value) override;
    void deleteValue(const std::string& section, const std::string& name) override;

    bool contains(const std::string& section, const std::string& name) const;
    void clear() { m_values.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};
