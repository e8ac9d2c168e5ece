#include "ui/result/CWordExport.h"

#include "ui/result/ExportFixture.h"
#include "calc/StringTable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>

namespace {

// Puts a folder of its own in front of PATH for the test, and takes it away after.
class WordExportTest : public ::testing::Test, public ExportFixture
{
protected:
    WordExportTest() : m_oldPath(qgetenv("PATH"))
    {
        QDir(bin.path()).mkdir("received");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + m_oldPath);
    }
    ~WordExportTest() override { qputenv("PATH", m_oldPath); }

    // A stand-in word processor that logs its arguments and keeps a copy of the file it
    // was given (the export's own file may be gone by the time a real one reads it).
    void installFakeWriter(const QByteArray& body = QByteArray())
    {
        const QByteArray script = "#!/bin/sh\n" + body + "printf '%s\\n' \"$*\" >> '" +
                                  QFile::encodeName(logPath()) + "'\ncp \"$3\" '" +
                                  QFile::encodeName(received()) + "/'\n";
        writeProgram(script, 0755);
    }
    void writeProgram(const QByteArray& text, int mode)
    {
        QFile file(QDir(bin.path()).filePath("soffice"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        ::chmod(QFile::encodeName(file.fileName()).constData(), mode);
    }
    QString logPath() const { return QDir(bin.path()).filePath("log"); }
    QString received() const { return QDir(bin.path()).filePath("received"); }
    // The stand-in's copy of the file named in the log line call.
    QString receivedFile(const QString& call) const
    {
        return QDir(received()).filePath(QFileInfo(call.section(' ', 2)).fileName());
    }

    // Waits for the detached stand-in to have handled count exports; its log lines.
    QStringList waitForCalls(int count)
    {
        // A generous deadline: under the sanitizers on a loaded machine the fake writer may
        // take seconds to start, and a passing run returns as soon as the calls are in.
        QDeadlineTimer deadline(60000);
        QStringList lines;
        for (;;) {
            lines = QString::fromLocal8Bit(readAll(logPath())).split('\n', Qt::SkipEmptyParts);
            if (lines.size() >= count && QDir(received()).entryList(QDir::Files).size() >= count)
                break;
            if (deadline.hasExpired())
                break;
            QTest::qWait(50);
        }
        return lines;
    }

    // The text part of an OpenDocument file.
    static QByteArray contentXml(const QString& odt)
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"),
                    {QStringLiteral("-p"), odt, QStringLiteral("content.xml")});
        if (!unzip.waitForFinished(10000) || unzip.exitCode() != 0)
            return QByteArray();
        return unzip.readAllStandardOutput();
    }

    QTemporaryDir bin;

private:
    QByteArray m_oldPath;
};

TEST_F(WordExportTest, EveryExportOpensANewDocumentWithoutLinks)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("unzip").isEmpty())
        << "unzip reads the documents (scripts/deps.sh installs it)";
    installFakeWriter();
    view.loadData(3);
    ASSERT_TRUE(CWordExport::exportView(view.browser()));
    ASSERT_TRUE(CWordExport::exportView(view.browser()));
    const QStringList calls = waitForCalls(2);
    ASSERT_EQ(2, calls.size());
    EXPECT_TRUE(env.messages.messages().empty());

    QStringList files;
    for (const QString& call : calls) {
        const QStringList args = call.split(' ');
        ASSERT_EQ(3, args.size()) << call.toStdString();
        EXPECT_EQ("--writer", args[0]);
        EXPECT_EQ("-n", args[1]);
        // In the private temporary folder, named so that the next start's clean-up finds it.
        EXPECT_TRUE(args[2].startsWith(env.tempFolder() + "zentrima-word-"))
            << args[2].toStdString();
        EXPECT_TRUE(args[2].endsWith(".odt"));
        files << args[2];
    }
    EXPECT_NE(files[0], files[1]);

    for (const QString& call : calls) {
        const QByteArray content = contentXml(receivedFile(call));
        ASSERT_FALSE(content.isEmpty()) << call.toStdString();
        EXPECT_TRUE(content.contains("The results below show"));
        EXPECT_TRUE(content.contains("Difference between means"));
        EXPECT_TRUE(content.contains(QByteArray::number(paired->m_ns[paired->m_nNs - 1])));
        EXPECT_FALSE(content.contains("xlink:href"));
        EXPECT_FALSE(content.toLower().contains("href"));
        EXPECT_FALSE(content.contains("?n="));
    }
    // The screen keeps its links.
    EXPECT_TRUE(view.browser()->toHtml().contains("?n=0&amp;pow=0"));
}

