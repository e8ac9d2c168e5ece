#include "calc/CProportionPowerCache.h"

const CProportionPower& CProportionPowerCache::Get(int n1, int n2, const ExactLevel& level,
                                                   ProportionTest test) const
{
    for (const auto& entry : m_entries)
        if (entry->FirstSize() == n1 && entry->SecondSize() == n2 && entry->Test() == test &&
            entry->Level().alpha == level.alpha && entry->Level().twoTailed == level.twoTailed)
            return *entry;
    if (m_entries.size() >= MaxEntries)
        m_entries.clear();
    m_entries.push_back(std::make_unique<CProportionPower>(n1, n2, level, test));
    return *m_entries.back();
}
