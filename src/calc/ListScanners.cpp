#include "calc/ListScanners.h"

#include "calc/Formatting.h"

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

constexpr const char* TooManyPowers =
    "Too many powers in the list.\nNumber of powers must be less than 100.";
constexpr const char* PowerNotAboveZero =
    "Power must be greater than zero.\nEnter correct value in the field, and try again.";
constexpr const char* PowerNotBelow100 =
    "Power must be less than 100.\nEnter correct value in the field, and try again.";
constexpr const char* TwoDecimalPoints =
    "You entered a value with two decimal points.\nEnter correct value in the field, and try "
    "again.";
constexpr const char* BadPowerSymbol =
    "Bad symbol encountered in power list.\nEnter correct value in the field, and try again.";

constexpr const char* TooManySizes =
    "Too many samples in the list.\nNumber of samples must be less than 100.";
constexpr const char* NegativeSize = "Cannot convert a number in samples list";
constexpr const char* SizeBelow2 = "Sample size must be positive integer greater than 1.\nEnter "
                                   "correct value in the field and try again.";
constexpr const char* SizeAboveMillion = "Zentrima cannot do calculations for sample sizes greater "
                                         "than 1,000,000.\nReenter the list of Ns.";
constexpr const char* BadSizeSymbol = "Bad symbol encountered in sample size list.\nEnter correct "
                                      "value in the field, and try again.";

// What tells the two lists apart: how an item's value is read and checked, and which
// characters besides digits and the comma an item may hold.
class CPowerRules
{
public:
    using Value = double;
    static constexpr const char* TooMany = TooManyPowers;
    static constexpr const char* Empty = PowerNotAboveZero;

    const char* readItem(const char* text, double& value)
    {
        points = 0;
        value = parseDoubleInCLocale(text, nullptr);
        if (!(value >= 1e-12))
            return PowerNotAboveZero;
        if (value > 99.999999999999)
            return PowerNotBelow100;
        return nullptr;
    }
    const char* checkOther(char c)
    {
        if (c != '.')
            return BadPowerSymbol;
        return ++points > 1 ? TwoDecimalPoints : nullptr;
    }

private:
    int points = 0;
};

class CSampleSizeRules
{
public:
    using Value = int;
    static constexpr const char* TooMany = TooManySizes;
    static constexpr const char* Empty = SizeBelow2;

    const char* readItem(const char* text, int& value)
    {
        // Read without atoi's overflow: a number beyond any int keeps its sign, so a huge
        // size is "too large" and a huge negative one is still negative.
        const long long read = parseLeadingInteger(text);
        if (read < 0)
            return NegativeSize;
        if (read < 2)
            return SizeBelow2;
        if (read > 1000000)
            return SizeAboveMillion;
        value = static_cast<int>(read);
        return nullptr;
    }
    const char* checkOther(char) { return BadSizeSymbol; }
};

template <typename Rules>
const char* scanList(const std::string& text, typename Rules::Value (&values)[MaxItems], int& count)
{
    Rules rules;
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
        } else if (c == ',') {
            // Ends an item, or is an empty item at the start of one.
            ++i;
            state = State::Between;
        } else if (state == State::Start) {
            if (count == MaxItems)
                return Rules::TooMany;
            typename Rules::Value value;
            if (const char* message = rules.readItem(s + i, value))
                return message;
            if (std::find(values, values + count, value) == values + count)
                values[count++] = value;
            // The item's characters are checked from its first one on.
            state = State::Inside;
        } else if (c >= '0' && c <= '9') {
            ++i;
        } else if (const char* message = rules.checkOther(c)) {
            return message;
        } else {
            ++i;
        }
    }
    return count == 0 ? Rules::Empty : nullptr;
}

} // namespace

const char* scanPowerList(const std::string& text, double (&values)[100], int& count)
{
    const char* message = scanList<CPowerRules>(text, values, count);
    if (message == nullptr)
        std::sort(values, values + count, std::greater<double>());
    return message;
}

const char* scanSampleSizeList(const std::string& text, int (&values)[100], int& count)
{
    const char* message = scanList<CSampleSizeRules>(text, values, count);
    if (message == nullptr)
        std::sort(values, values + count);
    return message;
}
