#include "ui/common/ExactDistributions.h"

#include "platform/CSettingsStore.h"
#include "platform/Platform.h"

namespace {

const char* const Section = "Application";
const char* const Name = "Exact Distributions";

} // namespace

bool ExactDistributionsStored()
{
    return Platform::settings().readInt(Section, Name, 0) == 1;
}

void StoreExactDistributions(bool exact)
{
    Platform::settings().writeInt(Section, Name, exact ? 1 : 0);
}

CalcMethod StoredCalcMethod()
{
    return ExactDistributionsStored() ? CalcMethod::Exact : CalcMethod::Approximate;
}
