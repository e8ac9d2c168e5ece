#include "COutputFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace {

std::string readAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void writeAll(const std::string& path, const char* text)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class COutputFileTest : public ::testing::Test
{
protected:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir m_dir;
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
    EXPECT_EQ(entries(), QStringList{"page.txt"});
}

TEST_F(COutputFileTest, CommitReplacesTheFileAndKeepsItsPermissions)
{
    writeAll(path("page.txt"), "old and longer");
    ASSERT_EQ(chmod(path("page.txt").c_str(), 0640), 0);
    COutputFile output;
    std::string error;
    ASSERT_TRUE(output.open(path("page.txt"), stdout, error)) << error;
    std::fputs("new", output.stream());
    ASSERT_TRUE(output.commit(error)) << error;
    EXPECT_EQ(readAll(path("page.txt")), "new");
    struct stat info;
    ASSERT_EQ(stat(path("page.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), QStringList{"page.txt"});
}

TEST_F(COutputFileTest, AFolderNameOrAMissingFolderIsRefusedWithThePath)
{
    COutputFile output;
    std::string error;
    EXPECT_FALSE(output.open(path("missing/page.txt"), stdout, error));
    EXPECT_EQ(error, "cannot write " + path("missing/page.txt") + ": No such file or directory");
    COutputFile onFolder;
    EXPECT_FALSE(onFolder.open(m_dir.path().toStdString() + "/", stdout, error));
    EXPECT_EQ(error, "cannot write " + m_dir.path().toStdString() + "/: Is a directory");
    EXPECT_TRUE(entries().isEmpty());
}

} // namespace
