#include "ui/result/CResultView.h"

#include "ui/support/CFileSizeLimit.h"
#include "report/CHtmlWriter.h"
#include "platform/CMemoryMachineRegistry.h"
#include "platform/CRecordingProcessLauncher.h"
#include "ui/common/CommandIds.h"
#include "ui/result/ExportFixture.h"
#include "platform/Platform.h"
#include "ui/support/CUrlRecorder.h"
#include "calc/StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The table of tradeoffs of calc as the writer writes it in mode.
std::string pageText(CCalculator& calc, int mode)
{
    FILE* file = std::tmpfile();
    {
        CHtmlWriter writer(file, mode);
        calc.WriteTradeoffPage(writer);
    }
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

class ResultViewTest : public ::testing::Test, public ExportFixture
{
protected:
    QString shownText() const { return view.browser()->toPlainText(); }
    QString pageFile() const { return QString::fromStdString(view.pageFilePath()); }
};

// The graph command with the graph viewer of this build registered machine-wide; the start
// of the viewer is recorded, not made.
class ResultViewGraphTest : public ResultViewTest
{
protected:
    void registerViewer()
    {
        registry.setString("SOFTWARE\\Classes\\Vorla4.Document\\shell\\open\\command", "",
                           "\"" ZENTRIMA_GRAPH_VIEWER "\" \"%1\"");
    }
    static std::string argumentFor(const QString& script)
    {
        return "@\"" + script.toStdString() + "\"";
    }

    CMemoryMachineRegistry registry;
    CRecordingProcessLauncher launcher;
    CScopedPlatform graphPlatform{&env.settings, &env.messages, &env.files,
                                  nullptr,       &registry,     &launcher};
};

TEST_F(ResultViewTest, WritesTheStepPageIntoTheAnalysisFileAndShowsIt)
{
    EXPECT_EQ(env.tempFile(QStringLiteral("zentrima%1.htm").arg(state.number())), pageFile());
    view.loadData(3);
    EXPECT_EQ(unsigned(IDS_SAMPLE_PAIRED_TITLE), view.templateId());
    QFile file(pageFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray html = file.readAll();
    EXPECT_TRUE(html.contains("<A HREF=\"?n=0&pow=0\">")) << html.left(400).constData();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Sample size for paired")));

    paired->SelectFromQuery("n=3&pow=2");
    view.loadData(4);
    EXPECT_EQ(unsigned(IDS_SAMPLE_PAIRED_EXPLANATION), view.templateId());
    // The report names the selected cell: the fourth N of the list and the third power.
    EXPECT_TRUE(shownText().contains(
        QStringLiteral("N = %1 and power = %2%").arg(paired->m_ns[3]).arg(paired->m_powers[2])))
        << shownText().toStdString();
}

TEST_F(ResultViewTest, PageIsReadAnewEveryTime)
{
    view.loadData(3);
    const QString before = shownText();
    paired->SetSD(20);
    view.loadData(3);
    EXPECT_NE(before, shownText());
    EXPECT_TRUE(shownText().contains(QStringLiteral("= 20")));
}

TEST_F(ResultViewTest, CellLinkSelectsTheCellAndAsksForStepFour)
{
    view.loadData(3);
    QSignalSpy requests(&view, &CStepView::commandRequested);
    emit view.browser()->anchorClicked(QUrl(QStringLiteral("?n=3&pow=2")));
    ASSERT_EQ(1, requests.count());
    EXPECT_EQ(int(ID_STEP_4), requests.at(0).at(0).toInt());
    EXPECT_EQ(3, paired->m_selN);
    EXPECT_EQ(2, paired->m_selPower);
}

TEST_F(ResultViewTest, OtherLinksAreFollowedWithoutSelecting)
{
    view.loadData(3);
    QSignalSpy requests(&view, &CStepView::commandRequested);
    emit view.browser()->anchorClicked(QUrl(QStringLiteral("#RESULT")));
    EXPECT_EQ(0, requests.count());
    EXPECT_FALSE(paired->HasSelection());

    // Without a calculator even a cell link is only followed.
    CAnalysisState empty;
    CResultView bare;
    bare.attach(&empty);
    QSignalSpy bareRequests(&bare, &CStepView::commandRequested);
    bare.followLink(QUrl(QStringLiteral("#x?n=1&pow=1")));
    EXPECT_EQ(0, bareRequests.count());
}

TEST_F(ResultViewTest, OnlyTheCellLinksSelectACell)
{
    view.loadData(3);
    CUrlRecorder browser;
    QSignalSpy requests(&view, &CStepView::commandRequested);
    // The survival pages cite a book whose address has a query of its own.
    const QString book = QStringLiteral(
        "https://openlibrary.org/search?title=Survival+Analysis.+A+Practical+Approach");
    view.followLink(QUrl(book));
    EXPECT_EQ(0, requests.count());
    EXPECT_FALSE(paired->HasSelection());
    EXPECT_TRUE(env.messages.messages().empty());
    EXPECT_EQ(QStringList{book}, browser.opened);

    view.followLink(QUrl(QStringLiteral("?n=3&pow=2")));
    ASSERT_EQ(1, requests.count());
    EXPECT_TRUE(paired->HasSelection());
    EXPECT_EQ(1u, browser.opened.size());
}

TEST_F(ResultViewTest, TableCellsAreNeverBrokenAndAWideTableScrolls)
{
    // Thirteen powers and values of five digits before the point.
    ASSERT_TRUE(paired->ParsePowers("99,98,97,96,95,94,93,92,91,90,85,80,50"));
    paired->SetSD(12345.678);
    view.resize(500, 400);
    view.loadData(3);
    QTextDocument* document = view.browser()->document();
    document->adjustSize();
    int cells = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (!table || table->columns() < 10 || block.text().trimmed().isEmpty())
            continue;
        ++cells;
        ASSERT_NE(nullptr, block.layout());
        EXPECT_EQ(1, block.layout()->lineCount()) << block.text().toStdString();
    }
    EXPECT_GT(cells, 13 * 20);
    // Wider than the window: the view scrolls sideways.
    QScrollBar* sideways = view.browser()->horizontalScrollBar();
    EXPECT_GT(sideways->maximum(), 0);
}

TEST_F(ResultViewTest, CopiedPlainTextKeepsTableRowsTabSeparated)
{
    view.loadData(3);
    QApplication::clipboard()->clear();
    view.handleCommand(ID_EDIT_COPY);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(nullptr, data);
    EXPECT_TRUE(data->hasHtml());
    const QStringList copied = data->text().split(QLatin1Char('\n'));

    // Each row of the table as Export... writes it in plain text.
    const QString exported = QString::fromStdString(pageText(*paired, CHtmlWriter::ModeText));
    int rows = 0;
    for (const QString& line : exported.split(QLatin1Char('\n'))) {
        QStringList fields = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() < 4)
            continue;
        ++rows;
        EXPECT_TRUE(copied.contains(fields.join(QLatin1Char('\t'))))
            << line.toStdString() << "\ncopied:\n"
            << data->text().left(1500).toStdString();
    }
    EXPECT_GT(rows, 20);
    EXPECT_FALSE(data->text().contains(QStringLiteral("?n=")));
}

