#include "ui/app/CMainFrame.h"

#include "ui/app/CChildFrame.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "platform/CMemorySettingsStore.h"
#include "ui/result/CResultView.h"
#include "ui/common/CStepView.h"
#include "ui/common/CommandIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

TEST(MainFramePlacementTest, StoredPlacementIsClampedToTheScreen)
{
    struct Case
    {
        const char* what;
        QSize screen;
        std::vector<std::pair<const char*, int>> stored;
        QRect expected;
    };
    const Case cases[] = {
        {"first start", {1024, 768}, {}, {102, 77, 819, 614}},
        {"narrow width raised",
         {1024, 768},
         {{"cx", 500}, {"x", 10}, {"y", 20}},
         {10, 20, 800, 600}},
        {"larger size kept",
         {1280, 1024},
         {{"cx", 1000}, {"cy", 700}, {"x", 5}, {"y", 6}},
         {5, 6, 1000, 700}},
        {"size cut to the screen", {1024, 768}, {{"cx", 2000}, {"cy", 900}}, {0, 0, 1024, 768}},
        // Nine tenths of 1024 is 921.6, which rounds to 922.
        {"x at nine tenths stays", {1024, 768}, {{"x", 922}, {"y", 0}}, {922, 0, 800, 600}},
        {"x beyond nine tenths centred", {1024, 768}, {{"x", 923}, {"y", 0}}, {112, 0, 800, 600}},
        {"y beyond nine tenths centred", {1024, 768}, {{"x", 0}, {"y", 700}}, {0, 84, 800, 600}},
        {"negative becomes 0", {1024, 768}, {{"x", -40}, {"y", -1}}, {0, 0, 800, 600}},
        {"small screen", {640, 480}, {}, {0, 0, 640, 480}},
    };
    for (const Case& c : cases) {
        CMemorySettingsStore settings;
        for (const auto& [name, value] : c.stored)
            settings.writeInt("ShowStyle", name, value);
        EXPECT_EQ(c.expected, CMainFrame::initialPlacement(settings, QRect(QPoint(), c.screen)))
            << c.what;
    }
}

// The texts of a menu's items, "-" for a separator.
QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QStringList menuTitles(CMainFrame& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    return titles;
}

const QMenu* menuAt(CMainFrame& frame, int index)
{
    return frame.menuBar()->actions().at(index)->menu();
}

class MainFrameTest : public ::testing::Test
{
protected:
    MainFrameTest()
    {
        frame.resize(1000, 760);
        frame.show();
    }

    CChildFrame* open()
    {
        CChildFrame* child = frame.openNewWindow();
        settleEvents();
        return child;
    }
    static void click(CChildFrame* child, const char* name)
    {
        child->currentView()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        settleEvents();
    }
    static void type(CChildFrame* child, const char* name, const char* text)
    {
        child->currentView()->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
    }
    static void calculatePaired(CChildFrame* child, const char* sd)
    {
        if (child->currentStep() == 1) {
            click(child, "1003");
            click(child, "1");
        }
        type(child, "1100", sd);
        type(child, "1025", "0.5");
        click(child, "1");
    }
    static QString pageText(CChildFrame* child)
    {
        auto* view = qobject_cast<CResultView*>(child->currentView());
        return view ? view->browser()->toPlainText() : QString();
    }

    CFramesTestEnvironment env;
    CMainFrame frame;
};

TEST_F(MainFrameTest, ShortMenusWithoutAnAnalysisWindow)
{
    EXPECT_FALSE(frame.showsAnalysisMenus());
    EXPECT_EQ(QStringList({"&File", "&Help"}), menuTitles(frame));
    EXPECT_EQ(QStringList({"&New Window\tCtrl+N", "-", "E&xit"}), itemTexts(menuAt(frame, 0)));
    EXPECT_EQ(QStringLiteral("Veldrine Zentrima 2.00"), frame.windowTitle());
}

