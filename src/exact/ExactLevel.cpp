#include "exact/ExactLevel.h"

ExactLevel ExactLevel::FromStored(double storedAlpha, bool twoTailed)
{
    return ExactLevel{twoTailed ? storedAlpha : storedAlpha / 2, twoTailed};
}

double ExactLevel::TailProbability() const
{
    return twoTailed ? alpha / 2 : alpha;
}

bool ExactLevel::Admits(double power) const
{
    // No effect has a power at or below the level: at effect 0 the power is alpha itself.
    return alpha > 0 && alpha < 1 && power > alpha && power < 1;
}
