#include "graph-viewer/CGraphWindow.h"

#include "graph/GraphTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Whether another open of path could take its exclusive lock right now.
bool lockIsFree(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

TEST(CGraphWindowTest, HoldsTheScriptLockUntilItCloses)
{
    testApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("zentrima.qxc");
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("<Data>\nDelta\tPower(%)\n1.0\t80\n</Data>\nSetTitle \"Power\"\n");
    script.close();

    CScriptLock lock;
    ASSERT_TRUE(lock.lock(path));
    CScriptLock second;
    EXPECT_FALSE(second.lock(path));
    CGraphPicture picture;
    QString error;
    ASSERT_TRUE(
        picture.load("<Data>\nDelta\tPower(%)\n1.0\t80\n</Data>\nSetTitle \"Power\"\n", &error));
    CGraphWindow window(picture, std::move(lock));
    EXPECT_FALSE(lock.isLocked());
    window.show();
    EXPECT_TRUE(window.holdsScript());
    EXPECT_FALSE(lockIsFree(path));
    window.close();
    EXPECT_FALSE(window.holdsScript());
    EXPECT_TRUE(lockIsFree(path));
    EXPECT_EQ(window.windowTitle(), "Power");
}

} // namespace
