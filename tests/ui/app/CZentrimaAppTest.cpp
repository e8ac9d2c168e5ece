#include "ui/app/CZentrimaApp.h"

#include "ui/dialogs/CAboutDialog.h"
#include "calc/CCalculator.h"
#include "ui/app/CChildFrame.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "ui/help/CHelpWindow.h"
#include "ui/app/CMainFrame.h"
#include "ui/result/CResultView.h"
#include "ui/app/CSingleInstance.h"
#include "ui/app/CStepToolBar.h"
#include "ui/common/CStepView.h"
#include "ui/support/CUrlRecorder.h"
#include "ui/common/CommandIds.h"
#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

const char* const SdMessage = "SD must be a positive number.\nEnter correct value in the field "
                              "and try again.";

class ZentrimaAppTest : public ::testing::Test
{
protected:
    std::unique_ptr<CZentrimaApp> makeApp(bool about = false)
    {
        return makeApp(about, env.runtimeFolder());
    }
    // instanceFolder empty: the lock goes into the private folder, as the real program's.
    std::unique_ptr<CZentrimaApp> makeApp(bool about, const QString& instanceFolder)
    {
        CZentrimaApp::Options options;
        options.showAbout = about;
        options.instanceFolder = instanceFolder;
        options.settings = &env.settings;
        options.messages = &env.messages;
        return std::make_unique<CZentrimaApp>(options);
    }
    void runWithoutAPrivateFolder(const QString& instanceFolder);
    static void click(CChildFrame* child, const char* name)
    {
        child->currentView()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        settleEvents();
    }
    static void type(CChildFrame* child, const char* name, const char* text)
    {
        child->currentView()->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
    }
    static QString pageText(CChildFrame* child)
    {
        auto* view = qobject_cast<CResultView*>(child->currentView());
        return view ? view->browser()->toPlainText() : QString();
    }
    static void clickCell(CChildFrame* child, const char* link)
    {
        emit qobject_cast<CResultView*>(child->currentView())
            ->browser()
            ->anchorClicked(QUrl(QString::fromLatin1(link)));
        settleEvents();
    }

    // A real mouse click on the page's text: its first place after the text after (if
    // given), skipping skip others.
    static void clickOnText(CChildFrame* child, const QString& text, int skip = 0,
                            const QString& after = QString())
    {
        QTextBrowser* browser = qobject_cast<CResultView*>(child->currentView())->browser();
        QTextCursor found;
        if (!after.isEmpty())
            found = browser->document()->find(after);
        for (int i = 0; i <= skip; ++i) {
            found = browser->document()->find(text, found);
            ASSERT_FALSE(found.isNull()) << text.toStdString();
        }
        QTextCursor inside(browser->document());
        inside.setPosition(found.selectionStart() + text.size() / 2);
        browser->setTextCursor(inside);
        browser->ensureCursorVisible();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                          browser->cursorRect(inside).center());
        settleEvents();
    }

    CFramesTestEnvironment env;
};

