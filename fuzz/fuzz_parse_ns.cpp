// Feeds arbitrary text to ParseNs. A refused text must leave the list untouched; an
// accepted one must give 1 to 100 strictly ascending sizes from 2 to 1,000,000 that survive
// a round trip through their text form exactly.
#include "CFuzzCalculator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzCalculator calc;
    calc.m_reportErrors = false;
    const int before[3] = {5, 17, 400};
    for (int i = 0; i < 3; ++i)
        calc.SetN(i, before[i]);
    calc.m_nNs = 3;

    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!calc.ParseNs(text)) {
        fuzzCheck(calc.m_nNs == 3 && std::memcmp(calc.m_ns, before, sizeof before) == 0,
                  "refused text leaves the list unchanged");
        return 0;
    }
    fuzzCheck(calc.m_nNs >= 1 && calc.m_nNs <= 100, "size count in 1..100");
    for (int i = 0; i < calc.m_nNs; ++i) {
        fuzzCheck(calc.m_ns[i] >= 2 && calc.m_ns[i] <= 1000000, "size in range");
        if (i > 0)
            fuzzCheck(calc.m_ns[i - 1] < calc.m_ns[i], "sizes strictly ascending");
    }

    int parsed[100];
    const int count = calc.m_nNs;
    std::memcpy(parsed, calc.m_ns, sizeof parsed);
    std::string formatted;
    calc.FormatNs(formatted);
    fuzzCheck(calc.ParseNs(formatted), "formatted sizes parse again");
    fuzzCheck(calc.m_nNs == count && std::memcmp(calc.m_ns, parsed, count * sizeof(int)) == 0,
              "sizes survive their text form");
    return 0;
}
