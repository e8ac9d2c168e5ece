#include "platform/CMachineRegistry.h"

#include <string>

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string CMachineRegistry::normalizeKey(const std::string& key)
{
    std::string out;
    out.reserve(key.size());
    for (char c : key)
        out += c == '/' ? '\\' : lowerAscii(c);
    const size_t first = out.find_first_not_of('\\');
    if (first == std::string::npos)
        return std::string();
    const size_t last = out.find_last_not_of('\\');
    return out.substr(first, last - first + 1);
}

std::string CMachineRegistry::normalizeName(const std::string& name)
{
    std::string out(name);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}