// The document is the program's own file: a dangling link under a document's name is passed
// over, never written through.
TEST_F(WordExportTest, ADocumentIsNeverWrittenThroughALink)
{
    installFakeWriter();
    view.loadData(3);
    QTemporaryDir elsewhere;
    for (int n = 1; n <= 200; ++n)
        ASSERT_TRUE(QFile::link(elsewhere.filePath(QStringLiteral("target-%1").arg(n)),
                                env.tempFile(QStringLiteral("zentrima-word-%1.odt").arg(n))));
    ASSERT_TRUE(CWordExport::exportView(view.browser()));
    const QStringList calls = waitForCalls(1);
    ASSERT_EQ(1, calls.size());
    const QString written = calls[0].split(' ').value(2);
    EXPECT_TRUE(QFileInfo(written).isFile() && !QFileInfo(written).isSymLink())
        << written.toStdString();
    EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(WordExportTest, ASelectionExportsOnlyItself)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("unzip").isEmpty())
        << "unzip reads the documents (scripts/deps.sh installs it)";
    installFakeWriter();
    view.loadData(3);
    ASSERT_TRUE(view.selectElement(QStringLiteral("RESULT")));
    ASSERT_TRUE(CWordExport::exportView(view.browser()));
    const QStringList calls = waitForCalls(1);
    ASSERT_EQ(1, calls.size());
    const QByteArray content = contentXml(receivedFile(calls[0]));
    EXPECT_TRUE(content.contains("Difference between means")) << content.left(500).constData();
    EXPECT_TRUE(content.contains(QByteArray::number(paired->m_ns[paired->m_nNs - 1])));
    EXPECT_FALSE(content.contains("The results below show"));
    EXPECT_FALSE(content.toLower().contains("href"));
    // The selection stays on screen.
    EXPECT_TRUE(view.browser()->textCursor().hasSelection());
}

TEST_F(WordExportTest, MissingOrBrokenWordProcessorGivesItsMessage)
{
    view.loadData(3);
    // Nothing called soffice on the path.
    qputenv("PATH", QFile::encodeName(bin.path()));
    EXPECT_FALSE(CWordExport::exportView(view.browser()));
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(LoadString(IDS_WORD_NOT_INSTALLED), env.messages.last());
    EXPECT_EQ("Cannot copy to Word.\nLibreOffice Writer is not installed. \nInstall LibreOffice "
              "Writer and try again.",
              env.messages.last());

    const struct
    {
        const char* what;
        QByteArray text;
        int mode;
    } broken[] = {
        {"not executable", "#!/bin/sh\nexit 0\n", 0644},
        {"interpreter missing", "#!/nonexistent/zentrima-shell\n", 0755},
    };
    for (const auto& c : broken) {
        env.messages.clear();
        writeProgram(c.text, c.mode);
        EXPECT_FALSE(CWordExport::exportView(view.browser())) << c.what;
        ASSERT_EQ(1u, env.messages.messages().size()) << c.what;
        EXPECT_EQ("Cannot Launch LibreOffice Writer.\nIf rebooting doesn't help, reinstall "
                  "LibreOffice Writer.",
                  env.messages.last())
            << c.what;
    }
}

} // namespace
