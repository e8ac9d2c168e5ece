// Feeds arbitrary text to ParsePowers. A refused text must leave the list untouched; an
// accepted one must give 1 to 100 strictly descending powers in range, and its text form
// must parse again to a list whose text form no longer changes.
#include "CFuzzCalculator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

void checkList(const CCalculator& calc)
{
    fuzzCheck(calc.m_nPowers >= 1 && calc.m_nPowers <= 100, "power count in 1..100");
    for (int i = 0; i < calc.m_nPowers; ++i) {
        const double p = calc.m_powers[i];
        fuzzCheck(p >= 1e-12 && p <= 99.999999999999, "power in range");
        fuzzCheck(std::isfinite(calc.m_zPowers[i]), "finite z of power");
        if (i > 0)
            fuzzCheck(calc.m_powers[i - 1] > p, "powers strictly descending");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzCalculator calc;
    calc.m_reportErrors = false;
    const double before[3] = {91, 42, 7};
    for (int i = 0; i < 3; ++i)
        calc.SetPower(i, before[i]);
    calc.m_nPowers = 3;

    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!calc.ParsePowers(text)) {
        fuzzCheck(calc.m_nPowers == 3 && std::memcmp(calc.m_powers, before, sizeof before) == 0,
                  "refused text leaves the list unchanged");
        return 0;
    }
    checkList(calc);

    std::string first, second, third;
    calc.FormatPowers(first);
    fuzzCheck(calc.ParsePowers(first), "formatted powers parse again");
    checkList(calc);
    calc.FormatPowers(second);
    fuzzCheck(calc.ParsePowers(second), "formatted powers parse a second time");
    calc.FormatPowers(third);
    fuzzCheck(second == third, "text form is stable after one round trip");
    return 0;
}
