// What a user of a Linux desktop expects of the program: a command line that answers
// without a window, a first window that fits the screen, an about box that can be kept from
// opening, typed values that stay, the desktop's keys and windows that stay on the screen.
#include "ui/app/CChildFrame.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CStepToolBar.h"
#include "ui/app/CZentrimaApp.h"
#include "ui/dialogs/CAboutDialog.h"
#include "ui/forms/CStepForm.h"
#include "ui/help/CHelpWindow.h"
#include "ui/help/HelpTopics.h"
#include "ui/common/CommandIds.h"
#include "ui/common/WindowPlacement.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "platform/CMemorySettingsStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

TEST(DesktopCommandLineTest, AnswersWithoutAWindowOrADisplay)
{
    const struct
    {
        const char* option;
        const char* answer;
    } cases[] = {
        {"--help", "Usage:"},      {"-h", "--version"},
        {"--help-all", "Usage:"},  {"--version", "zentrima 2.00\n"},
        {"-v", "zentrima 2.00\n"},
    };
    for (const auto& c : cases) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ZENTRIMA_DESKTOP_PROGRAM), {QString::fromLatin1(c.option)});
        const bool ended = program.waitForFinished(20000);
        if (!ended)
            program.kill();
        ASSERT_TRUE(ended) << c.option << " opened the program instead of answering";
        EXPECT_EQ(QProcess::NormalExit, program.exitStatus()) << c.option;
        EXPECT_EQ(0, program.exitCode()) << c.option << program.readAllStandardError().data();
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput()).contains(c.answer))
            << c.option;
    }
}

TEST(DesktopPlacementTest, FirstWindowTakesAShareOfTheScreen)
{
    const struct
    {
        const char* what;
        QRect area;
        QSize least;
        QRect expected;
    } cases[] = {
        {"four fifths, centred", {0, 0, 1600, 1000}, {900, 600}, {160, 100, 1280, 800}},
        {"below a top panel", {0, 32, 1600, 968}, {900, 600}, {160, 129, 1280, 774}},
        {"second screen", {1920, 0, 1280, 1024}, {900, 600}, {2048, 102, 1024, 819}},
        {"wide enough for the tool bar", {0, 0, 1024, 768}, {900, 600}, {62, 77, 900, 614}},
        {"never below 800 x 600", {0, 0, 900, 700}, {300, 200}, {50, 50, 800, 600}},
        {"never beyond the screen", {0, 0, 640, 480}, {900, 600}, {0, 0, 640, 480}},
    };
    for (const auto& c : cases) {
        CMemorySettingsStore nothingStored;
        EXPECT_EQ(c.expected, CMainFrame::initialPlacement(nothingStored, c.area, c.least))
            << c.what;
    }
}

