#include "platform/CMemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(CMemorySettingsStoreTest, ReadsWritesAndDeletesBySectionAndName)
{
    CMemorySettingsStore store;
    EXPECT_EQ(store.readString("Application", "Sample Size Powers", "dflt"), "dflt");
    store.writeString("Application", "Sample Size Powers", "90,80");
    store.writeString("ShowStyle", "Sample Size Powers", "other section");
    EXPECT_EQ(store.readString("Application", "Sample Size Powers", ""), "90,80");
    store.deleteValue("Application", "Sample Size Powers");
    EXPECT_FALSE(store.contains("Application", "Sample Size Powers"));
    EXPECT_EQ(store.readString("ShowStyle", "Sample Size Powers", ""), "other section");
}

TEST(CMemorySettingsStoreTest, IntegersThatDoNotParseReadAsTheDefault)
{
    CMemorySettingsStore store;
    store.writeInt("ShowStyle", "cx", -800);
    EXPECT_EQ(store.readInt("ShowStyle", "cx", 7), -800);
    const char* bad[] = {"", "12px", "99999999999999999999", " "};
    for (const char* text : bad) {
        store.writeString("ShowStyle", "cx", text);
        EXPECT_EQ(store.readInt("ShowStyle", "cx", 7), 7) << '"' << text << '"';
    }
}

} // namespace
