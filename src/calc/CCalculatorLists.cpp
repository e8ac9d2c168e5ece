// The lists of powers and sample sizes of CCalculator: parsing, text form and the stored
// defaults every new calculator starts with.
#include "calc/CCalculator.h"

#include "platform/CSettingsStore.h"
#include "calc/Formatting.h"
#include "calc/ListScanners.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"

namespace {

const char* const SettingsSection = "Application";

const double DefaultSamplePowers[] = {99, 95, 90, 80, 50};
const int DefaultSampleSeries[] = {3,  4,  5,   6,   7,   8,   9,   10,  12,  14,
                                   16, 18, 20,  25,  30,  35,  40,  50,  60,  70,
                                   80, 90, 100, 150, 200, 300, 400, 500, 1000};
const double DefaultPowerPowers[] = {99, 95, 90, 85, 80, 75, 70, 60, 50, 40, 30, 20, 10};

template <typename T, int N> constexpr int countOf(const T (&)[N])
{
    return N;
}

} // namespace

bool CCalculator::ParsePowers(const std::string& text)
{
    double values[MaxListSize];
    int count = 0;
    if (const char* message = scanPowerList(text, values, count))
        return ReportError(message);
    StorePowers(values, count);
    return true;
}

bool CCalculator::ParseNs(const std::string& text)
{
    int values[MaxListSize];
    int count = 0;
    if (const char* message = scanSampleSizeList(text, values, count))
        return ReportError(message);
    StoreNs(values, count);
    return true;
}

void CCalculator::FormatPowers(std::string& out) const
{
    out.clear();
    std::string number;
    for (int i = 0; i < m_nPowers; ++i) {
        FormatNumber(m_powers[i], number);
        if (i > 0)
            out += ',';
        out += number;
    }
}

void CCalculator::FormatNs(std::string& out) const
{
    out.clear();
    for (int i = 0; i < m_nNs; ++i) {
        if (i > 0)
            out += ',';
        out += std::to_string(m_ns[i]);
    }
}

void CCalculator::StorePowers(const double* values, int count)
{
    m_nPowers = 0;
    for (int i = 0; i < count; ++i) {
        SetPower(m_nPowers, values[i]);
        ++m_nPowers;
    }
}

void CCalculator::StoreNs(const int* values, int count)
{
    m_nNs = 0;
    for (int i = 0; i < count; ++i) {
        SetN(m_nNs, values[i]);
        ++m_nNs;
    }
}

void CCalculator::LoadSampleDefaults()
{
    CSettingsStore& store = Platform::settings();
    m_reportErrors = false;
    const std::string powers =
        store.readString(SettingsSection, LoadString(IDS_SETTING_SAMPLE_POWERS), "");
    if (powers.empty() || !ParsePowers(powers)) {
        StorePowers(DefaultSamplePowers, countOf(DefaultSamplePowers));
        store.deleteValue(SettingsSection, LoadString(IDS_SETTING_SAMPLE_POWERS));
    }
    const std::string series =
        store.readString(SettingsSection, LoadString(IDS_SETTING_SAMPLE_SERIES), "");
    if (series.empty() || !ParseNs(series)) {
        StoreNs(DefaultSampleSeries, countOf(DefaultSampleSeries));
        store.deleteValue(SettingsSection, LoadString(IDS_SETTING_SAMPLE_SERIES));
    }
    m_reportErrors = true;
}

void CCalculator::LoadPowerDefaults()
{
    CSettingsStore& store = Platform::settings();
    m_reportErrors = false;
    const std::string powers =
        store.readString(SettingsSection, LoadString(IDS_SETTING_POWER_POWERS), "");
    if (powers.empty() || !ParsePowers(powers)) {
        StorePowers(DefaultPowerPowers, countOf(DefaultPowerPowers));
        store.deleteValue(SettingsSection, LoadString(IDS_SETTING_POWER_POWERS));
    }
    m_nNs = 1;
    m_ns[0] = 0;
    m_reportErrors = true;
}
