#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

// Thread-safe memo of critical F values keyed by the exact bits of (alpha, df1, df2). Holds at
// most `capacity` entries; when full, the oldest entry makes room for the new one.
class CCriticalFCache
{
public:
    explicit CCriticalFCache(std::size_t capacity);

    std::optional<double> find(double alpha, double df1, double df2) const;
    void insert(double alpha, double df1, double df2, double value);
    void clear();
    std::size_t size() const;

private:
    using Key = std::array<std::uint64_t, 3>;
    static Key keyOf(double alpha, double df1, double df2);

    mutable std::mutex m_mutex;
    std::size_t m_capacity;
    std::map<Key, double> m_values;
    std::deque<Key> m_order; // oldest first
};
