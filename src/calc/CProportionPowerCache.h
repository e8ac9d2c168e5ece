#pragma once

#include "exact/CProportionPower.h"

#include <memory>
#include <vector>

/// The exact powers a proportions calculator has asked for, kept by sizes, level and test so
/// that a table builds each rejection region once (a row of a table shares one). A copy
/// starts empty.
class CProportionPowerCache
{
public:
    CProportionPowerCache() = default;
    CProportionPowerCache(const CProportionPowerCache&) {}
    CProportionPowerCache& operator=(const CProportionPowerCache&) { return *this; }

    /// The power of test with n1 and n2 subjects at level, built on first use.
    const CProportionPower& Get(int n1, int n2, const ExactLevel& level, ProportionTest test) const;

private:
    // More entries than a table has rows; past it the cache starts again.
    static constexpr std::size_t MaxEntries = 128;
    mutable std::vector<std::unique_ptr<CProportionPower>> m_entries;
};
