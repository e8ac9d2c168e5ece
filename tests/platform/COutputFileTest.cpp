#include "platform/COutputFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

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
std::string writeThrough(const std::string& path, const std::string& text)
{
    COutputFile output;
    std::string error;
    if (!output.open(path, stdout, error))
        return error;
    std::fputs(text.c_str(), output.stream());
    if (!output.commit(error))
        return error;
    return std::string();
}

// A page of text in short: its length and how it begins.
std::string shown(const std::string& text)
{
    return std::to_string(text.size()) + " bytes: " + text.substr(0, 12);
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
    std::vector<std::string> entries(const std::string& folder = std::string()) const
    {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(folder.empty() ? m_dir : folder))
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

// A device is written in place and its own error is reported; a device node stays one. The
// nodes are private copies of the null and full devices in the test's own folder, so that a
// writer that replaced what it writes to could never reach a real device.
TEST_F(COutputFileTest, ADeviceIsWrittenInPlaceAndItsErrorNamed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    const struct
    {
        const char* name;
        unsigned minor;
        std::string answer;
    } cases[] = {
        {"null", 3, ""},
        {"full", 7, "cannot write " + path("full") + ": No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(mknod(path(c.name).c_str(), S_IFCHR | 0666, makedev(1, c.minor)), 0);
        EXPECT_EQ(writeThrough(path(c.name), "page"), c.answer);
        struct stat info;
        ASSERT_EQ(lstat(path(c.name).c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"full", "null"}));
}

// Hostile targets. Every case runs in a child process of its own, so that a writer which
// waits forever, is killed by a signal or runs under another user harms nothing but that
// child; every file and device node involved lives in the test's own folder.
// Runs body in a child and returns what it returned, "<hung>" when it took more than five
// seconds, or "<signal N>" when a signal ended it.
std::string runInChild(const std::function<std::string()>& body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "<no pipe>";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string answer = body();
        if (write(channel[1], answer.data(), answer.size()) < 0)
            _exit(3);
        _exit(0);
    }
    close(channel[1]);
    std::string answer;
    bool hung = false;
    pollfd wait = {channel[0], POLLIN, 0};
    char block[512];
    for (;;) {
        if (poll(&wait, 1, 5000) <= 0) {
            hung = true;
            kill(child, SIGKILL);
            break;
        }
        const ssize_t got = read(channel[0], block, sizeof block);
        if (got <= 0)
            break;
        answer.append(block, static_cast<size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (hung)
        return "<hung>";
    if (WIFSIGNALED(status))
        return "<signal " + std::to_string(WTERMSIG(status)) + ">";
    return answer;
}

struct stat lstatOf(const std::string& path)
{
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info;
}

// A new name written over and over for three seconds while another thread of the same process
// keeps creating files: each of those must get the mode the umask of 077 gives, every time.
// The folder is a memory file system of a mount namespace of the child's own, so that a
// write costs no disk flush and the two threads meet often.
std::string writeWhileAnotherThreadCreatesFiles(const std::string& dir)
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount("none", dir.c_str(), "tmpfs", 0, nullptr) != 0)
        return "<no private folder>";
    umask(077);
    std::atomic<bool> stop{false};
    std::atomic<unsigned> wrongMode{0};
    std::thread creator([&] {
        const std::string name = dir + "/created";
        while (!stop) {
            const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
            struct stat info;
            if (fd >= 0 && fstat(fd, &info) == 0 && (info.st_mode & 0777) != 0600)
                wrongMode = info.st_mode & 0777;
            if (fd >= 0)
                close(fd);
            unlink(name.c_str());
        }
    });
    std::string answer;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int i = 0; answer.empty() && wrongMode == 0; ++i) {
        if (std::chrono::steady_clock::now() > end)
            break;
        const std::string name = dir + "/page" + std::to_string(i % 4) + ".txt";
        unlink(name.c_str());
        answer = writeThrough(name, "page");
    }
    stop = true;
    creator.join();
    if (wrongMode != 0)
        return "a file of the other thread got mode " + std::to_string(wrongMode);
    return answer;
}

