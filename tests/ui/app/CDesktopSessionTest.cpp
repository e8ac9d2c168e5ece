// The program used as a person at the desktop uses it: restarting it, arranging windows,
// choosing them from the Window menu and working by the keyboard alone.
#include "ui/app/CChildFrame.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "ui/app/CMainFrame.h"
#include "ui/result/CPagePrinter.h"
#include "ui/result/CResultView.h"
#include "ui/common/CStepView.h"
#include "ui/app/CZentrimaApp.h"
#include "ui/common/CommandIds.h"
#include "calc/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <set>

namespace {

class DesktopSessionTest : public ::testing::Test
{
protected:
    std::unique_ptr<CZentrimaApp> start()
    {
        CZentrimaApp::Options options;
        options.showAbout = false;
        options.instanceFolder = env.runtimeFolder();
        options.settings = &env.settings;
        options.messages = &env.messages;
        auto app = std::make_unique<CZentrimaApp>(options);
        if (!app->initInstance())
            ADD_FAILURE() << "the program did not start";
        settleEvents();
        return app;
    }
    static void click(CChildFrame* child, const char* name)
    {
        child->currentView()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        settleEvents();
    }
    static QLineEdit* field(CChildFrame* child, const char* name)
    {
        return child->currentView()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    // Step 1 to the wanted step of the paired sample-size analysis (SD 10, r 0.5).
    static void walkTo(CChildFrame* child, int step)
    {
        if (step >= 2) {
            click(child, "1003");
            click(child, "1");
        }
        if (step >= 3) {
            field(child, "1100")->setText(QStringLiteral("10"));
            field(child, "1025")->setText(QStringLiteral("0.5"));
            click(child, "1");
        }
        if (step >= 4) {
            emit qobject_cast<CResultView*>(child->currentView())
                ->browser()
                ->anchorClicked(QUrl(QStringLiteral("?n=3&pow=2")));
            settleEvents();
        }
        ASSERT_EQ(step, child->currentStep());
    }
    static QSize screenSize()
    {
        return QGuiApplication::primaryScreen()->availableGeometry().size();
    }

    CFramesTestEnvironment env;
};

TEST_F(DesktopSessionTest, RestoredWindowAfterARestartIsAUsableWindow)
{
    QSize firstSize;
    {
        auto app = start();
        CChildFrame* child = app->mainFrame()->activeChildFrame();
        ASSERT_NE(nullptr, child);
        EXPECT_TRUE(child->isMaximized());
        // The analysis window's Restore button.
        child->showNormal();
        settleEvents();
        firstSize = child->size();
        app->mainFrame()->runCommand(ID_APP_EXIT);
        app->exitInstance();
    }
    EXPECT_EQ(1, env.settings.readInt("ShowStyle", "ChildWindow", -1));
    auto app = start();
    CMainFrame* frame = app->mainFrame();
    CChildFrame* child = frame->activeChildFrame();
    ASSERT_NE(nullptr, child);
    EXPECT_FALSE(child->isMaximized());
    const QSize area = frame->mdiArea()->viewport()->size();
    std::cout << "restored window: first start " << firstSize.width() << " x " << firstSize.height()
              << ", after the restart " << child->width() << " x " << child->height()
              << " in an area of " << area.width() << " x " << area.height() << "\n";
    for (const QSize& size : {firstSize, child->size()}) {
        // More than a title bar: the step tool bar and the form fit.
        EXPECT_GE(size.width(), child->minimumSizeHint().width());
        EXPECT_GE(size.height(), child->minimumSizeHint().height());
        EXPECT_GT(size.height(), 300);
        EXPECT_LE(size.width(), area.width());
        EXPECT_LE(size.height(), area.height());
    }
}

TEST_F(DesktopSessionTest, TileAndCascadeKeepTheMainWindowsSize)
{
    auto app = start();
    CMainFrame* frame = app->mainFrame();
    for (bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "maximized" : "normal");
        if (maximized)
            frame->showMaximized();
        else
            frame->showNormal();
        settleEvents();
        // A window in every step, the step-1 form (the widest) among them.
        while (frame->childFrames().size() < 4)
            frame->runCommand(ID_FILE_NEW);
        settleEvents();
        const QList<CChildFrame*> children = frame->childFrames();
        for (int i = 0; i < children.size(); ++i)
            if (children[i]->currentStep() < i + 1)
                walkTo(children[i], i + 1);
        const QSize before = frame->size();
        for (int command : {ID_WINDOW_TILE, ID_WINDOW_CASCADE, ID_WINDOW_TILE}) {
            frame->runCommand(command);
            settleEvents();
            std::cout << (command == ID_WINDOW_TILE ? "Tile" : "Cascade") << ": main window "
                      << frame->width() << " x " << frame->height() << " on a screen of "
                      << screenSize().width() << " x " << screenSize().height() << "\n";
            EXPECT_EQ(before, frame->size()) << command;
            EXPECT_LE(frame->width(), screenSize().width()) << command;
            EXPECT_LE(frame->height(), screenSize().height()) << command;
        }
    }
    // What is stored is what a restart may use.
    app->exitInstance();
    EXPECT_LE(env.settings.readInt("ShowStyle", "cx", 0), screenSize().width());
    EXPECT_LE(env.settings.readInt("ShowStyle", "cy", 0), screenSize().height());
}

TEST_F(DesktopSessionTest, WindowMenuListsTheAnalysisWindows)
{
    auto app = start();
    CMainFrame* frame = app->mainFrame();
    frame->runCommand(ID_FILE_NEW);
    frame->runCommand(ID_FILE_NEW);
    settleEvents();
    const QList<CChildFrame*> children = frame->childFrames();
    ASSERT_EQ(3, children.size());
    walkTo(children[1], 3);
    frame->mdiArea()->setActiveSubWindow(children[1]);
    settleEvents();

    QMenu* menu = frame->windowMenu();
    ASSERT_NE(nullptr, menu);
    emit menu->aboutToShow();
    QList<QAction*> listed;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->text().startsWith(QLatin1Char('&')) &&
            action->text().at(1).isDigit())
            listed << action;
    ASSERT_EQ(3, listed.size());
    EXPECT_EQ(QStringLiteral("&1 Analysis 1: Calculate sample size and power"), listed[0]->text());
    EXPECT_EQ(QStringLiteral("&2 Analysis 2: Sample size for paired t test"), listed[1]->text());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i == 1, listed[i]->isChecked()) << i;

    listed[2]->trigger();
    settleEvents();
    EXPECT_EQ(children[2], frame->activeChildFrame());
    // The list follows: opened again, the third is the checked one, and a closed window
    // is gone from it.
    children[0]->close();
    settleEvents();
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isChecked())
            texts << action->text();
    EXPECT_EQ(QStringList{QStringLiteral("&2 Analysis 3: Calculate sample size and power")}, texts);
}

