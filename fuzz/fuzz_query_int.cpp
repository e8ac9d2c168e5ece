// Feeds an arbitrary key and query to QueryInt and compares it with a plain reference: the
// first key, the first "=" after it, then strtol's base-10 reading, -1 outside int.
#include "CFuzzCalculator.h"
#include "calc/Query.h"

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

int referenceQueryInt(const std::string& query, const std::string& key)
{
    const size_t found = query.find(key);
    if (found == std::string::npos)
        return -1;
    const size_t equals = query.find('=', found + key.size());
    if (equals == std::string::npos)
        return -1;
    errno = 0;
    const long long value = std::strtoll(query.c_str() + equals + 1, nullptr, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return -1;
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte gives the key's length; both texts end at their first NUL, as the C
    // strings that reach QueryInt do.
    const size_t keyLength = data[0] % 8;
    if (size - 1 < keyLength)
        return 0;
    const std::string keyBytes(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string queryBytes(reinterpret_cast<const char*>(data + 1 + keyLength),
                                 size - 1 - keyLength);
    const std::string key(keyBytes.c_str());
    const std::string query(queryBytes.c_str());

    fuzzCheck(QueryInt(nullptr, key.c_str()) == -1, "null query gives -1");
    fuzzCheck(QueryInt(query.c_str(), nullptr) == -1, "null key gives -1");
    fuzzCheck(QueryInt(query.c_str(), key.c_str()) == referenceQueryInt(query, key),
              "QueryInt agrees with the reference");
    return 0;
}