// Each case: what is set up, the name written to, who writes, and what must hold after. The
// answer is "" or the error, which names the file and the reason.
TEST_F(COutputFileTest, EachHostileTargetIsRefusedOrWrittenAsTheShellWould)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the cases change owners and drop to another user, which needs root";
    const std::string page = "new page\n" + std::string(3000, 'p');
    struct Case
    {
        const char* title;
        std::function<void()> setUp;
        std::string target;
        bool asNobody;
        rlim_t fileSizeLimit; // 0: none
        std::string answer;
        std::function<void()> check;
        std::function<std::string()> action = {}; // empty: write the page to target
    };
    const std::vector<Case> cases = {
        {"a FIFO nobody reads is refused at once", [&] { mkfifo(path("pipe").c_str(), 0600); },
         path("pipe"), false, 0, "cannot write " + path("pipe") + ": no process is reading it",
         [&] {
             EXPECT_TRUE(S_ISFIFO(lstatOf(path("pipe")).st_mode));
             EXPECT_EQ(entries(), std::vector<std::string>{"pipe"});
         }},
        {"a read-only file is kept from a user without the right",
         [&] {
             writeAll(path("page.txt"), "old");
             chmod(path("page.txt").c_str(), 0444);
             chown(path("page.txt").c_str(), kNobody, kNogroup);
             chown(m_dir.c_str(), kNobody, kNogroup);
         },
         path("page.txt"), true, 0, "cannot write " + path("page.txt") + ": Permission denied",
         [&] {
             EXPECT_EQ(readAll(path("page.txt")), "old");
             EXPECT_EQ(entries(), std::vector<std::string>{"page.txt"});
         }},
        {"a loop of two links is refused",
         [&] {
             symlink("l2", path("l1").c_str());
             symlink("l1", path("l2").c_str());
         },
         path("l1"), false, 0, "cannot write " + path("l1") + ": Too many levels of symbolic links",
         [&] {
             EXPECT_TRUE(S_ISLNK(lstatOf(path("l1")).st_mode));
             EXPECT_EQ(entries(), (std::vector<std::string>{"l1", "l2"}));
         }},
        {"a link to itself is refused", [&] { symlink("self", path("self").c_str()); },
         path("self"), false, 0,
         "cannot write " + path("self") + ": Too many levels of symbolic links",
         [&] { EXPECT_TRUE(S_ISLNK(lstatOf(path("self")).st_mode)); }},
        {"a process-tree name that is no descriptor replaces the file",
         [&] { writeAll(path("old.txt"), "old"); }, "/proc/self/cwd/old.txt", false, 0, "",
         [&] {
             EXPECT_EQ(shown(readAll(path("old.txt"))), shown(page));
             EXPECT_EQ(entries(), std::vector<std::string>{"old.txt"});
         }},
        {"a page over the file-size limit is refused and leaves nothing",
         [&] { writeAll(path("big.txt"), "old"); }, path("big.txt"), false, 1024,
         "cannot write " + path("big.txt") + ": File too large",
         [&] {
             EXPECT_EQ(readAll(path("big.txt")), "old");
             EXPECT_EQ(entries(), std::vector<std::string>{"big.txt"});
         }},
        {"a user's setuid file keeps its owner and loses the setuid bit",
         [&] {
             writeAll(path("tool"), "old");
             chown(path("tool").c_str(), kNobody, kNogroup);
             chmod(path("tool").c_str(), 04755);
         },
         path("tool"), false, 0, "",
         [&] {
             EXPECT_EQ(shown(readAll(path("tool"))), shown(page));
             EXPECT_EQ(lstatOf(path("tool")).st_uid, kNobody);
             EXPECT_EQ(lstatOf(path("tool")).st_gid, kNogroup);
             EXPECT_EQ(lstatOf(path("tool")).st_mode & 07777, 0755u);
         }},
        {"a file with a second hard link stays one file",
         [&] {
             writeAll(path("page.txt"), "old");
             link(path("page.txt").c_str(), path("other.txt").c_str());
         },
         path("page.txt"), false, 0, "",
         [&] {
             EXPECT_EQ(shown(readAll(path("other.txt"))), shown(page));
             EXPECT_EQ(lstatOf(path("page.txt")).st_nlink, 2u);
             EXPECT_EQ(entries(), (std::vector<std::string>{"other.txt", "page.txt"}));
         }},
        {"a link another user planted in a shared sticky folder is not followed",
         [&] {
             mkdir(path("shared").c_str(), 0777);
             chmod(path("shared").c_str(), 01777);
             writeAll(path("secret.txt"), "old");
             symlink("../secret.txt", path("shared/link").c_str());
             lchown(path("shared/link").c_str(), kNobody, kNogroup);
         },
         path("shared/link"), false, 0,
         "cannot write " + path("shared/link") + ": Permission denied",
         [&] {
             EXPECT_EQ(readAll(path("secret.txt")), "old");
             EXPECT_EQ(entries(path("shared")), std::vector<std::string>{"link"});
         }},
        {"another thread's new files keep the umask while pages are written", [] {}, std::string(),
         false, 0, "", [] {}, [&] { return writeWhileAnotherThreadCreatesFiles(m_dir); }},
        {"standard output sent to a log by >> is appended to through /dev/fd",
         [&] {
             writeAll(path("log"), "earlier\n");
             symlink("/dev/fd/1", path("stdout").c_str());
         },
         path("stdout"), false, 0, "",
         [&] { EXPECT_EQ(shown(readAll(path("log"))), shown("earlier\n" + page)); },
         [&] {
             const int fd = open(path("log").c_str(), O_WRONLY | O_APPEND);
             dup2(fd, 1);
             close(fd);
             return writeThrough(path("stdout"), page);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::filesystem::remove_all(m_dir);
        ASSERT_EQ(mkdir(m_dir.c_str(), 0700), 0);
        c.setUp();
        const std::string answer = runInChild([&] {
            if (chdir(m_dir.c_str()) != 0)
                return std::string("<no folder>");
            if (c.fileSizeLimit != 0) {
                const rlimit limit = {c.fileSizeLimit, c.fileSizeLimit};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            if (c.asNobody &&
                (setgroups(0, nullptr) != 0 || setgid(kNogroup) != 0 || setuid(kNobody) != 0))
                return std::string("<cannot become nobody>");
            return c.action ? c.action() : writeThrough(c.target, page);
        });
        EXPECT_EQ(answer, c.answer);
        c.check();
    }
}

} // namespace
