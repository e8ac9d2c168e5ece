#include "engine/detail/CCriticalFCache.h"

#include "engine/Distributions.h"
#include "engine/detail/FTailDetail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace {

TEST(CCriticalFCacheTest, DropsTheOldestEntryWhenFull)
{
    CCriticalFCache cache(3);
    cache.insert(0.05, 1, 10, 4.96);
    cache.insert(0.05, 2, 10, 4.10);
    cache.insert(0.05, 3, 10, 3.71);
    cache.insert(0.05, 2, 10, 99); // already held: neither replaced nor counted again
    cache.insert(0.05, 4, 10, 3.48);
    EXPECT_EQ(cache.size(), 3u);
    EXPECT_FALSE(cache.find(0.05, 1, 10).has_value());
    EXPECT_EQ(cache.find(0.05, 2, 10), 4.10);
    EXPECT_EQ(cache.find(0.05, 4, 10), 3.48);
    EXPECT_FALSE(cache.find(0.01, 4, 10).has_value());

    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_FALSE(cache.find(0.05, 4, 10).has_value());
}

TEST(CCriticalFCacheTest, KeepsNaNKeysApartAndStoresNothingWithoutCapacity)
{
    CCriticalFCache cache(4);
    const double nan = std::nan("");
    cache.insert(nan, 2, 10, 1);
    cache.insert(0.05, nan, 10, 2);
    EXPECT_EQ(cache.find(nan, 2, 10), 1.0);
    EXPECT_EQ(cache.find(0.05, nan, 10), 2.0);
    EXPECT_FALSE(cache.find(0.05, 2, 10).has_value());

    CCriticalFCache none(0);
    none.insert(0.05, 2, 10, 1);
    EXPECT_EQ(none.size(), 0u);
}

TEST(CCriticalFCacheTest, CriticalFRemembersEachTripleOnce)
{
    engine_detail::ClearCriticalFCache();
    EXPECT_EQ(engine_detail::CriticalFCacheSize(), 0u);
    const double first = CriticalF(0.05, 19, 19980);
    EXPECT_EQ(engine_detail::CriticalFCacheSize(), 1u);
    EXPECT_EQ(CriticalF(0.05, 19, 19980), first);
    EXPECT_EQ(engine_detail::CriticalFCacheSize(), 1u);
    EXPECT_EQ(first, engine_detail::CriticalFBisection(0.05, 19, 19980, FUpperTail));
    CriticalF(0.01, 19, 19980);
    EXPECT_EQ(engine_detail::CriticalFCacheSize(), 2u);
}

TEST(CCriticalFCacheTest, ConcurrentCallersGetTheUncachedValues)
{
    std::vector<double> df2s;
    for (double df2 = 5; df2 < 2e7; df2 *= 3.7)
        df2s.push_back(std::floor(df2));
    std::vector<double> expected;
    for (double df2 : df2s)
        expected.push_back(engine_detail::CriticalFBisection(0.05, 7, df2, FUpperTail));

    engine_detail::ClearCriticalFCache();
    std::vector<std::vector<double>> results(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] {
            for (int pass = 0; pass < 3; ++pass)
                for (std::size_t i = 0; i < df2s.size(); ++i)
                    results[t].push_back(CriticalF(0.05, 7, df2s[(i + t) % df2s.size()]));
        });
    for (std::thread& thread : threads)
        thread.join();

    for (std::size_t t = 0; t < results.size(); ++t)
        for (std::size_t k = 0; k < results[t].size(); ++k)
            EXPECT_EQ(results[t][k], expected[(k % df2s.size() + t) % df2s.size()]);
    EXPECT_EQ(engine_detail::CriticalFCacheSize(), df2s.size());
}

} // namespace
