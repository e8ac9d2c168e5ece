#include "platform/CIniMachineRegistry.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string CIniMachineRegistry::filePath() const
{
    if (!m_path.empty())
        return m_path;
    const char* overridden = std::getenv(EnvironmentVariable);
    return overridden != nullptr && *overridden != '\0' ? overridden : SystemFile;
}

bool CIniMachineRegistry::readString(const std::string& key, const std::string& name,
                                     std::string& out) const
{
    std::ifstream file(filePath(), std::ios::binary);
    if (!file)
        return false;
    const std::string wantedKey = normalizeKey(key);
    const std::string wantedName = name.empty() ? std::string("@") : normalizeName(name);
    bool inKey = false;
    bool found = false;
    std::string value;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            inKey = close != std::string::npos &&
                    normalizeKey(trimmed(line.substr(1, close - 1))) == wantedKey;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inKey || equals == std::string::npos)
            continue;
        if (normalizeName(trimmed(line.substr(0, equals))) == wantedName) {
            value = trimmed(line.substr(equals + 1));
            found = true;
        }
    }
    if (found)
        out = value;
    return found;
}