// Every accelerator the menus show, pressed on the keyboard, runs its command.
TEST_F(DesktopSessionTest, EveryMenuAcceleratorRunsItsCommand)
{
    auto app = start();
    CMainFrame* frame = app->mainFrame();
    QApplication::setActiveWindow(frame);
    if (!QTest::qWaitForWindowActive(frame, 2000))
        GTEST_SKIP() << "the platform gives no active window";
    CChildFrame* child = frame->activeChildFrame();
    walkTo(child, 3);
    auto* view = qobject_cast<CResultView*>(child->currentView());
    ASSERT_NE(nullptr, view);
    view->browser()->setFocus();

    const auto press = [](QKeyCombination key) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : QApplication::activeWindow(), key.key(),
                        key.keyboardModifiers());
        settleEvents();
    };
    const auto pageView = [&]() { return qobject_cast<CResultView*>(child->currentView()); };

    // The accelerators as the menus show them, and what each must do.
    std::map<QString, std::function<void()>> checks;
    const auto zoomBy = [&](QKeyCombination key, int delta) {
        const int before = CResultView::zoomLevel();
        press(key);
        EXPECT_EQ(before + delta, CResultView::zoomLevel())
            << QKeySequence(key).toString().toStdString();
    };
    checks[QStringLiteral("&Increase Font Size\tCtrl + ")] = [&]() {
        zoomBy(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus), 1);
        zoomBy(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus), -1);
        zoomBy(QKeyCombination(Qt::ControlModifier, Qt::Key_Plus), 1);
        zoomBy(QKeyCombination(Qt::ControlModifier, Qt::Key_Minus), -1);
        zoomBy(QKeyCombination(Qt::ControlModifier, Qt::Key_Equal), 1);
        zoomBy(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Plus), 1);
    };
    checks[QStringLiteral("&Decrease Font Size\tCtrl -  ")] = [&]() {
        zoomBy(QKeyCombination(Qt::ControlModifier, Qt::Key_Minus), -1);
    };
    checks[QStringLiteral("Select &Results Table\tCtrl+R")] = [&]() {
        pageView()->browser()->setTextCursor(QTextCursor(pageView()->browser()->document()));
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_R));
        EXPECT_TRUE(
            pageView()->browser()->textCursor().selectedText().contains(QStringLiteral("Power")));
    };
    checks[QStringLiteral("Select &All\tCtrl+A")] = [&]() {
        pageView()->browser()->setTextCursor(QTextCursor(pageView()->browser()->document()));
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_A));
        EXPECT_TRUE(pageView()->browser()->textCursor().hasSelection());
    };
    checks[QStringLiteral("&Copy\tCtrl+C")] = [&]() {
        QApplication::clipboard()->clear();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_C));
        EXPECT_FALSE(QApplication::clipboard()->text().isEmpty());
    };
    checks[QStringLiteral("To &Word\tCtrl+W")] = [&]() {
        // No word processor on the path: the command answers with its message.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(env.programFolder()));
        env.messages.clear();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_W));
        qputenv("PATH", path);
        ASSERT_EQ(1u, env.messages.messages().size());
        EXPECT_EQ(LoadString(IDS_WORD_NOT_INSTALLED), env.messages.last());
        EXPECT_EQ(3, child->currentStep()) << "the window stays open";
    };
    checks[QStringLiteral("&Print...\tCtrl+P")] = [&]() {
        int dialogs = 0;
        CPagePrinter::setDialogRunners(
            [&](QPrinter& printer, QWidget*) {
                ++dialogs;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(env.tempFile(QStringLiteral("keys.pdf")));
                return true;
            },
            nullptr);
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_P));
        CPagePrinter::setDialogRunners(nullptr, nullptr);
        EXPECT_EQ(1, dialogs);
        EXPECT_TRUE(QFile::exists(env.tempFile(QStringLiteral("keys.pdf"))));
    };
    checks[QStringLiteral("&Contents...\tCtrl+F1")] = [&]() {
        // No help book beside the test program: the help command says where to get it.
        env.messages.clear();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_F1));
        ASSERT_EQ(1u, env.messages.messages().size());
        EXPECT_NE(std::string::npos, env.messages.last().find("Looking for"));
    };
    checks[QStringLiteral("&Previous Step\tCtrl+Left Arrow")] = [&]() {
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_Left));
        EXPECT_EQ(2, child->currentStep());
    };
    checks[QStringLiteral("&Next Step\tCtrl+Right Arrow")] = [&]() {
        // In a text field the key moves by words; on the form's button it moves on.
        child->currentView()->findChild<QWidget*>(QStringLiteral("1"))->setFocus();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_Right));
        EXPECT_EQ(3, child->currentStep());
    };
    checks[QStringLiteral("Step &1. Choose Analysis\tCtrl+1")] = [&]() {
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_1));
        EXPECT_EQ(1, child->currentStep());
    };
    checks[QStringLiteral("Step &2. Define Experiment\tCtrl+2")] = [&]() {
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_2));
        EXPECT_EQ(2, child->currentStep());
    };
    checks[QStringLiteral("Step &3. Choose Power && N\tCtrl+3")] = [&]() {
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_3));
        EXPECT_EQ(3, child->currentStep());
    };
    // The entry-field commands, in the SD field of step 2.
    checks[QStringLiteral("Cu&t\tCtrl+X")] = [&]() {
        QLineEdit* sd = field(child, "1100");
        sd->setFocus();
        sd->selectAll();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_X));
        EXPECT_EQ(QString(), sd->text());
        EXPECT_EQ(QStringLiteral("10"), QApplication::clipboard()->text());
    };
    checks[QStringLiteral("&Paste\tCtrl+V")] = [&]() {
        QLineEdit* sd = field(child, "1100");
        QApplication::clipboard()->setText(QStringLiteral("12"));
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_V));
        EXPECT_EQ(QStringLiteral("12"), sd->text());
    };
    checks[QStringLiteral("&Undo\tCtrl+Z")] = [&]() {
        QLineEdit* sd = field(child, "1100");
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
        EXPECT_NE(QStringLiteral("12"), sd->text()) << "the paste is undone";
        sd->setText(QStringLiteral("10"));
    };
    checks[QStringLiteral("&Duplicate Window\tCtrl+D")] = [&]() {
        const auto before = frame->childFrames().size();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_D));
        EXPECT_EQ(before + 1, frame->childFrames().size());
        EXPECT_EQ(child->currentStep(), frame->activeChildFrame()->currentStep());
    };
    checks[QStringLiteral("&New\tCtrl+N")] = [&]() {
        const auto before = frame->childFrames().size();
        press(QKeyCombination(Qt::ControlModifier, Qt::Key_N));
        EXPECT_EQ(before + 1, frame->childFrames().size());
        EXPECT_EQ(1, frame->activeChildFrame()->currentStep());
    };

    // The menus show exactly these accelerators.
    std::set<QString> shown;
    for (QAction* title : frame->menuBar()->actions())
        for (QAction* item : title->menu()->actions())
            if (item->text().contains(QLatin1Char('\t')))
                shown.insert(item->text());
    std::set<QString> checked;
    for (const auto& entry : checks)
        checked.insert(entry.first);
    EXPECT_EQ(checked, shown);

    const char* const order[] = {
        "&Increase Font Size\tCtrl + ",
        "&Decrease Font Size\tCtrl -  ",
        "Select &Results Table\tCtrl+R",
        "Select &All\tCtrl+A",
        "&Copy\tCtrl+C",
        "To &Word\tCtrl+W",
        "&Print...\tCtrl+P",
        "&Contents...\tCtrl+F1",
        "&Previous Step\tCtrl+Left Arrow",
        "Cu&t\tCtrl+X",
        "&Paste\tCtrl+V",
        "&Undo\tCtrl+Z",
        "&Next Step\tCtrl+Right Arrow",
        "Step &2. Define Experiment\tCtrl+2",
        "Step &3. Choose Power && N\tCtrl+3",
        "Step &1. Choose Analysis\tCtrl+1",
        "&Duplicate Window\tCtrl+D",
        "&New\tCtrl+N",
    };
    for (const char* name : order) {
        SCOPED_TRACE(name);
        checks.at(QString::fromLatin1(name))();
    }

    // Ctrl+F4 closes the active analysis window.
    const auto before = frame->childFrames().size();
    frame->activeChildFrame()->widget()->setFocus();
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_F4));
    EXPECT_EQ(before - 1, frame->childFrames().size());
}

} // namespace
