#include "ui/result/CPageExporter.h"

#include "ui/support/CFileSizeLimit.h"
#include "report/CHtmlWriter.h"
#include "ui/common/CommandIds.h"
#include "ui/result/ExportFixture.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class PageExporterTest : public ::testing::Test, public ExportFixture
{
protected:
    ~PageExporterTest() override { CPageExporter::setPathChooser({}); }

    // Runs Export... as if the user had chosen path in the dialog.
    void exportTo(const QString& path, int step)
    {
        CPageExporter::setPathChooser([path](QWidget*) { return path; });
        CPageExporter::exportPage(&state, step, &view);
    }
    QString target(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
};

TEST_F(PageExporterTest, ModeFollowsTheExtensionAsTyped)
{
    const struct
    {
        const char* path;
        int mode;
    } cases[] = {
        {"/a/report.htm", CHtmlWriter::ModeHtml},  {"/a/report.html", CHtmlWriter::ModeHtml},
        {"/a/report.txt", CHtmlWriter::ModeText},  {"/a/REPORT.HTM", CHtmlWriter::ModeHtml},
        {"/a/Report.Html", CHtmlWriter::ModeHtml}, {"/a/REPORT.TXT", CHtmlWriter::ModeText},
        {"/a/report", CHtmlWriter::ModeText},      {"/a.htm/report", CHtmlWriter::ModeText},
        {"/a/report.xhtm", CHtmlWriter::ModeText},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.mode, CPageExporter::writerModeFor(QString::fromLatin1(c.path))) << c.path;
}

TEST_F(PageExporterTest, HtmlExportOfTheReportHasNoLinks)
{
    paired->SelectFromQuery("n=3&pow=2");
    exportTo(target("report.htm"), 4);
    const QByteArray html = readAll(target("report.htm"));
    EXPECT_TRUE(html.contains("<TABLE") || html.contains("<table")) << html.left(300).constData();
    EXPECT_FALSE(html.contains("<A HREF"));
    EXPECT_FALSE(html.contains("?n="));
    // The detailed report of the selected cell, not the table page.
    EXPECT_TRUE(html.contains(QStringLiteral("N = %1 and power = %2%")
                                  .arg(paired->m_ns[3])
                                  .arg(paired->m_powers[2])
                                  .toUtf8()));
    EXPECT_TRUE(env.messages.messages().empty());
}

TEST_F(PageExporterTest, UpperCaseHtmlExtensionWritesHtml)
{
    exportTo(target("UPPER.HTM"), 3);
    EXPECT_TRUE(readAll(target("UPPER.HTM")).startsWith("<HTML>"));
    exportTo(target("UPPER.TXT"), 3);
    const QByteArray text = readAll(target("UPPER.TXT"));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains("<"));
    EXPECT_TRUE(env.messages.messages().empty());
}

TEST_F(PageExporterTest, TextExportOfTheTableHasTabSeparatedRows)
{
    exportTo(target("report.txt"), 3);
    const QString text = QString::fromLocal8Bit(readAll(target("report.txt")));
    EXPECT_FALSE(text.contains(QLatin1Char('<'))) << text.left(300).toStdString();
    // One row per sample size: the N, then one cell per power, each cell ended by a tab.
    const QString row = QString::number(paired->m_ns[0]) + QLatin1Char('\t');
    int rows = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(row)) {
            ++rows;
            EXPECT_EQ(paired->m_nPowers + 1, line.count(QLatin1Char('\t'))) << line.toStdString();
        }
    }
    EXPECT_EQ(1, rows) << text.toStdString();
}

TEST_F(PageExporterTest, CancelledDialogWritesNothing)
{
    exportTo(QString(), 3);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(env.messages.messages().empty());
}