TEST_F(ResultViewTest, ZoomIsSharedByEveryViewAndKeptInTheSettings)
{
    bool enabled = true;
    // Before the first page of the process there is no range, so neither way is open.
    view.commandEnabled(ID_ZOOM_IN, enabled);
    EXPECT_FALSE(enabled);
    view.commandEnabled(ID_ZOOM_OUT, enabled);
    EXPECT_FALSE(enabled);

    env.settings.writeInt("ShowStyle", "ZoomFactor", 3);
    view.loadData(3);
    EXPECT_EQ(CResultView::ZoomMaximum, CResultView::zoomMaximum());
    EXPECT_EQ(3, CResultView::zoomLevel());

    CResultView second;
    second.attach(&state);
    second.loadData(3);
    ASSERT_TRUE(view.handleCommand(ID_ZOOM_IN));
    EXPECT_EQ(4, CResultView::zoomLevel());
    EXPECT_EQ(4, env.settings.readInt("ShowStyle", "ZoomFactor", -1));
    for (CResultView* v : {&view, &second})
        EXPECT_EQ(CResultView::pixelSizeForLevel(4),
                  v->browser()->document()->defaultFont().pixelSize());
    view.commandEnabled(ID_ZOOM_IN, enabled);
    EXPECT_FALSE(enabled);
    view.handleCommand(ID_ZOOM_IN);
    EXPECT_EQ(4, CResultView::zoomLevel());

    for (int i = 0; i < 6; ++i)
        second.handleCommand(ID_ZOOM_OUT);
    EXPECT_EQ(0, CResultView::zoomLevel());
    EXPECT_EQ(0, env.settings.readInt("ShowStyle", "ZoomFactor", -1));
    second.commandEnabled(ID_ZOOM_OUT, enabled);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(CResultView::pixelSizeForLevel(0),
              view.browser()->document()->defaultFont().pixelSize());
    EXPECT_LT(CResultView::pixelSizeForLevel(0), CResultView::pixelSizeForLevel(2));
}

