#include "CSingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

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