// A whole use of the program, as a user would go through it.
TEST_F(ZentrimaAppTest, WholeUse)
{
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    CMainFrame* frame = app->mainFrame();
    ASSERT_TRUE(frame->isVisible());
    CChildFrame* w1 = frame->activeChildFrame();
    ASSERT_NE(nullptr, w1);
    ASSERT_EQ(1, w1->analysisState().number());
    EXPECT_EQ(QStringLiteral("Analysis 1: Calculate sample size and power"), w1->windowTitle());
    CStepToolBar& bar = *w1->stepToolBar();
    EXPECT_TRUE(bar.isButtonChecked(ID_STEP_1));
    EXPECT_FALSE(bar.isButtonEnabled(ID_PREVIOUS_STEP));
    EXPECT_FALSE(bar.isButtonEnabled(ID_STEP_3));
    EXPECT_FALSE(bar.isButtonEnabled(ID_STEP_4));

    // Step 1 to 3: the paired design, SD and r, Calculate.
    click(w1, "1003");
    click(w1, "1");
    EXPECT_EQ(QStringLiteral("Analysis 1: Calculate sample size for a paired t test"),
              w1->windowTitle());
    type(w1, "1100", "10");
    type(w1, "1025", "0.5");
    click(w1, "1");
    ASSERT_EQ(3, w1->currentStep());
    EXPECT_EQ(QStringLiteral("Analysis 1: Sample size for paired t test"), w1->windowTitle());
    EXPECT_TRUE(
        pageText(w1).contains(QStringLiteral("Expected correlation (r) among pairs = 0.5")));
    EXPECT_TRUE(QFile::exists(env.tempFile("zentrima1.htm")));

    // View Report before a click.
    bar.button(ID_STEP_4)->click();
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(LoadString(IDS_NO_SELECTED_CELL), env.messages.last());
    EXPECT_EQ(CMessageSink::Icon::Warning, env.messages.icons().back());
    EXPECT_EQ(3, w1->currentStep());
    EXPECT_TRUE(bar.isButtonChecked(ID_STEP_3));
    EXPECT_FALSE(bar.isButtonChecked(ID_STEP_4));

    // A cell: its report.
    clickCell(w1, "?n=3&pow=2");
    ASSERT_EQ(4, w1->currentStep());
    EXPECT_EQ(QStringLiteral("Analysis 1: Explanation of sample size for paired t test"),
              w1->windowTitle());
    CCalculator* calc = w1->analysisState().currentCalculator();
    EXPECT_TRUE(pageText(w1).contains(
        QStringLiteral("N = %1 and power = %2%").arg(calc->m_ns[3]).arg(calc->m_powers[2])));
    const QString report = pageText(w1);

    // Back to step 3 keeps the cell; View Report shows it again without a click.
    frame->runCommand(ID_STEP_3);
    ASSERT_EQ(3, w1->currentStep());
    frame->runCommand(ID_STEP_4);
    ASSERT_EQ(4, w1->currentStep());
    EXPECT_EQ(report.section('\n', 0, 20), pageText(w1).section('\n', 0, 20));
    EXPECT_EQ(1u, env.messages.messages().size());

    // Back to step 2 clears it; an invalid field stays in step 2 with its message.
    frame->runCommand(ID_STEP_2);
    ASSERT_EQ(2, w1->currentStep());
    EXPECT_FALSE(calc->HasSelection());
    type(w1, "1100", "");
    click(w1, "1");
    EXPECT_EQ(2, w1->currentStep());
    EXPECT_EQ(SdMessage, env.messages.last());
    EXPECT_TRUE(bar.isButtonChecked(ID_STEP_2));
    type(w1, "1100", "10");
    click(w1, "1");
    ASSERT_EQ(3, w1->currentStep());
    const QString table = pageText(w1);

    // Duplicate Window: window 2 in step 3 with the same table, then changed on its own.
    frame->runCommand(ID_DUPLICATE_WINDOW);
    settleEvents();
    CChildFrame* w2 = frame->activeChildFrame();
    ASSERT_NE(w1, w2);
    EXPECT_EQ(QStringLiteral("Analysis 2: Sample size for paired t test"), w2->windowTitle());
    EXPECT_EQ(table, pageText(w2));
    frame->runCommand(ID_STEP_2);
    type(w2, "1100", "25");
    click(w2, "1");
    ASSERT_EQ(3, w2->currentStep());
    EXPECT_NE(table, pageText(w2));
    EXPECT_EQ(table, pageText(w1));
    EXPECT_TRUE(QFile::exists(env.tempFile("zentrima2.htm")));

    // Zoom: both ends, every window at once.
    while (frame->commandEnabled(ID_ZOOM_IN))
        frame->runCommand(ID_ZOOM_IN);
    EXPECT_EQ(CResultView::ZoomMaximum, CResultView::zoomLevel());
    while (frame->commandEnabled(ID_ZOOM_OUT))
        frame->runCommand(ID_ZOOM_OUT);
    EXPECT_EQ(0, CResultView::zoomLevel());
    for (CChildFrame* child : {w1, w2})
        EXPECT_EQ(CResultView::pixelSizeForLevel(0),
                  qobject_cast<CResultView*>(child->currentView())
                      ->browser()
                      ->document()
                      ->defaultFont()
                      .pixelSize());

    // Exit: the page files go, other files of the folder stay.
    QFile other(env.tempFile("other.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    QFile graph(env.tempFile("zentrima.qxc"));
    ASSERT_TRUE(graph.open(QIODevice::WriteOnly));
    graph.close();
    app->exitInstance();
    EXPECT_FALSE(QFile::exists(env.tempFile("zentrima1.htm")));
    EXPECT_FALSE(QFile::exists(env.tempFile("zentrima2.htm")));
    EXPECT_FALSE(QFile::exists(env.tempFile("zentrima.qxc")));
    EXPECT_TRUE(QFile::exists(env.tempFile("other.txt")));
    EXPECT_EQ(3, env.settings.readInt("ShowStyle", "ChildWindow", -1));
    EXPECT_EQ(1, env.settings.readInt("ShowStyle", "MainWindow", -1));
    EXPECT_EQ(0, env.settings.readInt("ShowStyle", "ZoomFactor", -1));
}

// Two proportions, from step 1 to a report, through a table whose small groups cannot
// detect any increase: those cells are plain text, and a click on one changes nothing.
TEST_F(ZentrimaAppTest, TwoProportionsWalkPastImpossibleCells)
{
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    CChildFrame* w = app->mainFrame()->activeChildFrame();
    click(w, "1006");
    click(w, "1");
    ASSERT_EQ(2, w->currentStep());
    EXPECT_EQ("Analysis 1: Calculate sample size for a chi-square test",
              w->windowTitle().toStdString());
    type(w, "1057", "0.9");
    auto* direction = w->currentView()->findChild<QComboBox*>(QStringLiteral("1033"));
    direction->setCurrentIndex(direction->findText(QStringLiteral("higher")));
    click(w, "1");
    ASSERT_EQ(3, w->currentStep());
    EXPECT_TRUE(pageText(w).contains(
        QStringLiteral("Expected proportion \"success\" in the control group = 0.9")));
    EXPECT_TRUE(pageText(w).contains(QStringLiteral("Impossible")));

    clickOnText(w, QStringLiteral("Impossible"));
    EXPECT_EQ(3, w->currentStep());
    EXPECT_FALSE(w->analysisState().currentCalculator()->HasSelection());
    EXPECT_TRUE(env.messages.messages().empty());

    // The first number of the table is a cell: its report.
    clickOnText(w, QStringLiteral("0.10"));
    ASSERT_EQ(4, w->currentStep());
    EXPECT_TRUE(w->analysisState().currentCalculator()->HasSelection());
    EXPECT_TRUE(pageText(w).contains(QStringLiteral("0.9")));
    EXPECT_TRUE(env.messages.messages().empty());
}

// Power of a finished survival study, from step 1 to a report; with 20 subjects only the
// lowest power row has a detectable difference.
TEST_F(ZentrimaAppTest, SurvivalPowerWalkPastImpossibleCells)
{
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    CChildFrame* w = app->mainFrame()->activeChildFrame();
    click(w, "1001");
    click(w, "1005");
    click(w, "1");
    ASSERT_EQ(2, w->currentStep());
    // 10% deaths in the controls: 90% survive.
    type(w, "1057", "0.1");
    type(w, "1044", "20");
    click(w, "1");
    ASSERT_EQ(3, w->currentStep());
    EXPECT_TRUE(pageText(w).contains(QStringLiteral("Total sample size = 20")));

    clickOnText(w, QStringLiteral("Impossible"), 3);
    EXPECT_EQ(3, w->currentStep());
    EXPECT_FALSE(w->analysisState().currentCalculator()->HasSelection());

    // In a power table the link is on the power, beside the difference.
    clickOnText(w, QStringLiteral("10"), 0, QStringLiteral("0.074"));
    ASSERT_EQ(4, w->currentStep());
    EXPECT_TRUE(pageText(w).contains(QStringLiteral("0.074")));
    EXPECT_TRUE(env.messages.messages().empty());

    // Back to step 2 and a new size: a new table, the old cell forgotten.
    app->mainFrame()->runCommand(ID_STEP_2);
    type(w, "1044", "2000");
    click(w, "1");
    ASSERT_EQ(3, w->currentStep());
    EXPECT_FALSE(pageText(w).contains(QStringLiteral("Impossible")));
    EXPECT_FALSE(w->analysisState().currentCalculator()->HasSelection());
}

TEST_F(ZentrimaAppTest, StoredPlacementIsClampedAtStartUp)
{
    env.settings.writeInt("ShowStyle", "cx", 500);
    env.settings.writeInt("ShowStyle", "cy", 300);
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    const QSize screen = app->mainFrame()->screen()->geometry().size();
    EXPECT_EQ(QRect((screen.width() - qMin(800, screen.width())) / 2,
                    (screen.height() - qMin(600, screen.height())) / 2, qMin(800, screen.width()),
                    qMin(600, screen.height())),
              app->mainFrame()->geometry());
}

TEST_F(ZentrimaAppTest, MaximisedMainWindowComesBackMaximisedAndTiled)
{
    {
        auto app = makeApp();
        ASSERT_TRUE(app->initInstance());
        app->mainFrame()->openNewWindow();
        app->mainFrame()->showMaximized();
        settleEvents();
    }
    EXPECT_EQ(3, env.settings.readInt("ShowStyle", "MainWindow", -1));
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    EXPECT_TRUE(app->mainFrame()->isMaximized());
    // Tiled: the analysis window is not maximised inside the main window.
    EXPECT_FALSE(app->mainFrame()->activeChildFrame()->isMaximized());
}

TEST_F(ZentrimaAppTest, SecondCopyBringsTheFirstForwardAndEnds)
{
    auto first = makeApp();
    ASSERT_TRUE(first->initInstance());
    CMainFrame* frame = first->mainFrame();
    frame->showMinimized();
    settleEvents();
    ASSERT_TRUE(frame->isMinimized());
    QFile page(env.tempFile("zentrima-page-of-the-first.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();

    {
        auto second = makeApp();
        EXPECT_FALSE(second->initInstance());
        EXPECT_EQ(nullptr, second->mainFrame());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isMinimized(); }, 5000));
    // The second copy's end leaves the first one's files alone.
    EXPECT_TRUE(page.exists());
}

TEST_F(ZentrimaAppTest, HelpWithoutTheBookShowsWhereToGetIt)
{
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    EXPECT_EQ(QDir(env.programFolder()).filePath("Zentrima.rcc"), app->helpBookPath());
    app->mainFrame()->runCommand(ID_LEARN);
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(helpMissingMessage("Zentrima.rcc").toStdString(), env.messages.last());
    EXPECT_EQ(CMessageSink::Icon::Stop, env.messages.icons().back());
    // The tool bar's Learn goes the same way.
    app->mainFrame()->activeChildFrame()->stepToolBar()->button(ID_LEARN)->click();
    EXPECT_EQ(2u, env.messages.messages().size());
    // A file that is no help book is no better.
    QFile junk(app->helpBookPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a book");
    junk.close();
    app->showHelp(1720);
    EXPECT_EQ(3u, env.messages.messages().size());
    EXPECT_TRUE(app->helpWindow() == nullptr || !app->helpWindow()->isVisible());
}

// Every way into help, from the menu, the tool bar and the forms, through the real window.
TEST_F(ZentrimaAppTest, EveryHelpRequestShowsItsTopicOrOnlyTheMissingBookMessage)
{
    const QString book = QDir(env.programFolder()).filePath("Zentrima.rcc");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTRIMA_HELP_BOOK), book));
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    CMainFrame* frame = app->mainFrame();
    CChildFrame* w = frame->activeChildFrame();

    const auto menu = [&](int command) {
        return [&, command] { frame->menuAction(command)->trigger(); };
    };
    // "Help me decide" on the sample-size form of a design, reached through step 1; the
    // one-way ANOVA button is never shown, so it is checked directly.
    const auto decide = [&](const char* designButton) {
        return [&, designButton] {
            frame->runCommand(ID_STEP_1);
            click(w, "1000");
            auto* design = w->currentView()->findChild<QAbstractButton*>(designButton);
            design->setChecked(true);
            click(w, "1");
            ASSERT_EQ(2, w->currentStep()) << designButton;
            click(w, "1078");
        };
    };
    const struct
    {
        const char* what;
        std::function<void()> ask;
        int topic;
    } requests[] = {
        {"Contents", menu(ID_LEARN), CHelpWindow::ContentsTopic},
        {"What does", menu(ID_HELP_WHAT_DOES), 1000},
        {"&Power tutorial", menu(ID_HELP_POWER_TUTORIAL), 1720},
        {"&Sample Size tutorial", menu(ID_HELP_SAMPLE_TUTORIAL), 1360},
        {"License", menu(ID_HELP_LICENSE), 1310},
        {"Cite", menu(ID_HELP_CITE), 1300},
        {"Support", menu(ID_HELP_SUPPORT), 1320},
        {"Learn", [&] { w->stepToolBar()->button(ID_LEARN)->click(); }, CHelpWindow::ContentsTopic},
        {"Master the concepts",
         [&] {
             frame->runCommand(ID_STEP_1);
             click(w, "1078");
         },
         CHelpWindow::ContentsTopic},
        {"unpaired", decide("1002"), 1830},
        {"paired", decide("1003"), 1480},
        {"ANOVA", decide("1004"), 1450},
        {"survival", decide("1005"), 1460},
        {"proportions", decide("1006"), 1260},
        {"one-sample", decide("1007"), 1510},
    };
    for (const auto& request : requests) {
        // Another page in front first, so that each request has to bring its own.
        if (CHelpWindow* help = app->helpWindow())
            help->showTopic(request.topic == 1300 ? 1310 : 1300);
        request.ask();
        CHelpWindow* help = app->helpWindow();
        ASSERT_NE(nullptr, help) << request.what;
        EXPECT_TRUE(help->isVisible()) << request.what;
        const QUrl expected = request.topic == CHelpWindow::ContentsTopic
                                  ? help->book().startUrl()
                                  : help->book().topicUrl(request.topic);
        EXPECT_FALSE(expected.isEmpty()) << request.what;
        EXPECT_EQ(expected, help->topicView()->source()) << request.what;
    }
    EXPECT_TRUE(env.messages.messages().empty());

    // The book renamed: each request shows the message naming the file, and nothing else.
    app->helpWindow()->hide();
    ASSERT_TRUE(QFile::rename(book, book + QStringLiteral(".old")));
    std::size_t shown = 0;
    for (const auto& request : requests) {
        request.ask();
        ASSERT_EQ(++shown, env.messages.messages().size()) << request.what;
        EXPECT_EQ(helpMissingMessage("Zentrima.rcc").toStdString(), env.messages.last());
        EXPECT_EQ(CMessageSink::Icon::Stop, env.messages.icons().back());
        EXPECT_FALSE(app->helpWindow()->isVisible()) << request.what;
    }
}