TEST_F(ResultViewTest, DefaultZoomIsTheMiddleLevel)
{
    view.loadData(3);
    EXPECT_EQ(CResultView::ZoomMaximum / 2, CResultView::zoomLevel());
}

TEST_F(ResultViewTest, SelectsTheResultsTableOrTheWholeReport)
{
    view.loadData(3);
    ASSERT_TRUE(view.selectElement(QStringLiteral("RESULT")));
    const QString results = view.browser()->textCursor().selectedText();
    EXPECT_TRUE(results.contains(QStringLiteral("Difference between means that can be detected")))
        << results.toStdString();
    // Up to the last row of the table, but not the instructions above it.
    EXPECT_TRUE(results.contains(QStringLiteral("Power")));
    EXPECT_TRUE(results.contains(QString::number(paired->m_ns[paired->m_nNs - 1])));
    EXPECT_FALSE(results.contains(QStringLiteral("The results below show")));

    ASSERT_TRUE(view.selectElement(QStringLiteral("ALL")));
    const QString all = view.browser()->textCursor().selectedText();
    EXPECT_TRUE(all.contains(QStringLiteral("The results below show")));
    EXPECT_TRUE(all.contains(QStringLiteral("Sample size for paired")));
    EXPECT_GT(all.size(), results.size());
}

TEST_F(ResultViewTest, SelectingAMissingAnchorDoesNothing)
{
    view.browser()->setHtml(QStringLiteral("<p>No results here</p>"));
    QTextCursor cursor(view.browser()->document());
    cursor.setPosition(3);
    view.browser()->setTextCursor(cursor);
    EXPECT_FALSE(view.selectElement(QStringLiteral("RESULT")));
    EXPECT_FALSE(view.browser()->textCursor().hasSelection());
    EXPECT_EQ(3, view.browser()->textCursor().position());
}

TEST_F(ResultViewTest, CopyWithoutLinksTakesTheWholeReportWhenNothingIsSelected)
{
    view.loadData(3);
    QApplication::clipboard()->clear();
    ASSERT_TRUE(view.handleCommand(ID_EDIT_COPY));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(nullptr, data);
    EXPECT_FALSE(data->html().contains(QStringLiteral("href"), Qt::CaseInsensitive));
    EXPECT_TRUE(data->html().contains(QStringLiteral("<table"), Qt::CaseInsensitive));
    EXPECT_TRUE(data->text().contains(QStringLiteral("The results below show")));
    EXPECT_TRUE(data->text().contains(QStringLiteral("Difference between means")));
    // The screen keeps its links and shows no selection.
    EXPECT_FALSE(view.browser()->textCursor().hasSelection());
    EXPECT_TRUE(view.browser()->toHtml().contains(QStringLiteral("href=\"?n=0&amp;pow=0\"")));
}

TEST_F(ResultViewTest, CopyWithoutLinksTakesOnlyTheSelection)
{
    view.loadData(3);
    view.selectElement(QStringLiteral("RESULT"));
    view.handleCommand(ID_EDIT_COPY);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(nullptr, data);
    EXPECT_TRUE(data->text().contains(QStringLiteral("Difference between means")));
    EXPECT_FALSE(data->text().contains(QStringLiteral("The results below show")));
    EXPECT_FALSE(data->html().contains(QStringLiteral("href"), Qt::CaseInsensitive));
    // The browser's own copy takes the same way.
    view.browser()->copy();
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->html().contains(QStringLiteral("href"),
                                                                        Qt::CaseInsensitive));
    EXPECT_TRUE(view.browser()->textCursor().hasSelection());
}

// A write that fails part-way (the file-size limit stands in for a full disk) shows its
// message and leaves the page shown before.
TEST_F(ResultViewTest, AFailedWriteShowsItsMessageAndKeepsThePreviousPage)
{
    view.loadData(3);
    const QString before = shownText();
    paired->SelectFromQuery("n=1&pow=1");
    {
        CFileSizeLimit limit(100);
        ASSERT_TRUE(limit.active());
        view.loadData(4);
    }
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(std::string(std::strerror(EFBIG)), env.messages.last());
    EXPECT_EQ(before, shownText());
}

// The page file is the program's own: a link planted under its name is replaced, never
// written through (here it would have filled the file it points at).
TEST_F(ResultViewTest, APageIsNeverWrittenThroughALink)
{
    const QString victim = env.tempFile("victim.txt");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    ASSERT_EQ(0, ::symlink(QFile::encodeName(victim).constData(),
                           QFile::encodeName(pageFile()).constData()));
    view.loadData(3);
    EXPECT_TRUE(env.messages.messages().empty());
    EXPECT_FALSE(QFileInfo(pageFile()).isSymLink());
    EXPECT_TRUE(QFileInfo(pageFile()).isFile());
    EXPECT_EQ(QByteArray("keep me"), readAll(victim));
    EXPECT_FALSE(shownText().isEmpty());
}

