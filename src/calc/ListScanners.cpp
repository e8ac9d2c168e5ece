#include "ListScanners.h"

#include "Formatting.h"

#include <algorithm>
#include <functional>

// Both lists are read by the same three-state scanner: between items (spaces skipped),
// at the start of an item (the value is converted and checked before its characters are),
// and inside an item (only the characters of a number may follow). A space between a
// value and its comma is therefore a bad symbol, and an empty item is ignored.

namespace {

enum class State
{
    Between,
    Start,
    Inside
};

constexpr int MaxItems = 100;

const char* const TooManyPowers =
    "Too many powers in the list.\nNumber of powers must be less than 100.";
const char* const PowerNotAboveZero =
    "Power must be greater than zero.\nEnter correct value in the field, and try again.";
const char* const PowerNotBelow100 =
    "Power must be less than 100.\nEnter correct value in the field, and try again.";
const char* const TwoDecimalPoints =
    "You entered a value with two decimal points.\nEnter correct value in the field, and try "
    "again.";
const char* const BadPowerSymbol =
    "Bad symbol encountered in power list.\nEnter correct value in the field, and try again.";

const char* const TooManySizes =
    "Too many samples in the list.\nNumber of samples must be less than 100.";
const char* const NegativeSize = "Cannot convert a number in samples list";
const char* const SizeBelow2 = "Sample size must be positive integer greater than 1.\nEnter "
                               "correct value in the field and try again.";
const char* const SizeAboveMillion = "Zentrima cannot do calculations for sample sizes greater "
                                     "than 1,000,000.\nReenter the list of Ns.";
const char* const BadSizeSymbol = "Bad symbol encountered in sample size list.\nEnter correct "
                                  "value in the field, and try again.";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

template <typename T> void addDistinct(T value, T (&values)[MaxItems], int& count)
{
    if (std::find(values, values + count, value) == values + count)
        values[count++] = value;
}

} // namespace

const char* scanPowerList(const std::string& text, double (&values)[100], int& count)
{
    count = 0;
    State state = State::Between;
    int points = 0;
    const char* const s = text.c_str();
    const size_t length = text.size();
    size_t i = 0;
    while (i < length) {
        const char c = s[i];
        if (state == State::Between) {
            if (c == ' ')
                ++i;
            else
                state = State::Start;
        } else if (state == State::Start) {
            if (c == ',') {
                ++i;
                state = State::Between;
                continue;
            }
            if (count == MaxItems)
                return TooManyPowers;
            const double value = parseDoubleInCLocale(s + i, nullptr);
            if (!(value >= 1e-12))
                return PowerNotAboveZero;
            if (value > 99.999999999999)
                return PowerNotBelow100;
            addDistinct(value, values, count);
            points = 0;
            state = State::Inside;
        } else if (c == '.') {
            if (++points > 1)
                return TwoDecimalPoints;
            ++i;
        } else if (c == ',') {
            ++i;
            state = State::Between;
        } else if (isDigit(c)) {
            ++i;
        } else {
            return BadPowerSymbol;
        }
    }
    if (count == 0)
        return PowerNotAboveZero;
    std::sort(values, values + count, std::greater<double>());
    return nullptr;
}

const char* scanSampleSizeList(const std::string& text, int (&values)[100], int& count)
{
    count = 0;
    State state = State::Between;
    const char* const s = text.c_str();
    const size_t length = text.size();
    size_t i = 0;
    while (i < length) {
        const char c = s[i];
        if (state == State::Between) {
            if (c == ' ')
                ++i;
            else
                state = State::Start;
        } else if (state == State::Start) {
            if (c == ',') {
                ++i;
                state = State::Between;
                continue;
            }
            if (count == MaxItems)
                return TooManySizes;
            // Read without atoi's overflow: a number beyond any int keeps its sign, so a
            // huge size is "too large" and a huge negative one is still negative.
            const long long value = parseLeadingInteger(s + i);
            if (value < 0)
                return NegativeSize;
            if (value < 2)
                return SizeBelow2;
            if (value > 1000000)
                return SizeAboveMillion;
            addDistinct(static_cast<int>(value), values, count);
            state = State::Inside;
        } else if (c == ',') {
            ++i;
            state = State::Between;
        } else if (isDigit(c)) {
            ++i;
        } else {
            return BadSizeSymbol;
        }
    }
    if (count == 0)
        return SizeBelow2;
    std::sort(values, values + count);
    return nullptr;
}