TEST_F(MainFrameTest, FullMenusWhileAnAnalysisWindowIsOpen)
{
    CChildFrame* child = open();
    ASSERT_TRUE(frame.showsAnalysisMenus());
    EXPECT_EQ(QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}), menuTitles(frame));
    const QStringList file = {"&New\tCtrl+N",
                              "&Close",
                              "-",
                              "&Export...",
                              "&Graph in Vorla",
                              "To &Word\tCtrl+W",
                              "-",
                              "Page Set&up...",
                              "&Print...\tCtrl+P",
                              "-",
                              "E&xit"};
    const QStringList edit = {"&Undo\tCtrl+Z",
                              "-",
                              "Cu&t\tCtrl+X",
                              "&Copy\tCtrl+C",
                              "&Paste\tCtrl+V",
                              "-",
                              "C&lear",
                              "-",
                              "Select &Results Table\tCtrl+R",
                              "Select &All\tCtrl+A"};
    const QStringList view = {"&Next Step\tCtrl+Right Arrow",
                              "&Previous Step\tCtrl+Left Arrow",
                              "-",
                              "Step &1. Choose Analysis\tCtrl+1",
                              "Step &2. Define Experiment\tCtrl+2",
                              "Step &3. Choose Power && N\tCtrl+3",
                              "-",
                              "&Increase Font Size\tCtrl + ",
                              "&Decrease Font Size\tCtrl -  ",
                              "-",
                              "&Exact Distributions"};
    const QStringList window = {"&Duplicate Window\tCtrl+D", "-", "&Cascade", "&Tile"};
    const QStringList help = {"&Contents...\tCtrl+F1",
                              "-",
                              "&What does Zentrima do?",
                              "&Sample Size tutorial",
                              "&Power tutorial",
                              "-",
                              "&License Agreement",
                              "&How to Cite Zentrima",
                              "&Technical Support",
                              "-",
                              "&Visit www.example.com",
                              "Check for &Updates",
                              "-",
                              "&About Veldrine Zentrima"};
    EXPECT_EQ(file, itemTexts(menuAt(frame, 0)));
    EXPECT_EQ(edit, itemTexts(menuAt(frame, 1)));
    EXPECT_EQ(view, itemTexts(menuAt(frame, 2)));
    EXPECT_EQ(window, itemTexts(menuAt(frame, 3)));
    EXPECT_EQ(help, itemTexts(menuAt(frame, 4)));

    // The last window closed: the short menus come back.
    child->close();
    settleEvents();
    EXPECT_FALSE(frame.showsAnalysisMenus());
    EXPECT_EQ(QStringList({"&File", "&Help"}), menuTitles(frame));
}

TEST_F(MainFrameTest, AcceleratorsOfTheTables)
{
    std::set<QString> keys;
    for (QShortcut* shortcut : frame.findChildren<QShortcut*>())
        keys.insert(shortcut->key().toString(QKeySequence::PortableText));
    for (const char* key :
         {"Ctrl+N",   "Ctrl+A",    "Ctrl+C", "Ctrl+Ins",      "Ctrl+V",    "Shift+Ins",
          "Ctrl+X",   "Shift+Del", "Ctrl+Z", "Alt+Backspace", "Ctrl+F1",   "F6",
          "Shift+F6", "Ctrl+1",    "Ctrl+2", "Ctrl+3",        "Ctrl+Left", "Ctrl+Right",
          "Ctrl+D",   "Ctrl+R",    "Ctrl+W", "Ctrl+P"})
        EXPECT_EQ(1u, keys.count(QString::fromLatin1(key))) << key;
    EXPECT_EQ(22u, keys.size());
    // The text-size keys are read from the key presses, keypad or not.
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
    } zoomKeys[] = {
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, ID_ZOOM_IN},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, ID_ZOOM_OUT},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, ID_ZOOM_IN},
        {Qt::Key_Plus, Qt::ControlModifier, ID_ZOOM_IN},
        {Qt::Key_Equal, Qt::ControlModifier, ID_ZOOM_IN},
        {Qt::Key_Minus, Qt::ControlModifier, ID_ZOOM_OUT},
        {Qt::Key_Plus, Qt::KeypadModifier, 0},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier, 0},
        {Qt::Key_Equal, Qt::NoModifier, 0},
    };
    for (const auto& z : zoomKeys) {
        const QKeyEvent press(QEvent::KeyPress, z.key, z.modifiers);
        EXPECT_EQ(z.command, CMainFrame::zoomCommandFor(press))
            << z.key << " " << z.modifiers.toInt();
    }
}