// A FIFO nobody reads is refused at once rather than freezing the window. The full device is
// a private copy in the test's folder, so that no real device is ever written.
TEST_F(PageExporterTest, FileErrorsShowTheirDescriptionWithTheStopIcon)
{
    QDir(folder.path()).mkdir("locked");
    ::chmod(QFile::encodeName(target("locked")).constData(), 0500);
    ASSERT_EQ(::mkfifo(QFile::encodeName(target("pipe")).constData(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(
            ::mknod(QFile::encodeName(target("full")).constData(), S_IFCHR | 0666, makedev(1, 7)),
            0);
    }
    const struct
    {
        QString path;
        std::string reason;
        bool needsRoot;
    } cases[] = {
        {target("missing/report.htm"), std::strerror(ENOENT), false},
        {target("locked/report.txt"), std::strerror(EACCES), false},
        {target("pipe"), "no process is reading it", false},
        {target("full"), std::strerror(ENOSPC), true},
    };
    for (const auto& c : cases) {
        if (root ? c.reason == std::strerror(EACCES) : c.needsRoot)
            continue;
        env.messages.clear();
        exportTo(c.path, 3);
        ASSERT_EQ(1u, env.messages.messages().size()) << c.path.toStdString();
        // The file and the reason, in that order.
        EXPECT_EQ("Cannot export to \"" + c.path.toStdString() + "\":\n" + c.reason + ".",
                  env.messages.last());
        EXPECT_EQ(CMessageSink::Icon::Stop, env.messages.icons().back());
    }
    EXPECT_FALSE(QFile::exists(target("locked/report.txt")));
    ::chmod(QFile::encodeName(target("locked")).constData(), 0700);
}

// A write that fails part-way (here the file-size limit stands in for a full disk) shows
// its error and leaves the file that was there as it was, with nothing beside it.
TEST_F(PageExporterTest, AFailedWriteKeepsTheOldFile)
{
    const QByteArray old = "the page exported yesterday\n";
    {
        QFile file(target("report.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    {
        CFileSizeLimit limit(200);
        ASSERT_TRUE(limit.active());
        exportTo(target("report.txt"), 3);
    }
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(
        CPageExporter::exportErrorText(target("report.txt").toStdString(), std::strerror(EFBIG)),
        env.messages.last());
    EXPECT_EQ(old, readAll(target("report.txt")));
    EXPECT_EQ(QStringList{"report.txt"},
              QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System));
}

TEST_F(PageExporterTest, NothingHappensWithoutACalculator)
{
    CAnalysisState empty;
    bool asked = false;
    CPageExporter::setPathChooser([&asked](QWidget*) {
        asked = true;
        return QString();
    });
    CPageExporter::exportPage(&empty, 3, nullptr);
    CPageExporter::exportPage(nullptr, 3, nullptr);
    EXPECT_FALSE(asked);
}

TEST_F(PageExporterTest, ResultViewExportsThePageOfItsStep)
{
    for (int id : {ID_FILE_EXPORT, ID_FILE_PRINT, ID_PAGE_SETUP, ID_TO_WORD}) {
        bool enabled = false;
        EXPECT_TRUE(view.commandEnabled(id, enabled) && enabled) << id;
    }
    paired->SelectFromQuery("n=3&pow=2");
    view.loadData(4);
    CPageExporter::setPathChooser([this](QWidget*) { return target("step4.txt"); });
    EXPECT_TRUE(view.handleCommand(ID_FILE_EXPORT));
    const QString report = QString::fromLocal8Bit(readAll(target("step4.txt")));
    EXPECT_TRUE(report.contains(
        QStringLiteral("N = %1 and power = %2%").arg(paired->m_ns[3]).arg(paired->m_powers[2])))
        << report.left(300).toStdString();

    view.loadData(3);
    CPageExporter::setPathChooser([this](QWidget*) { return target("step3.txt"); });
    EXPECT_TRUE(view.handleCommand(ID_FILE_EXPORT));
    const QString table = QString::fromLocal8Bit(readAll(target("step3.txt")));
    EXPECT_TRUE(table.contains(QStringLiteral("The results below show")));
    EXPECT_FALSE(table.contains(
        QStringLiteral("N = %1 and power = %2%").arg(paired->m_ns[3]).arg(paired->m_powers[2])));
}

} // namespace