// Without a private folder the pages are shown from memory and nothing is written into the
// current folder.
TEST_F(ResultViewTest, WithoutAPrivateFolderThePageIsShownFromMemory)
{
    env.files.setTempFolder("");
    const QString here = QDir::currentPath();
    const QStringList before = QDir(here).entryList(QDir::AllEntries | QDir::Hidden);
    view.loadData(3);
    EXPECT_TRUE(env.messages.messages().empty());
    EXPECT_TRUE(shownText().contains(QStringLiteral("Power")));
    EXPECT_EQ(before, QDir(here).entryList(QDir::AllEntries | QDir::Hidden));
    EXPECT_EQ("", view.pageFilePath());
}

TEST_F(ResultViewTest, OtherFileErrorsShowTheirOwnText)
{
    // The page file's name is taken by a folder: the file cannot be created.
    ASSERT_TRUE(QDir().mkpath(pageFile()));
    view.loadData(3);
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(std::string(std::strerror(EISDIR)), env.messages.last());
    EXPECT_TRUE(shownText().isEmpty());
}

TEST_F(ResultViewGraphTest, GraphHandsTheTableToTheRegisteredViewer)
{
    registerViewer();
    bool enabled = false;
    ASSERT_TRUE(view.commandEnabled(ID_GRAPH, enabled));
    EXPECT_TRUE(enabled);
    ASSERT_TRUE(view.handleCommand(ID_GRAPH));

    EXPECT_TRUE(env.messages.messages().empty()) << env.messages.last();
    ASSERT_EQ(1u, launcher.starts().size());
    EXPECT_EQ(ZENTRIMA_GRAPH_VIEWER, launcher.starts()[0].program);
    const QString script = env.tempFile(QStringLiteral("zentrima.qxc"));
    EXPECT_EQ(std::vector<std::string>{argumentFor(script)}, launcher.starts()[0].arguments);
    const QByteArray text = readAll(script);
    EXPECT_TRUE(text.contains("SetTitle \"Sample size for paired t test\"\n")) << text.data();
    EXPECT_TRUE(text.contains("N of pairs\t99%\t95%\t90%\t80%\t50%\t\n")) << text.data();
    EXPECT_FALSE(readAll(env.tempFile(QStringLiteral("zentrima.qxt"))).isEmpty());
}

TEST_F(ResultViewGraphTest, GraphProblemsAreShownAndTheViewCarriesOn)
{
    const std::string needsViewer = LoadString(IDS_GRAPH_NEEDS_VORLA);
    // No viewer registered.
    ASSERT_TRUE(view.handleCommand(ID_GRAPH));
    EXPECT_EQ(std::vector<std::string>{needsViewer}, env.messages.messages());
    EXPECT_TRUE(launcher.starts().empty());

    // The script held open by a viewer still reading it: its message, and the command ends
    // quietly instead of throwing out of the window.
    registerViewer();
    const QString script = env.tempFile(QStringLiteral("zentrima.qxc"));
    {
        QFile create(script);
        ASSERT_TRUE(create.open(QIODevice::WriteOnly));
    }
    const int held = ::open(QFile::encodeName(script).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(0, ::flock(held, LOCK_EX | LOCK_NB));
    EXPECT_TRUE(view.handleCommand(ID_GRAPH));
    ::close(held);
    ASSERT_EQ(2u, env.messages.messages().size());
    EXPECT_EQ(LoadString(IDS_VORLA_SCRIPT_OPEN), env.messages.last());
    EXPECT_TRUE(launcher.starts().empty());

    // Once the viewer lets go, the next try goes through.
    EXPECT_TRUE(view.handleCommand(ID_GRAPH));
    EXPECT_EQ(1u, launcher.starts().size());
    EXPECT_EQ(2u, env.messages.messages().size());
}

TEST_F(ResultViewGraphTest, GraphIsOffOnlyWithoutACalculator)
{
    CAnalysisState empty;
    CResultView bare;
    bare.attach(&empty);
    bool enabled = true;
    ASSERT_TRUE(bare.commandEnabled(ID_GRAPH, enabled));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(bare.handleCommand(ID_GRAPH));
    EXPECT_TRUE(env.messages.messages().empty());
    EXPECT_TRUE(launcher.starts().empty());
}

} // namespace
