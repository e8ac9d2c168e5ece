#pragma once

#include "platform/CMachineRegistry.h"

#include <map>
#include <string>
#include <utility>

/// A machine-wide registry held in memory; the tests' double.
class CMemoryMachineRegistry : public CMachineRegistry
{
public:
    bool readString(const std::string& key, const std::string& name,
                    std::string& out) const override
    {
        auto it = m_values.find({normalizeKey(key), normalizeName(name)});
        if (it == m_values.end())
            return false;
        out = it->second;
        return true;
    }

    /// Sets value name of key; "" as name sets the key's default value.
    void setString(const std::string& key, const std::string& name, const std::string& value)
    {
        m_values[{normalizeKey(key), normalizeName(name)}] = value;
    }
    void clear() { m_values.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};