TEST(DesktopPlacementTest, WindowsAreBroughtWhollyOnTheScreen)
{
    const QRect area(0, 0, 1600, 1000);
    const struct
    {
        const char* what;
        QRect window;
        QRect expected;
    } cases[] = {
        {"inside stays", {100, 100, 800, 600}, {100, 100, 800, 600}},
        {"past the bottom right", {1200, 700, 800, 600}, {800, 400, 800, 600}},
        {"before the top left", {-300, -50, 800, 600}, {0, 0, 800, 600}},
        {"larger than the screen", {500, 500, 2000, 1200}, {0, 0, 1600, 1000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, WindowPlacement::fitted(c.window, area)) << c.what;
}

class DesktopWindowTest : public ::testing::Test
{
protected:
    DesktopWindowTest()
    {
        CStepForm::setHelpHandler([this](int topic) { topics.push_back(topic); });
    }
    ~DesktopWindowTest() override { CStepForm::setHelpHandler(nullptr); }

    CChildFrame* open(CMainFrame& frame)
    {
        CChildFrame* child = frame.openNewWindow();
        settleEvents();
        return child;
    }
    // A shown main window, made on first use.
    CMainFrame& shownFrame()
    {
        if (!m_frame) {
            m_frame = std::make_unique<CMainFrame>();
            m_frame->resize(1000, 760);
            m_frame->show();
        }
        return *m_frame;
    }
    // A new analysis window on the step-2 form of the paired sample-size design.
    CChildFrame* openPairedForm()
    {
        CChildFrame* child = open(shownFrame());
        click(child, "1003");
        click(child, "1");
        return child;
    }
    static void click(CChildFrame* child, const char* name)
    {
        child->currentView()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        settleEvents();
    }
    static QLineEdit* sdField(CChildFrame* child)
    {
        return child->currentView()->findChild<QLineEdit*>(QStringLiteral("1100"));
    }
    // Shortcuts answer in the active window only.
    static bool activate(QWidget& window)
    {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window, 2000);
    }
    static void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(target, key, modifiers);
        settleEvents();
    }

    CFramesTestEnvironment env;
    std::vector<int> topics;

private:
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(DesktopWindowTest, ToolBarShowsWholeInTheFirstWindow)
{
    for (const QRect& screen : {QRect(0, 0, 1600, 1000), QRect(0, 0, 1024, 768)}) {
        CMainFrame frame;
        CMemorySettingsStore nothingStored;
        frame.setGeometry(
            CMainFrame::initialPlacement(nothingStored, screen, frame.wholeToolBarSize()));
        frame.show();
        CChildFrame* child = open(frame);
        // No button goes behind the tool bar's extension arrow.
        CStepToolBar* bar = child->stepToolBar();
        int count = 0;
        const int* commands = CStepToolBar::commandIds(count);
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(bar->button(commands[i])->isVisible())
                << commands[i] << " on " << screen.width() << " x " << screen.height();
    }
}

TEST_F(DesktopWindowTest, AboutBoxAtStartUpFollowsItsCheckBox)
{
    const struct
    {
        int stored; // -1: nothing stored
        bool checked;
        bool shown;
    } cases[] = {{-1, true, true}, {1, true, true}, {0, false, false}};
    for (const auto& c : cases) {
        env.settings.deleteValue("Application", "ShowAboutAtStartup");
        if (c.stored >= 0)
            env.settings.writeInt("Application", "ShowAboutAtStartup", c.stored);
        // The box is modal: whoever opens it closes it again, clearing its check box.
        bool shown = false;
        bool checked = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&]() {
            if (auto* about = qobject_cast<CAboutDialog*>(QApplication::activeModalWidget())) {
                shown = true;
                checked = about->showAtStartupBox()->isChecked();
                about->showAtStartupBox()->setChecked(false);
                about->accept();
            }
        });
        closer.start(20);
        CZentrimaApp::Options options;
        options.instanceFolder = env.runtimeFolder();
        options.settings = &env.settings;
        options.messages = &env.messages;
        {
            CZentrimaApp app(options);
            ASSERT_TRUE(app.initInstance());
            settleEvents();
        }
        EXPECT_EQ(c.shown, shown) << c.stored;
        if (c.shown) {
            EXPECT_EQ(c.checked, checked) << c.stored;
        }
        // The cleared box keeps the next start quiet.
        EXPECT_EQ(0, env.settings.readInt("Application", "ShowAboutAtStartup", 1)) << c.stored;
    }
}

TEST_F(DesktopWindowTest, TypedValuesSurviveStepChangesAndDuplication)
{
    CMainFrame& frame = shownFrame();
    const struct
    {
        const char* how;
        std::function<CChildFrame*(CChildFrame*)> leaveAndComeBack;
    } cases[] = {
        {"previous and next step",
         [&](CChildFrame* child) {
             frame.runCommand(ID_PREVIOUS_STEP);
             frame.runCommand(ID_NEXT_STEP);
             return child;
         }},
        {"steps 1 and 2 of the tool bar",
         [&](CChildFrame* child) {
             child->stepToolBar()->button(ID_STEP_1)->click();
             settleEvents();
             child->stepToolBar()->button(ID_STEP_2)->click();
             settleEvents();
             return child;
         }},
        {"duplicate window",
         [&](CChildFrame*) {
             frame.runCommand(ID_DUPLICATE_WINDOW);
             settleEvents();
             return frame.activeChildFrame();
         }},
    };
    for (const auto& c : cases) {
        CChildFrame* child = openPairedForm();
        sdField(child)->setText(QStringLiteral("10"));
        CChildFrame* shown = c.leaveAndComeBack(child);
        ASSERT_EQ(2, shown->currentStep()) << c.how;
        EXPECT_EQ(QStringLiteral("10"), sdField(shown)->text()) << c.how;
    }
}

