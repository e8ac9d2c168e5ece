#include "ui/app/CSingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

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
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral(ZENTRIMA_CRASH_CHILD), {folder.path()});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(QProcess::CrashExit, child.exitStatus())
        << "exit code " << child.exitCode() << ": " << child.readAll().constData();
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

// Two copies started at the same moment: the later one finds the lock taken before the
// first listens. It waits a little and asks again (the first copy's move happens while the
// later one waits), and only a first copy that stays silent is reported as still starting.
TEST(SingleInstanceTest, ACopyThatLosesTheRaceAsksAgain)
{
    const struct
    {
        const char* name;
        std::function<void(CSingleInstance&)> firstMeanwhile;
        Claim expected;
        int raises;
    } rows[] = {
        {"firstStartsListening", [](CSingleInstance& first) { first.listen(); },
         Claim::OtherRunning, 1},
        {"firstEnds", [](CSingleInstance& first) { first.release(); }, Claim::First, 0},
        {"firstStaysSilent", [](CSingleInstance&) {}, Claim::OtherStarting, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        CSingleInstance first(folder.path());
        ASSERT_EQ(Claim::First, first.claim());
        QSignalSpy raised(&first, &CSingleInstance::raiseRequested);
        // Runs only once the later copy waits for its next try.
        QTimer::singleShot(0, &first, [&] { row.firstMeanwhile(first); });
        CSingleInstance second(folder.path());
        EXPECT_EQ(row.expected, second.claim());
        QTest::qWait(50);
        EXPECT_EQ(row.raises, raised.count());
    }
}

} // namespace
