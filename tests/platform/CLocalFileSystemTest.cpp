#include "platform/CLocalFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
        struct stat st
        {
        };
        ::lstat(path.c_str(), &st);
        return st.st_mode & 0777;
    }

    static std::string contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST_F(CLocalFileSystemTest, RepairsItsOwnOpenFolderAndRefusesAnyOtherEntry)
{
    // Our own folder that others may write to is closed again and kept.
    fs::create_directory(m_base + "/open");
    ::chmod((m_base + "/open").c_str(), 0777);
    EXPECT_EQ(CLocalFileSystem::makePrivateFolder(m_base, "open"), m_base + "/open/");
    EXPECT_EQ(mode(m_base + "/open"), 0700u);

    // A link, a file or a FIFO under the name is refused, and nothing new is made beside it
    // (a fresh folder at every start would never be removed and would split the single
    // instance).
    fs::create_directory(m_base + "/elsewhere");
    ::chmod((m_base + "/elsewhere").c_str(), 0755);
    fs::create_directory_symlink(m_base + "/elsewhere", m_base + "/link");
    std::ofstream(m_base + "/file") << "x";
    ::mkfifo((m_base + "/fifo").c_str(), 0600);
    for (const char* name : {"link", "file", "fifo"})
        EXPECT_EQ(CLocalFileSystem::makePrivateFolder(m_base, name), "") << name;
    // The folder behind the link was not "repaired" through it.
    EXPECT_EQ(mode(m_base + "/elsewhere"), 0755u);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_base))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"elsewhere", "fifo", "file", "link", "open"}));

    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    fs::create_directory(m_base + "/theirs");
    ASSERT_EQ(::chown((m_base + "/theirs").c_str(), 65534, 65534), 0);
    ::chmod((m_base + "/theirs").c_str(), 0700);
    EXPECT_EQ(CLocalFileSystem::makePrivateFolder(m_base, "theirs"), "");
}

// The same fixed folder at every start, whatever is in the way: a relative runtime folder is
// ignored, an unusable name in the runtime folder leads to the temporary folder, and a name
// planted there leads to the cache folder.
TEST_F(CLocalFileSystemTest, TempFolderFallsBackToFixedPlaces)
{
    const std::string uid = std::to_string(::geteuid());
    fs::create_directory(m_base + "/runtime");
    fs::create_directory(m_base + "/tmp");
    fs::create_directory(m_base + "/cache");
    ::setenv("TMPDIR", (m_base + "/tmp").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (m_base + "/cache").c_str(), 1);

    ::setenv("XDG_RUNTIME_DIR", "relative/runtime", 1);
    EXPECT_EQ(CLocalFileSystem().tempFolder(), m_base + "/tmp/zentrima-" + uid + "/");

    ::setenv("XDG_RUNTIME_DIR", (m_base + "/runtime").c_str(), 1);
    std::ofstream(m_base + "/runtime/zentrima") << "a file of the user's";
    for (int start = 0; start < 2; ++start)
        EXPECT_EQ(CLocalFileSystem().tempFolder(), m_base + "/tmp/zentrima-" + uid + "/");

    fs::remove_all(m_base + "/tmp/zentrima-" + uid);
    fs::create_directory_symlink(m_base + "/cache", m_base + "/tmp/zentrima-" + uid);
    for (int start = 0; start < 2; ++start)
        EXPECT_EQ(CLocalFileSystem().tempFolder(), m_base + "/cache/zentrima-" + uid + "/");

    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("TMPDIR");
    ::unsetenv("XDG_CACHE_HOME");
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

// The locked write: another holder of the lock leaves the file as it was and is told apart
// from a plain failure; a write after the holder lets go replaces the whole file.
TEST_F(CLocalFileSystemTest, LockedWriteWaitsForNoOneAndReplacesTheWholeFile)
{
    CLocalFileSystem files;
    const std::string path = m_base + "/script";
    {
        std::ofstream(path) << "a longer text the holder still reads";
    }
    const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(files.writeLockedPrivateFile(path, "new"), CFileSystem::LockedWrite::HeldElsewhere);
    EXPECT_EQ(contents(path), "a longer text the holder still reads");
    ::close(holder);
    EXPECT_EQ(files.writeLockedPrivateFile(path, "new"), CFileSystem::LockedWrite::Written);
    EXPECT_EQ(contents(path), "new");
    // A new file is the user's alone.
    EXPECT_EQ(files.writeLockedPrivateFile(m_base + "/new", ""), CFileSystem::LockedWrite::Written);
    EXPECT_EQ(mode(m_base + "/new"), 0600u);

    fs::create_directory(m_base + "/folder");
    EXPECT_EQ(files.writeLockedPrivateFile(m_base + "/folder", "x"),
              CFileSystem::LockedWrite::Failed);
    EXPECT_FALSE(files.writePrivateFile(m_base + "/folder", "x"));
}

// Reading: whole files, and block by block with a stop as soon as the reader has enough.
TEST_F(CLocalFileSystemTest, ReadsWholeFilesAndRegularFilesBlockByBlock)
{
    CLocalFileSystem files;
    const std::string path = m_base + "/data";
    const std::string bytes = std::string(3 << 20, 'x') + std::string("\0end", 4);
    ASSERT_TRUE(files.writePrivateFile(path, bytes));
    std::string read = "unchanged";
    ASSERT_TRUE(files.readFile(path, read));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(files.readFile(m_base + "/absent", read));
    EXPECT_EQ(read, bytes);

    std::vector<size_t> blocks;
    std::string joined;
    const auto all = [&](const unsigned char* data, size_t size) {
        blocks.push_back(size);
        joined.append(reinterpret_cast<const char*>(data), size);
        return true;
    };
    EXPECT_TRUE(files.readRegularFile(path, bytes.size(), all));
    EXPECT_EQ(joined, bytes);
    EXPECT_EQ(blocks, (std::vector<size_t>{1 << 20, 1 << 20, 1 << 20, 4}));

    int calls = 0;
    EXPECT_TRUE(files.readRegularFile(path, bytes.size(), [&](const unsigned char*, size_t) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);

    // One byte over the cap, a folder and a missing file are refused without a call.
    calls = 0;
    const auto count = [&](const unsigned char*, size_t) { return ++calls > 0; };
    EXPECT_FALSE(files.readRegularFile(path, bytes.size() - 1, count));
    EXPECT_FALSE(files.readRegularFile(m_base, 1ull << 30, count));
    EXPECT_FALSE(files.readRegularFile(m_base + "/absent", 1ull << 30, count));
    EXPECT_EQ(calls, 0);
}

} // namespace