TEST_F(ZentrimaAppTest, WebCommandsOpenTheHomeAndUpdatePages)
{
    CUrlRecorder browser;
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    app->mainFrame()->menuAction(ID_WEB_VISIT)->trigger();
    app->mainFrame()->menuAction(ID_WEB_UPDATES)->trigger();
    EXPECT_EQ(QStringList({QStringLiteral("http://www.example.com/"),
                           QStringLiteral("http://www.example.com/support/updates.cfm?"
                                          "program=Zentrima&platform=Linux&version=2.00")}),
              browser.opened);
    EXPECT_TRUE(env.messages.messages().empty());
}

TEST_F(ZentrimaAppTest, AboutBoxEndsTheStartUpUnlessTurnedOff)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDialog*>(QApplication::activeModalWidget());
        if (!about)
            return;
        shown = about->windowTitle();
        about->accept();
    });
    auto app = makeApp(true);
    ASSERT_TRUE(app->initInstance());
    EXPECT_EQ(QStringLiteral("About Zentrima 2 for Linux"), shown);
    app.reset();

    ::setenv("ZENTRIMA_NO_ABOUT", "1", 1);
    auto quiet = makeApp(true);
    const bool started = quiet->initInstance();
    ::unsetenv("ZENTRIMA_NO_ABOUT");
    EXPECT_TRUE(started);
    EXPECT_EQ(nullptr, QApplication::activeModalWidget());
}

