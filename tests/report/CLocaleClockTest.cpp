#include "report/CLocaleClock.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <locale>
#include <regex>
#include <stdexcept>
#include <string>

namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class CScopedEnv
{
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* old = getenv(name);
        m_had = old != nullptr;
        if (m_had)
            m_old = old;
        setenv(name, value, 1);
    }
    ~CScopedEnv()
    {
        if (m_had)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

// Noon on 1 July 2026 UTC: the same month and year in every time zone.
std::time_t midsummer2026()
{
    return 1782907200;
}

// What "%c" gives in the classic locale, e.g. "Mon Dec  7 23:51:19 2026".
const std::regex kClassic(R"(^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] \d\d:\d\d:\d\d \d{4}$)");

TEST(CLocaleClockTest, UnknownUserLocaleFallsBackToClassic)
{
    CScopedEnv env("LC_ALL", "xx_NOWHERE.UTF-8");
    const std::string now = CLocaleClock(midsummer2026).now();
    EXPECT_TRUE(std::regex_match(now, kClassic)) << now;
    EXPECT_EQ(now.substr(4, 3), "Jul") << now;
    EXPECT_EQ(now.substr(now.size() - 4), "2026") << now;
}

TEST(CLocaleClockTest, LeavesTheProcessLocaleAlone)
{
    const std::string before = setlocale(LC_ALL, nullptr);
    // A user locale different from the process's "C", so that switching to it would show.
    CScopedEnv env("LC_ALL", "C.UTF-8");
    CLocaleClock().now();
    EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
}

TEST(CLocaleClockTest, FollowsTheUserLocale)
{
    try {
        std::locale probe("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CScopedEnv env("LC_ALL", "de_DE.UTF-8");
    const std::string now = CLocaleClock(midsummer2026).now();
    // German date and time: day before month, e.g. "Mo 07 Dez 2026 23:51:19 UTC".
    EXPECT_TRUE(std::regex_search(now, std::regex(R"(^\S+ \d\d \S+ \d{4} \d\d:\d\d:\d\d)"))) << now;
    EXPECT_FALSE(std::regex_match(now, kClassic)) << now;
    EXPECT_NE(now.find(" Jul 2026 "), std::string::npos) << now;
}

TEST(CLocaleClockTest, WithoutASourceReadsTheSystemClock)
{
    // The year is read on both sides of the call, so a run across New Year still passes.
    const auto year = [] {
        const std::time_t seconds = std::time(nullptr);
        std::tm local{};
        localtime_r(&seconds, &local);
        return std::to_string(local.tm_year + 1900);
    };
    CScopedEnv env("LC_ALL", "C");
    const std::string before = year();
    const std::string now = CLocaleClock().now();
    const std::string after = year();
    EXPECT_TRUE(now.find(before) != std::string::npos || now.find(after) != std::string::npos)
        << now;
}

} // namespace
