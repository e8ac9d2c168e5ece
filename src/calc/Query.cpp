#include "calc/Query.h"

#include "calc/Formatting.h"

#include <climits>
#include <cstring>

int QueryInt(const char* query, const char* key)
{
    if (query == nullptr || key == nullptr)
        return -1;
    const char* found = std::strstr(query, key);
    if (found == nullptr)
        return -1;
    const char* equals = std::strchr(found + std::strlen(key), '=');
    if (equals == nullptr)
        return -1;
    const long long value = parseLeadingInteger(equals + 1);
    if (value < INT_MIN || value > INT_MAX)
        return -1;
    return static_cast<int>(value);
}

int QueryIndex(const char* query, const char* key, int count)
{
    const int index = QueryInt(query, key);
    return index >= 0 && index < count ? index : -1;
}