TEST_F(DesktopWindowTest, TextFieldsKeepTheirEditingKeys)
{
    if (!activate(shownFrame()))
        GTEST_SKIP() << "the platform gives no active window";
    CChildFrame* child = openPairedForm();
    QLineEdit* sd = sdField(child);
    sd->setFocus();
    sd->setText(QStringLiteral("10 20"));
    const struct
    {
        Qt::Key key;
        int cursor;
    } cases[] = {{Qt::Key_Left, 3}, {Qt::Key_Left, 0}, {Qt::Key_Right, 3}};
    for (const auto& c : cases) {
        press(sd, c.key, Qt::ControlModifier);
        EXPECT_EQ(2, child->currentStep()) << c.cursor;
        EXPECT_EQ(c.cursor, sd->cursorPosition());
        EXPECT_EQ(QStringLiteral("10 20"), sd->text());
    }
    // Outside a text field the same keys move between the steps.
    child->currentView()->findChild<QWidget*>(QStringLiteral("1"))->setFocus();
    press(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(1, child->currentStep());
}

TEST_F(DesktopWindowTest, F1OpensTheHelpOfTheStep)
{
    const struct
    {
        int step;
        int goal;
        int design;
        int topic;
    } cases[] = {
        {1, 0, 0, HelpTopic::WhatZentrimaDoes},  {2, 0, 0, HelpTopic::DecideUnpaired},
        {2, 0, 1, HelpTopic::DecidePaired},      {2, 0, 3, HelpTopic::DecideSurvival},
        {2, 0, 4, HelpTopic::DecideProportions}, {2, 0, 5, HelpTopic::DecideOneSample},
        {2, 1, 1, HelpTopic::PowerTutorial},     {3, 0, 1, HelpTopic::SampleSizeTutorial},
        {4, 1, 0, HelpTopic::PowerTutorial},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.topic, CMainFrame::stepHelpTopic(c.step, c.goal, c.design))
            << c.step << " " << c.goal << " " << c.design;

    // The key itself, on the paired sample-size form and with no analysis window.
    if (!activate(shownFrame()))
        GTEST_SKIP() << "the platform gives no active window";
    CChildFrame* child = openPairedForm();
    press(sdField(child), Qt::Key_F1);
    child->close();
    settleEvents();
    press(&shownFrame(), Qt::Key_F1);
    EXPECT_EQ(std::vector<int>({HelpTopic::DecidePaired, HelpTopic::Contents}), topics);
}

TEST_F(DesktopWindowTest, DesktopKeysAndMnemonics)
{
    CMainFrame& frame = shownFrame();
    CChildFrame* child = open(frame);

    // Every item of every menu, and the menus themselves, can be reached by a letter, and no
    // letter is taken twice in one menu.
    for (QAction* title : frame.menuBar()->actions()) {
        EXPECT_TRUE(title->text().contains(QLatin1Char('&'))) << title->text().toStdString();
        std::vector<QChar> letters;
        for (QAction* item : title->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QString text = QString(item->text()).replace(QStringLiteral("&&"), QString());
            const int at = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(at, 0) << item->text().toStdString();
            const QChar letter = text.at(at + 1).toLower();
            EXPECT_EQ(letters.end(), std::find(letters.begin(), letters.end(), letter))
                << item->text().toStdString();
            letters.push_back(letter);
        }
    }

    // Step 1: the keyboard starts at the goal, and Tab goes on to the design, then to the
    // buttons under them.
    if (!activate(frame))
        GTEST_SKIP() << "the platform gives no active window";
    QStringList order;
    for (int i = 0; i < 4 && QApplication::focusWidget(); ++i) {
        order << QApplication::focusWidget()->objectName();
        press(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(4, order.size());
    EXPECT_EQ(QStringLiteral("1000"), order[0]) << order.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(QStringLiteral("1002"), order[1]) << order.join(QLatin1Char(' ')).toStdString();

    // Ctrl+Q quits.
    press(child->currentView(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(DesktopWindowTest, EscapeClosesTheHelpWindow)
{
    CHelpWindow help;
    ASSERT_TRUE(help.openBook(QStringLiteral(ZENTRIMA_HELP_BOOK)));
    for (const int topic : {HelpTopic::Contents, HelpTopic::PowerTutorial, HelpTopic::Index}) {
        ASSERT_TRUE(help.showHelp(topic));
        settleEvents();
        ASSERT_TRUE(help.isVisible());
        if (!activate(help))
            GTEST_SKIP() << "the platform gives no active window";
        // Wholly on its screen, frame included, wherever it was before.
        const QRect area = WindowPlacement::availableArea(help);
        const QRect placed = help.frameGeometry();
        EXPECT_TRUE(area.contains(placed))
            << topic << ": " << placed.x() << "," << placed.y() << " " << placed.width() << " x "
            << placed.height() << " on " << area.width() << " x " << area.height();
        press(QApplication::focusWidget() ? QApplication::focusWidget() : &help, Qt::Key_Escape);
        EXPECT_FALSE(help.isVisible()) << topic;
        help.move(area.right() - 100, area.bottom() - 100);
    }
}

TEST_F(DesktopWindowTest, ArrangedWindowsStayInTheWindowArea)
{
    // A main window narrower than the step-1 form.
    CMainFrame frame;
    frame.resize(640, 520);
    frame.show();
    for (int i = 0; i < 3; ++i)
        open(frame)->showNormal();
    settleEvents();
    for (const int command : {ID_WINDOW_CASCADE, ID_WINDOW_TILE}) {
        frame.runCommand(command);
        settleEvents();
        const QRect area = frame.mdiArea()->viewport()->rect();
        for (CChildFrame* child : frame.childFrames())
            EXPECT_TRUE(area.contains(child->geometry()))
                << command << ": " << child->geometry().x() << "," << child->geometry().y() << " "
                << child->width() << " x " << child->height() << " in " << area.width() << " x "
                << area.height();
    }
}

} // namespace
