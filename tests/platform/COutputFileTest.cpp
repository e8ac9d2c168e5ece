#include "platform/COutputFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const char* text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
}

// Writes text through a COutputFile at path; the error text when that fails.
std::string writeThrough(const std::string& path, const char* text)
{
    COutputFile output;
    std::string error;
    if (!output.open(path, stdout, error))
        return error;
    std::fputs(text, output.stream());
    if (!output.commit(error))
        return error;
    return std::string();
}

class COutputFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zentrima-output-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const std::string& name) const { return m_dir + "/" + name; }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string m_dir;
};

TEST_F(COutputFileTest, AnUncommittedPageLeavesTheOldFileAndNoTemporaryFile)
{
    writeAll(path("page.txt"), "old");
    {
        COutputFile output;
        std::string error;
        ASSERT_TRUE(output.open(path("page.txt"), stdout, error)) << error;
        std::fputs("half a page", output.stream());
    }
    EXPECT_EQ(readAll(path("page.txt")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"page.txt"});
}

TEST_F(COutputFileTest, CommitReplacesTheFileAndKeepsItsPermissions)
{
    writeAll(path("page.txt"), "old and longer");
    ASSERT_EQ(chmod(path("page.txt").c_str(), 0640), 0);
    EXPECT_EQ(writeThrough(path("page.txt"), "new"), "");
    EXPECT_EQ(readAll(path("page.txt")), "new");
    struct stat info;
    ASSERT_EQ(stat(path("page.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), std::vector<std::string>{"page.txt"});
}

TEST_F(COutputFileTest, AFolderNameOrAMissingFolderIsRefusedWithThePath)
{
    EXPECT_EQ(writeThrough(path("missing/page.txt"), "x"),
              "cannot write " + path("missing/page.txt") + ": No such file or directory");
    EXPECT_EQ(writeThrough(m_dir + "/", "x"), "cannot write " + m_dir + "/: Is a directory");
    EXPECT_TRUE(entries().empty());
}

// A link stays a link: the file it leads to (through a chain, relative or absolute, or not
// there yet) gets the new text.
TEST_F(COutputFileTest, ALinkKeepsPointingAtItsTargetWhichGetsTheNewText)
{
    std::filesystem::create_directory(path("real"));
    writeAll(path("real/page.txt"), "old");
    std::filesystem::create_symlink("real/page.txt", path("relative"));
    std::filesystem::create_symlink(path("relative"), path("chain"));
    std::filesystem::create_symlink("real/new.txt", path("dangling"));
    struct Case
    {
        const char* link;
        const char* target;
        const char* text;
    };
    for (const Case& c :
         {Case{"relative", "real/page.txt", "one"}, Case{"chain", "real/page.txt", "two"},
          Case{"dangling", "real/new.txt", "three"}}) {
        SCOPED_TRACE(c.link);
        EXPECT_EQ(writeThrough(path(c.link), c.text), "");
        EXPECT_TRUE(std::filesystem::is_symlink(path(c.link)));
        EXPECT_EQ(readAll(path(c.target)), c.text);
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"chain", "dangling", "real", "relative"}));
}

// The temporary name is longer than the target's; a target at the name-length limit still
// gets written, and nothing else stays behind.
TEST_F(COutputFileTest, ATargetNameAtTheLengthLimitIsWritten)
{
    const long limit = pathconf(m_dir.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 10);
    for (const size_t length : {size_t(limit) - 7, size_t(limit) - 1, size_t(limit)}) {
        SCOPED_TRACE(length);
        const std::string name(length, 'n');
        EXPECT_EQ(writeThrough(path(name), "long"), "");
        EXPECT_EQ(readAll(path(name)), "long");
        EXPECT_EQ(entries(), std::vector<std::string>{name});
        std::filesystem::remove(path(name));
    }
}

// A FIFO is written into, not replaced by a file its reader never sees.
TEST_F(COutputFileTest, AFifoIsWrittenInPlaceForItsReader)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    // The read end is open before the write and read after it, so that nothing waits.
    const int readEnd = open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    const std::string error = writeThrough(path("pipe"), "through the pipe");
    char buffer[64] = {};
    const ssize_t got = read(readEnd, buffer, sizeof buffer - 1);
    close(readEnd);
    EXPECT_EQ(error, "");
    EXPECT_EQ(std::string(buffer, got > 0 ? size_t(got) : 0), "through the pipe");
    struct stat info;
    ASSERT_EQ(lstat(path("pipe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// The descriptor names of the process: what is written reaches the open file.
TEST_F(COutputFileTest, ADescriptorNameWritesIntoTheOpenFile)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string name = "/proc/self/fd/" + std::to_string(fds[1]);
    const std::string error = writeThrough(name, "into the pipe");
    close(fds[1]);
    char buffer[64] = {};
    const ssize_t got = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    EXPECT_EQ(error, "");
    EXPECT_EQ(std::string(buffer, got > 0 ? size_t(got) : 0), "into the pipe");
}

// A device is written in place and its own error is reported; a device node stays one.
TEST_F(COutputFileTest, ADeviceIsWrittenInPlaceAndItsErrorNamed)
{
    // Through a link of the test's own, so that a writer that replaced what it writes to
    // could never replace /dev/full itself.
    if (access("/dev/full", W_OK) == 0) {
        std::filesystem::create_symlink("/dev/full", path("full"));
        EXPECT_EQ(writeThrough(path("full"), "page"),
                  "cannot write " + path("full") + ": No space left on device");
        std::filesystem::remove(path("full"));
    }
    if (geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    // A private null device, so that the real /dev/null is never at risk.
    ASSERT_EQ(mknod(path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    EXPECT_EQ(writeThrough(path("null"), "gone"), "");
    struct stat info;
    ASSERT_EQ(lstat(path("null").c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(entries(), std::vector<std::string>{"null"});
}

} // namespace
