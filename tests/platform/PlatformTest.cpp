#include "platform/Platform.h"

#include "platform/CBusyIndicator.h"
#include "platform/CFakeFileSystem.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"

#include <gtest/gtest.h>

namespace {

class CCountingBusy : public CBusyIndicator
{
public:
    void begin() override { ++depth; }
    void end() override { --depth; }
    int depth = 0;
};

TEST(PlatformTest, ScopedServicesAreRestoredAfterTheScope)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CFakeFileSystem files;
    CSettingsStore* before = &Platform::settings();
    {
        CScopedPlatform scope(&store, &sink, &files);
        EXPECT_EQ(&Platform::settings(), &store);
        EXPECT_EQ(&Platform::messages(), &sink);
        EXPECT_EQ(&Platform::files(), &files);
        {
            CMemorySettingsStore inner;
            CScopedPlatform nested(&inner, &sink);
            EXPECT_EQ(&Platform::settings(), &inner);
        }
        EXPECT_EQ(&Platform::settings(), &store);
    }
    EXPECT_EQ(&Platform::settings(), before);
}

TEST(PlatformTest, ResetRestoresTheDefaultsAndClearsTheDefaultStore)
{
    CRecordingMessageSink sink;
    Platform::setMessages(&sink);
    Platform::settings().writeString("Application", "x", "y");
    Platform::reset();
    EXPECT_NE(&Platform::messages(), &sink);
    EXPECT_EQ(Platform::settings().readString("Application", "x", ""), "");
}

TEST(PlatformTest, BusyScopeBalancesTheIndicator)
{
    CCountingBusy busy;
    Platform::setBusy(&busy);
    {
        CBusyScope outer;
        CBusyScope inner;
        EXPECT_EQ(busy.depth, 2);
    }
    EXPECT_EQ(busy.depth, 0);
    Platform::reset();
}

} // namespace
