#include "CLocalFileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class CLocalFileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zentrima-fs-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
    }
    void TearDown() override { fs::remove_all(m_base); }

    static unsigned mode(const std::string& path)
    {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st.st_mode & 0777;
    }

    std::string m_base;
};

TEST_F(CLocalFileSystemTest, CreatesAPrivateFolder)
{
    std::string folder = CLocalFileSystem::makePrivateFolder(m_base, "zentrima");
    EXPECT_EQ(folder, m_base + "/zentrima/");
    EXPECT_EQ(mode(m_base + "/zentrima"), 0700u);
    // A second call reuses the folder it made.
    EXPECT_EQ(CLocalFileSystem::makePrivateFolder(m_base, "zentrima"), folder);
}

TEST_F(CLocalFileSystemTest, RefusesAPlantedOrOpenFolder)
{
    // A symbolic link planted under our name, and a folder others may write to, are both
    // passed over for a fresh private folder.
    fs::create_directory(m_base + "/elsewhere");
    fs::create_directory_symlink(m_base + "/elsewhere", m_base + "/zentrima");
    std::string folder = CLocalFileSystem::makePrivateFolder(m_base, "zentrima");
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder, m_base + "/zentrima/");
    EXPECT_EQ(folder.rfind(m_base + "/zentrima-", 0), 0u);
    EXPECT_EQ(mode(folder.substr(0, folder.size() - 1)), 0700u);

    fs::create_directory(m_base + "/open");
    ::chmod((m_base + "/open").c_str(), 0777);
    std::string other = CLocalFileSystem::makePrivateFolder(m_base, "open");
    EXPECT_NE(other, m_base + "/open/");
    EXPECT_EQ(mode(other.substr(0, other.size() - 1)), 0700u);
}

TEST_F(CLocalFileSystemTest, TempFolderFollowsTheRuntimeFolder)
{
    ::setenv("XDG_RUNTIME_DIR", m_base.c_str(), 1);
    CLocalFileSystem files;
    EXPECT_EQ(files.tempFolder(), m_base + "/zentrima/");
    ::unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(CLocalFileSystemTest, FileTestsAndProgramPath)
{
    CLocalFileSystem files;
    std::string path = m_base + "/a.txt";
    EXPECT_FALSE(files.fileExists(path));
    std::ofstream(path) << "x";
    EXPECT_TRUE(files.fileExists(path));
    EXPECT_FALSE(files.fileExists(m_base)); // a folder is not a file

    std::string program;
    ASSERT_TRUE(files.programFilePath(program));
    EXPECT_NE(program.find("platform_tests"), std::string::npos);
}

} // namespace
