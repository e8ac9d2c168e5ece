#include "ui/common/ProportionTestChoice.h"

#include "platform/CSettingsStore.h"
#include "platform/Platform.h"

namespace {

const char* const Section = "Application";
const char* const Name = "Proportion Test";

} // namespace

ProportionTest StoredProportionTest()
{
    ProportionTest test = ProportionTest::ChiSquare;
    ProportionTestFromCode(Platform::settings().readInt(Section, Name, 0), test);
    return test;
}

void StoreProportionTest(ProportionTest test)
{
    Platform::settings().writeInt(Section, Name, static_cast<int>(test));
}