TEST_F(MainFrameTest, MenuStatesFollowTheActiveWindow)
{
    CChildFrame* child = open();
    frame.updateCommandStates();
    EXPECT_FALSE(frame.menuAction(ID_PREVIOUS_STEP)->isEnabled());
    EXPECT_TRUE(frame.menuAction(ID_NEXT_STEP)->isEnabled());
    EXPECT_TRUE(frame.menuAction(ID_STEP_1)->isChecked());
    EXPECT_FALSE(frame.menuAction(ID_STEP_3)->isEnabled());
    EXPECT_FALSE(frame.menuAction(ID_SELECT_RESULTS)->isEnabled());
    EXPECT_FALSE(frame.menuAction(ID_ZOOM_IN)->isEnabled());
    // The page commands have nothing to act on in the forms.
    for (int id : {ID_FILE_EXPORT, ID_GRAPH, ID_TO_WORD, ID_PAGE_SETUP, ID_FILE_PRINT})
        EXPECT_FALSE(frame.menuAction(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.menuAction(ID_DUPLICATE_WINDOW)->isEnabled());
    // Without the application object nobody answers the help commands.
    EXPECT_FALSE(frame.menuAction(ID_LEARN)->isEnabled());

    click(child, "1001");
    frame.updateCommandStates();
    EXPECT_EQ(QStringLiteral("Step &3. Choose Power\tCtrl+3"), frame.menuAction(ID_STEP_3)->text());
    click(child, "1000");
    calculatePaired(child, "10");
    frame.updateCommandStates();
    EXPECT_EQ(QStringLiteral("Step &3. Choose Power && N\tCtrl+3"),
              frame.menuAction(ID_STEP_3)->text());
    EXPECT_TRUE(frame.menuAction(ID_STEP_3)->isChecked());
    EXPECT_FALSE(frame.menuAction(ID_STEP_1)->isChecked());
    EXPECT_TRUE(frame.menuAction(ID_SELECT_RESULTS)->isEnabled());
    EXPECT_TRUE(frame.menuAction(ID_SELECT_ALL)->isEnabled());
    EXPECT_TRUE(frame.menuAction(ID_EDIT_COPY)->isEnabled());
    // On a page they are on exactly while the page view runs them.
    for (int id : {ID_FILE_EXPORT, ID_GRAPH, ID_TO_WORD, ID_PAGE_SETUP, ID_FILE_PRINT}) {
        bool runs = false;
        const bool decided = child->currentView()->commandEnabled(id, runs);
        EXPECT_EQ(decided && runs, frame.menuAction(id)->isEnabled()) << id;
    }
}

TEST_F(MainFrameTest, DisabledCommandDoesNotRun)
{
    CChildFrame* child = open();
    frame.runCommand(ID_STEP_3);
    EXPECT_EQ(1, child->currentStep());
    EXPECT_TRUE(env.messages.messages().empty());
    frame.runCommand(ID_NEXT_STEP);
    EXPECT_EQ(2, child->currentStep());
}

TEST_F(MainFrameTest, StepKeysLeaveTheEntryFieldsTheirWordKeys)
{
    CChildFrame* child = open();
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    if (!QTest::qWaitForWindowActive(&frame, 2000))
        GTEST_SKIP() << "the platform gives no active window";
    click(child, "1003");
    click(child, "1");
    auto* sd = child->currentView()->findChild<QLineEdit*>(QStringLiteral("1100"));
    sd->setFocus();
    QTest::keyClick(sd, Qt::Key_Left, Qt::ControlModifier);
    settleEvents();
    EXPECT_EQ(2, child->currentStep());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
    settleEvents();
    EXPECT_EQ(1, child->currentStep());
}

TEST_F(MainFrameTest, NewWindowIsMaximisedLikeTheActiveOne)
{
    // No window: the stored state of the last one closed, maximised by default.
    CChildFrame* first = open();
    EXPECT_TRUE(first->isMaximized());
    EXPECT_EQ(1, first->currentStep());
    CChildFrame* second = open();
    EXPECT_TRUE(second->isMaximized());

    first->showNormal();
    second->showNormal();
    second->resize(500, 400);
    frame.mdiArea()->setActiveSubWindow(second);
    CChildFrame* third = open();
    EXPECT_FALSE(third->isMaximized());
    EXPECT_EQ(QSize(500, 400), third->size());
    EXPECT_EQ(third, frame.activeChildFrame());
}

TEST_F(MainFrameTest, NewWindowWithoutAnActiveOneFollowsTheStoredShowState)
{
    env.settings.writeInt("ShowStyle", "ChildWindow", 1);
    CChildFrame* child = open();
    EXPECT_FALSE(child->isMaximized());
    EXPECT_EQ(QPoint(0, 0), child->pos());
}

TEST_F(MainFrameTest, DuplicateOfAReportShowsTheSameReportInItsOwnFile)
{
    CChildFrame* first = open();
    calculatePaired(first, "10");
    emit qobject_cast<CResultView*>(first->currentView())
        ->browser()
        ->anchorClicked(QUrl(QStringLiteral("?n=2&pow=1")));
    settleEvents();
    ASSERT_EQ(4, first->currentStep());

    frame.runCommand(ID_DUPLICATE_WINDOW, first);
    settleEvents();
    CChildFrame* copy = frame.activeChildFrame();
    ASSERT_NE(first, copy);
    EXPECT_EQ(4, copy->currentStep());
    EXPECT_EQ(first->analysisState().number() + 1, copy->analysisState().number());
    EXPECT_TRUE(QFile::exists(
        env.tempFile(QStringLiteral("zentrima%1.htm").arg(copy->analysisState().number()))));
    // The report up to its footer, whose clock may have moved on.
    EXPECT_EQ(pageText(first).section(QStringLiteral("\n"), 0, 20),
              pageText(copy).section(QStringLiteral("\n"), 0, 20));
}

TEST_F(MainFrameTest, PlacementIsWrittenWhenTheWindowGoes)
{
    {
        CMainFrame placed;
        placed.setGeometry(40, 50, 820, 640);
        placed.show();
    }
    EXPECT_EQ(1, env.settings.readInt("ShowStyle", "MainWindow", -1));
    EXPECT_EQ(40, env.settings.readInt("ShowStyle", "x", -1));
    EXPECT_EQ(50, env.settings.readInt("ShowStyle", "y", -1));
    EXPECT_EQ(820, env.settings.readInt("ShowStyle", "cx", -1));
    EXPECT_EQ(640, env.settings.readInt("ShowStyle", "cy", -1));
    {
        CMainFrame maximised;
        maximised.setGeometry(30, 20, 810, 610);
        maximised.showMaximized();
        settleEvents();
    }
    EXPECT_EQ(3, env.settings.readInt("ShowStyle", "MainWindow", -1));
    EXPECT_EQ(810, env.settings.readInt("ShowStyle", "cx", -1));
}

} // namespace