// The clean-up deletes only the files this program writes, and links by those names (never
// what they point at); the documents handed to the word processor stay until the next start.
TEST_F(ZentrimaAppTest, CleanUpDeletesOnlyItsOwnFilesAndKeepsDocumentsUntilTheNextStart)
{
    const QString outside = QDir(env.programFolder()).filePath("outside.txt");
    auto makeFile = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    };
    makeFile(outside);
    auto populate = [&]() {
        makeFile(env.tempFile("zentrima7.htm"));
        makeFile(env.tempFile("zentrima-word-3.odt"));
        makeFile(env.tempFile("ZENTRIMA-backup.txt"));
        makeFile(env.tempFile("zentrima-notes.txt"));
        makeFile(env.tempFile("zentrima7.htm.orig"));
        QFile::link(outside, env.tempFile("zentrima.qxc"));
        ::mkfifo(QFile::encodeName(env.tempFile("zentrima8.htm")).constData(), 0600);
        QDir().mkpath(env.tempFile("zentrima9.htm"));
    };
    const QStringList othersKept = {"ZENTRIMA-backup.txt", "zentrima-notes.txt",
                                    "zentrima7.htm.orig", "zentrima8.htm", "zentrima9.htm"};
    auto entries = [&]() {
        QStringList names =
            QDir(env.tempFolder())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    };
    auto expected = [&](QStringList names) {
        names.sort();
        return names;
    };

    populate();
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    // At the start: what an earlier run left, documents included.
    EXPECT_EQ(expected(othersKept), entries());
    populate();
    app->exitInstance();
    EXPECT_EQ(expected(QStringList(othersKept) << "zentrima-word-3.odt"), entries());
    QFile target(outside);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray("x"), target.readAll());
}

