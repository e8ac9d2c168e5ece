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

TEST(CGraphWindowTest, OpensWhollyOnTheScreen)
{
    const struct
    {
        const char* what;
        QSize size;
        QRect area;
        QRect expected;
    } cases[] = {
        {"centred", {800, 560}, {0, 0, 1600, 1000}, {400, 220, 800, 560}},
        {"below a panel", {800, 560}, {0, 40, 1600, 960}, {400, 240, 800, 560}},
        {"on a second screen", {800, 560}, {1600, 0, 1280, 1024}, {1840, 232, 800, 560}},
        {"larger than the screen", {1400, 900}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
        {"taller than the screen", {800, 900}, {0, 24, 1280, 744}, {240, 24, 800, 744}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CGraphWindow::placement(c.size, c.area)) << c.what;
}

} // namespace
