#include "platform/CIniMachineRegistry.h"

#include "platform/CMemoryMachineRegistry.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/CRecordingProcessLauncher.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* const kOpenKey = "SOFTWARE\\Classes\\Vorla4.Document\\shell\\open\\command";

class CIniMachineRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zentrima-registry-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_folder = pattern;
        m_file = m_folder + "/machine.ini";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void write(const std::string& text) const { std::ofstream(m_file, std::ios::binary) << text; }

    std::string m_folder;
    std::string m_file;
};

TEST_F(CIniMachineRegistryTest, FindsValuesByKeyPathAndName)
{
    write("; machine-wide values\n"
          "Stray=before any key\n"
          "[SOFTWARE\\Classes\\Vorla4.Document\\shell\\open\\command]\n"
          "@=\"/opt/vorla 4/vorla\" \"%1\"\n"
          "[SOFTWARE/Other]\r\n"
          "  Name  =  two words  \r\n"
          "# a comment = not a value\n"
          "Twice=first\n"
          "Twice=second\n"
          "Equals=a=b\n"
          "Empty=\n");
    CIniMachineRegistry registry(m_file);
    struct Case
    {
        const char* key;
        const char* name;
        bool found;
        const char* value;
    } cases[] = {
        {kOpenKey, "", true, "\"/opt/vorla 4/vorla\" \"%1\""},
        {"software/classes/VORLA4.document/shell/open/command", "", true,
         "\"/opt/vorla 4/vorla\" \"%1\""},
        {"\\SOFTWARE\\Other\\", "name", true, "two words"},
        {"SOFTWARE\\Other", "Twice", true, "second"},
        {"SOFTWARE\\Other", "Equals", true, "a=b"},
        {"SOFTWARE\\Other", "Empty", true, ""},
        {"SOFTWARE\\Other", "", false, ""},
        {"SOFTWARE\\Other", "# a comment", false, ""},
        {"SOFTWARE\\Other", "Stray", false, ""},
        {kOpenKey, "Name", false, ""},
        {"SOFTWARE\\Classes", "", false, ""},
    };
    for (const Case& c : cases) {
        std::string value = "untouched";
        EXPECT_EQ(registry.readString(c.key, c.name, value), c.found) << c.key << " " << c.name;
        EXPECT_EQ(value, c.found ? c.value : "untouched") << c.key << " " << c.name;
    }
}

TEST_F(CIniMachineRegistryTest, AMissingFileHoldsNoKey)
{
    CIniMachineRegistry registry(m_folder + "/absent.ini");
    std::string value;
    EXPECT_FALSE(registry.readString(kOpenKey, "", value));
}

TEST_F(CIniMachineRegistryTest, TheEnvironmentVariableNamesTheFileAtEachLookup)
{
    const char* before = std::getenv(CIniMachineRegistry::EnvironmentVariable);
    const std::string saved = before ? before : "";
    CIniMachineRegistry registry;
    ::setenv(CIniMachineRegistry::EnvironmentVariable, m_file.c_str(), 1);
    EXPECT_EQ(registry.filePath(), m_file);
    std::string value;
    EXPECT_FALSE(registry.readString("Key", "", value));
    write("[Key]\n@=installed later\n");
    EXPECT_TRUE(registry.readString("Key", "", value));
    EXPECT_EQ(value, "installed later");
    ::unsetenv(CIniMachineRegistry::EnvironmentVariable);
    EXPECT_EQ(registry.filePath(), CIniMachineRegistry::SystemFile);
    if (before)
        ::setenv(CIniMachineRegistry::EnvironmentVariable, saved.c_str(), 1);
}

TEST(CMemoryMachineRegistryTest, ComparesPathsAndNamesAsTheFileDoes)
{
    CMemoryMachineRegistry registry;
    registry.setString("SOFTWARE\\Classes\\X", "", "default");
    registry.setString("SOFTWARE\\Classes\\X", "Named", "named");
    std::string value;
    EXPECT_TRUE(registry.readString("software/classes/x/", "", value));
    EXPECT_EQ(value, "default");
    EXPECT_TRUE(registry.readString("SOFTWARE\\Classes\\X", "NAMED", value));
    EXPECT_EQ(value, "named");
    EXPECT_FALSE(registry.readString("SOFTWARE\\Classes", "", value));
}

TEST(PlatformServicesTest, RegistryAndLauncherFollowTheScope)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CMemoryMachineRegistry registry;
    CRecordingProcessLauncher launcher;
    CMachineRegistry* defaultRegistry = &Platform::registry();
    CProcessLauncher* defaultLauncher = &Platform::launcher();
    {
        CScopedPlatform scope(&store, &sink, nullptr, nullptr, &registry, &launcher);
        EXPECT_EQ(&Platform::registry(), &registry);
        EXPECT_EQ(&Platform::launcher(), &launcher);
        {
            CScopedPlatform inner(&store, &sink);
            EXPECT_EQ(&Platform::registry(), defaultRegistry);
            EXPECT_EQ(&Platform::launcher(), defaultLauncher);
        }
        EXPECT_EQ(&Platform::registry(), &registry);
    }
    EXPECT_EQ(&Platform::registry(), defaultRegistry);
    Platform::setRegistry(&registry);
    Platform::setLauncher(&launcher);
    Platform::reset();
    EXPECT_EQ(&Platform::registry(), defaultRegistry);
    EXPECT_EQ(&Platform::launcher(), defaultLauncher);
}

} // namespace