// With no private folder to be had the program says so, runs, and writes nothing into the
// current folder; also when the single-instance lock had to go into that folder and so has
// nowhere to be.
TEST_F(ZentrimaAppTest, WithoutAPrivateFolderItSaysSoAndKeepsPagesOffTheDisk)
{
    for (bool lockFolderGiven : {true, false}) {
        SCOPED_TRACE(lockFolderGiven);
        env.messages.clear();
        runWithoutAPrivateFolder(lockFolderGiven ? env.runtimeFolder() : QString());
    }
}

void ZentrimaAppTest::runWithoutAPrivateFolder(const QString& instanceFolder)
{
    env.files.setTempFolder("");
    const QStringList here = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);
    auto app = makeApp(false, instanceFolder);
    ASSERT_TRUE(app->initInstance());
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(noPrivateFolderMessage().toStdString(), env.messages.last());
    CChildFrame* child = app->mainFrame()->activeChildFrame();
    click(child, "1003");
    click(child, "1");
    type(child, "1100", "10");
    type(child, "1025", "0.5");
    click(child, "1");
    ASSERT_EQ(3, child->currentStep());
    EXPECT_TRUE(pageText(child).contains(QStringLiteral("Power")));
    app->exitInstance();
    EXPECT_EQ(here, QDir::current().entryList(QDir::AllEntries | QDir::Hidden));
}

// A stale lock never keeps the program from starting; a copy that holds the lock but does
// not answer is named in a message instead of a silent end.
TEST_F(ZentrimaAppTest, StaleLocksDoNotBlockAndASilentFirstCopyIsNamed)
{
    QDir().mkpath(QDir(env.runtimeFolder()).filePath("instance.lock/left-over"));
    auto app = makeApp();
    ASSERT_TRUE(app->initInstance());
    app->exitInstance();

    CSingleInstance holder(env.runtimeFolder());
    ASSERT_EQ(CSingleInstance::Claim::First, holder.claim());
    env.messages.clear();
    auto second = makeApp();
    EXPECT_FALSE(second->initInstance());
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(otherCopyNotAnsweringMessage().toStdString(), env.messages.last());
}

TEST_F(ZentrimaAppTest, ExitRestoresThePlatformServices)
{
    {
        auto app = makeApp();
        ASSERT_TRUE(app->initInstance());
        EXPECT_EQ(&env.settings, &Platform::settings());
    }
    EXPECT_NE(&env.settings, &Platform::settings());
    EXPECT_NE(static_cast<CMessageSink*>(&env.messages), &Platform::messages());
}

} // namespace
