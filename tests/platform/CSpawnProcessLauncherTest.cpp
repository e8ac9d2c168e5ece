#include "platform/CSpawnProcessLauncher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Polls until done() holds or a deadline passes. The deadline is generous because a loaded
// machine running the sanitizers may take seconds to start a shell; a passing run returns as
// soon as the condition holds.
template <typename Condition> bool waitUntil(Condition done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class CSpawnProcessLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zentrima-launch-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // The text of file once the started program has renamed it into place.
    std::string waitForFile(const std::string& name) const
    {
        const std::string path = m_folder + "/" + name;
        waitUntil([&] { return fs::exists(path); });
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_folder;
    CSpawnProcessLauncher m_launcher;
};

TEST_F(CSpawnProcessLauncherTest, StartsInTheWorkingFolderWithEachArgumentWhole)
{
    // The child writes where it runs and what it got, then renames the result into place
    // so that the test never reads a half-written file.
    const std::string script = "pwd > out.tmp; printf '%s|' \"$@\" >> out.tmp; mv out.tmp out";
    ASSERT_TRUE(m_launcher.startDetached(
        "/bin/sh", {"-c", script, "sh", "@\"/a folder/zentrima.qxc\"", "$HOME;x"}, m_folder));
    EXPECT_EQ(waitForFile("out"), m_folder + "\n@\"/a folder/zentrima.qxc\"|$HOME;x|");
}

TEST_F(CSpawnProcessLauncherTest, ReportsAProgramOrFolderThatCannotBeUsed)
{
    EXPECT_FALSE(m_launcher.startDetached(m_folder + "/absent", {}, m_folder));
    EXPECT_FALSE(m_launcher.startDetached("/bin/true", {}, m_folder + "/absent"));
    std::ofstream(m_folder + "/not-executable") << "#!/bin/sh\n";
    EXPECT_FALSE(m_launcher.startDetached(m_folder + "/not-executable", {}, m_folder));
    EXPECT_FALSE(m_launcher.startDetached("", {}, m_folder));
}

TEST_F(CSpawnProcessLauncherTest, PassesNoOpenFileOfTheCaller)
{
    const int inherited = ::fcntl(STDIN_FILENO, F_DUPFD, 50); // without close-on-exec
    ASSERT_GE(inherited, 50);
    const std::string script = "ls /proc/$$/fd > fds.tmp; mv fds.tmp fds";
    const bool started = m_launcher.startDetached("/bin/sh", {"-c", script}, m_folder);
    ::close(inherited);
    ASSERT_TRUE(started);
    const std::string fds = waitForFile("fds");
    ASSERT_FALSE(fds.empty());
    EXPECT_EQ(("\n" + fds).find("\n" + std::to_string(inherited) + "\n"), std::string::npos) << fds;
}

TEST_F(CSpawnProcessLauncherTest, LeavesNoZombieAfterTheChildEnds)
{
    ASSERT_TRUE(
        m_launcher.startDetached("/bin/sh", {"-c", "echo $$ > pid.tmp; mv pid.tmp pid"}, m_folder));
    const std::string pid = waitForFile("pid");
    ASSERT_FALSE(pid.empty());
    // A child nobody waits for stays in the process table as a zombie.
    const std::string entry = "/proc/" + pid.substr(0, pid.find('\n'));
    EXPECT_TRUE(waitUntil([&] { return !fs::exists(entry); })) << entry;
}

} // namespace
