#include "engine/detail/CCriticalFCache.h"

#include <cstring>

CCriticalFCache::CCriticalFCache(std::size_t capacity) : m_capacity(capacity) {}

CCriticalFCache::Key CCriticalFCache::keyOf(double alpha, double df1, double df2)
{
    // Bit patterns order every value, NaN included, so the map's ordering stays strict.
    Key key;
    const double parts[3] = {alpha, df1, df2};
    for (int i = 0; i < 3; ++i)
        std::memcpy(&key[i], &parts[i], sizeof(double));
    return key;
}

std::optional<double> CCriticalFCache::find(double alpha, double df1, double df2) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_values.find(keyOf(alpha, df1, df2));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void CCriticalFCache::insert(double alpha, double df1, double df2, double value)
{
    if (m_capacity == 0)
        return;
    const Key key = keyOf(alpha, df1, df2);
    std::lock_guard<std::mutex> lock(m_mutex);
    // Another thread may have computed the same value meanwhile.
    if (!m_values.emplace(key, value).second)
        return;
    m_order.push_back(key);
    if (m_order.size() > m_capacity) {
        m_values.erase(m_order.front());
        m_order.pop_front();
    }
}

void CCriticalFCache::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values.clear();
    m_order.clear();
}

std::size_t CCriticalFCache::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_values.size();
}
