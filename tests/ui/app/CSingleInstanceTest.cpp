#include "ui/app/CSingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>

namespace {

const char kCrashFolderVariable[] = "ZENTRIMA_TEST_CRASH_FOLDER";

using Claim = CSingleInstance::Claim;

TEST(SingleInstanceTest, LaterCopyAsksTheFirstToComeForward)
{
    QTemporaryDir folder;
    CSingleInstance first(folder.path());
    ASSERT_EQ(Claim::First, first.claim());
    ASSERT_TRUE(first.listen());
    QSignalSpy raised(&first, &CSingleInstance::raiseRequested);

    CSingleInstance second(folder.path());
    EXPECT_EQ(Claim::OtherRunning, second.claim());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised.count() == 1; }, 5000));

    // Only a user's own folder is used: the socket is not open to others.
    EXPECT_EQ(QFileDevice::ReadOwner | QFileDevice::WriteOwner,
              QFile::permissions(first.socketPath()) &
                  (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                   QFileDevice::WriteOther | QFileDevice::ReadGroup | QFileDevice::WriteGroup));
}

TEST(SingleInstanceTest, CopyThatIsStillStartingIsNotAsked)
{
    QTemporaryDir folder;
    CSingleInstance first(folder.path());
    ASSERT_EQ(Claim::First, first.claim());
    QSignalSpy raised(&first, &CSingleInstance::raiseRequested);
    CSingleInstance second(folder.path());
    EXPECT_EQ(Claim::OtherStarting, second.claim());
    QCoreApplication::processEvents();
    EXPECT_EQ(0, raised.count());
}

TEST(SingleInstanceTest, ReleasedNameCanBeClaimedAgain)
{
    QTemporaryDir folder;
    {
        CSingleInstance first(folder.path());
        ASSERT_EQ(Claim::First, first.claim());
        ASSERT_TRUE(first.listen());
    }
    EXPECT_FALSE(QFile::exists(folder.filePath("instance.socket")));
    CSingleInstance next(folder.path());
    EXPECT_EQ(Claim::First, next.claim());
    EXPECT_TRUE(next.listen());
}

TEST(SingleInstanceTest, CrashedCopyDoesNotBlockALaterStart)
{
    QTemporaryDir folder;
    // A separate process takes the instance and is killed, leaving its lock and socket.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kCrashFolderVariable, folder.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SingleInstanceChild.ClaimThenCrash")});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(QProcess::CrashExit, child.exitStatus()) << child.readAllStandardOutput().constData();
    ASSERT_TRUE(QFile::exists(folder.filePath("instance.lock")));
    ASSERT_TRUE(QFile::exists(folder.filePath("instance.socket")));

    CSingleInstance next(folder.path());
    EXPECT_EQ(Claim::First, next.claim());
    EXPECT_TRUE(next.listen());
    CSingleInstance later(folder.path());
    EXPECT_EQ(Claim::OtherRunning, later.claim());
}

// Whatever an earlier copy (or a careless hand) left under the lock's name never blocks a
// start, and the copy that starts then guards the single instance as usual.
TEST(SingleInstanceTest, AStaleLockOfAnyKindDoesNotBlockAStart)
{
    const struct
    {
        const char* name;
        std::function<void(const QString&)> make;
    } cases[] = {
        {"empty", [](const QString& path) { QFile(path).open(QIODevice::WriteOnly); }},
        {"otherHost",
         [](const QString& path) {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write("4242\nzentrima\nanother-host.example\n");
         }},
        {"unreadable",
         [](const QString& path) {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write("1\n");
             file.setPermissions(QFileDevice::Permissions());
         }},
        {"folder",
         [](const QString& path) {
             QDir().mkpath(path + "/inside");
             QFile(path + "/inside/file").open(QIODevice::WriteOnly);
         }},
        {"danglingLink", [](const QString& path) { QFile::link(path + ".nowhere", path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        c.make(folder.filePath("instance.lock"));
        CSingleInstance first(folder.path());
        EXPECT_EQ(Claim::First, first.claim());
        ASSERT_TRUE(first.listen());
        CSingleInstance second(folder.path());
        EXPECT_EQ(Claim::OtherRunning, second.claim());
    }
}

// The child of the test above; skipped when run on its own.
TEST(SingleInstanceChild, ClaimThenCrash)
{
    const char* folder = std::getenv(kCrashFolderVariable);
    if (!folder)
        GTEST_SKIP() << "runs only as the child of CrashedCopyDoesNotBlockALaterStart";
    CSingleInstance instance(QString::fromLocal8Bit(folder));
    ASSERT_EQ(Claim::First, instance.claim());
    ASSERT_TRUE(instance.listen());
    std::raise(SIGKILL);
}

} // namespace
