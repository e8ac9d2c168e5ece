#include "ui/app/CChildFrame.h"

#include "calc/CCalculator.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "ui/result/CResultView.h"
#include "ui/app/CStepToolBar.h"
#include "ui/common/CStepView.h"
#include "ui/support/CUiTestPlatform.h"
#include "ui/common/CommandIds.h"
#include "calc/StringTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QTextBrowser>
#include <QToolButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char* const SdMessage = "SD must be a positive number.\nEnter correct value in the field "
                              "and try again.";

class ChildFrameTest : public ::testing::Test
{
protected:
    ChildFrameTest() : frame(std::make_unique<CChildFrame>())
    {
        frame->resize(900, 700);
        frame->show();
        frame->goToStep(1);
    }

    QString title(unsigned int caption) const
    {
        return QStringLiteral("Analysis %1: ").arg(frame->analysisState().number()) +
               QString::fromUtf8(LoadString(caption));
    }
    template <class T> T* control(const char* name) const
    {
        return frame->currentView()->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name)
    {
        control<QAbstractButton>(name)->click();
        settleEvents();
    }
    void type(const char* name, const char* text) { control<QLineEdit>(name)->setText(text); }
    // The paired design with SD 10 and r 0.5 in step 3.
    void calculatePaired()
    {
        click("1003");
        click("1");
        type("1100", "10");
        type("1025", "0.5");
        click("1");
        ASSERT_EQ(3, frame->currentStep());
    }
    void clickCell(const char* link)
    {
        auto* view = qobject_cast<CResultView*>(frame->currentView());
        ASSERT_NE(nullptr, view);
        emit view->browser()->anchorClicked(QUrl(QString::fromLatin1(link)));
        settleEvents();
    }
    bool enabled(int id) const
    {
        bool on = false, checked = false;
        QString text;
        frame->commandState(id, on, checked, text);
        return on;
    }
    QString menuText(int id) const
    {
        bool on = false, checked = false;
        QString text;
        frame->commandState(id, on, checked, text);
        return text;
    }
    CCalculator* calculator() const { return frame->analysisState().currentCalculator(); }
    CStepToolBar& bar() const { return *frame->stepToolBar(); }

    CFramesTestEnvironment env;
    std::unique_ptr<CChildFrame> frame;
};

TEST_F(ChildFrameTest, FirstWindowOpensInStepOne)
{
    EXPECT_EQ(1, frame->currentStep());
    EXPECT_EQ(title(IDS_CALCULATE_TITLE), frame->windowTitle());
    EXPECT_EQ(QStringLiteral("Calculate sample size and power"),
              frame->windowTitle().section(QStringLiteral(": "), 1));
    EXPECT_TRUE(bar().isButtonChecked(ID_STEP_1));
    for (int id : {ID_PREVIOUS_STEP, ID_STEP_3, ID_STEP_4, ID_FILE_PRINT, ID_EDIT_COPY, ID_GRAPH,
                   ID_TO_WORD})
        EXPECT_FALSE(bar().isButtonEnabled(id)) << id;
    EXPECT_TRUE(bar().isButtonEnabled(ID_STEP_2));
    EXPECT_TRUE(bar().isButtonEnabled(ID_LEARN));
    EXPECT_EQ(QStringLiteral("Choose Power && N"), bar().buttonLabel(ID_STEP_3));
    EXPECT_FALSE(enabled(ID_PREVIOUS_STEP));
    EXPECT_TRUE(enabled(ID_NEXT_STEP));
    EXPECT_FALSE(enabled(ID_STEP_3));
    EXPECT_EQ(QStringLiteral("Step &3. Choose Power && N\tCtrl+3"), menuText(ID_STEP_3));
}

// Keyboard only: each step's view takes the keyboard, so Return continues from step 1,
// the SD can be typed straight away in step 2, and Return there calculates.
TEST_F(ChildFrameTest, KeyboardAloneWalksToTheTable)
{
    activate(frame.get());
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(nullptr, focused);
    EXPECT_TRUE(frame->currentView()->isAncestorOf(focused));
    QTest::keyClick(focused, Qt::Key_Return);
    settleEvents();
    ASSERT_EQ(2, frame->currentStep());

    focused = QApplication::focusWidget();
    ASSERT_NE(nullptr, focused);
    EXPECT_EQ(QStringLiteral("1100"), focused->objectName());
    QTest::keyClicks(focused, QStringLiteral("10"));
    QTest::keyClick(focused, Qt::Key_Return);
    settleEvents();
    ASSERT_EQ(3, frame->currentStep());
    EXPECT_TRUE(env.messages.messages().empty());
    focused = QApplication::focusWidget();
    ASSERT_NE(nullptr, focused);
    EXPECT_TRUE(frame->currentView()->isAncestorOf(focused));
}

TEST_F(ChildFrameTest, PowerGoalRelabelsStepThreeBeforeContinue)
{
    click("1001");
    EXPECT_EQ(1, frame->currentStep());
    EXPECT_EQ(QStringLiteral("Choose Power"), bar().buttonLabel(ID_STEP_3));
    EXPECT_EQ(QStringLiteral("Step &3. Choose Power\tCtrl+3"), menuText(ID_STEP_3));
    click("1000");
    EXPECT_EQ(QStringLiteral("Choose Power && N"), bar().buttonLabel(ID_STEP_3));
}

TEST_F(ChildFrameTest, ToolBarFollowsEachStep)
{
    struct Expected
    {
        int step;
        int checked;
        std::vector<int> on;
        std::vector<int> off;
    };
    const Expected table[] = {
        {2,
         ID_STEP_2,
         {ID_STEP_3, ID_PREVIOUS_STEP},
         {ID_STEP_4, ID_FILE_PRINT, ID_EDIT_COPY, ID_GRAPH, ID_TO_WORD}},
        {3, ID_STEP_3, {ID_STEP_4, ID_STEP_3, ID_EDIT_COPY, ID_PREVIOUS_STEP}, {}},
        {4, ID_STEP_4, {ID_STEP_4, ID_STEP_3, ID_EDIT_COPY, ID_PREVIOUS_STEP}, {}},
    };
    click("1003");
    click("1");
    for (const Expected& row : table) {
        if (row.step == 3) {
            type("1100", "10");
            type("1025", "0.5");
            click("1");
        } else if (row.step == 4) {
            clickCell("?n=0&pow=0");
        }
        ASSERT_EQ(row.step, frame->currentStep());
        for (int id : {ID_STEP_1, ID_STEP_2, ID_STEP_3, ID_STEP_4})
            EXPECT_EQ(id == row.checked, bar().isButtonChecked(id)) << row.step << " " << id;
        for (int id : row.on)
            EXPECT_TRUE(bar().isButtonEnabled(id)) << row.step << " " << id;
        for (int id : row.off)
            EXPECT_FALSE(bar().isButtonEnabled(id)) << row.step << " " << id;
        // Print, Graph and Word: on in steps 3 and 4, where the page view runs them.
        for (int id : {ID_FILE_PRINT, ID_GRAPH, ID_TO_WORD})
            EXPECT_EQ(row.step >= 3, bar().isButtonEnabled(id)) << row.step << " " << id;
    }
    EXPECT_FALSE(enabled(ID_NEXT_STEP));
    EXPECT_TRUE(enabled(ID_SELECT_RESULTS));
}

TEST_F(ChildFrameTest, CalculateShowsTheTableAndACellItsReport)
{
    calculatePaired();
    EXPECT_EQ(title(IDS_SAMPLE_PAIRED_TITLE), frame->windowTitle());
    EXPECT_TRUE(QFile::exists(
        env.tempFile(QStringLiteral("zentrima%1.htm").arg(frame->analysisState().number()))));
    clickCell("?n=3&pow=2");
    EXPECT_EQ(4, frame->currentStep());
    EXPECT_EQ(title(IDS_SAMPLE_PAIRED_EXPLANATION), frame->windowTitle());
    // A link followed from the report changes the cell but stays in step 4.
    clickCell("?n=1&pow=1");
    EXPECT_EQ(4, frame->currentStep());
    EXPECT_EQ(1, calculator()->m_selN);
}

TEST_F(ChildFrameTest, BackToStepThreeKeepsTheCellBackFurtherClearsIt)
{
    calculatePaired();
    clickCell("?n=3&pow=2");
    CStepView* report = frame->currentView();
    ASSERT_TRUE(frame->handleCommand(ID_PREVIOUS_STEP));
    EXPECT_EQ(3, frame->currentStep());
    EXPECT_EQ(report, frame->currentView());
    EXPECT_TRUE(calculator()->HasSelection());
    // The same report again, without a click.
    EXPECT_TRUE(frame->goToStep(4));
    EXPECT_TRUE(env.messages.messages().empty());

    for (int step : {2, 1}) {
        ASSERT_TRUE(frame->goToStep(3));
        clickCell("?n=3&pow=2");
        ASSERT_TRUE(frame->goToStep(step));
        EXPECT_FALSE(calculator() && calculator()->HasSelection()) << step;
        frame->analysisState().setGoalAndDesign(0, 1);
        EXPECT_FALSE(frame->analysisState().currentCalculator()->HasSelection()) << step;
        if (step == 1) {
            click("1003");
            click("1");
        }
    }
}

TEST_F(ChildFrameTest, RefusedFieldStaysInStepTwo)
{
    click("1003");
    click("1");
    type("1025", "0.5");
    CStepView* form = frame->currentView();
    click("1");
    EXPECT_EQ(2, frame->currentStep());
    EXPECT_EQ(form, frame->currentView());
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(SdMessage, env.messages.last());
    EXPECT_TRUE(bar().isButtonChecked(ID_STEP_2));
    EXPECT_FALSE(bar().isButtonChecked(ID_STEP_3));
    EXPECT_EQ(QStringLiteral("0.5"), control<QLineEdit>("1025")->text());
    // The step-3 button as well: the refusal puts the check back on step 2.
    bar().button(ID_STEP_3)->click();
    EXPECT_EQ(2, frame->currentStep());
    EXPECT_TRUE(bar().isButtonChecked(ID_STEP_2));
}

TEST_F(ChildFrameTest, NextAndPreviousStopAtTheEnds)
{
    bar().button(ID_PREVIOUS_STEP)->click();
    frame->handleCommand(ID_PREVIOUS_STEP);
    EXPECT_EQ(1, frame->currentStep());
    calculatePaired();
    clickCell("?n=0&pow=0");
    EXPECT_FALSE(enabled(ID_NEXT_STEP));
    EXPECT_TRUE(frame->goToStep(4));
    EXPECT_EQ(4, frame->currentStep());
}

TEST_F(ChildFrameTest, DuplicateOutsideAMainWindowReportsFailure)
{
    frame->handleCommand(ID_DUPLICATE_WINDOW);
    ASSERT_EQ(1u, env.messages.messages().size());
    EXPECT_EQ(LoadString(IDS_TOO_MANY_CALCULATORS), env.messages.last());
}

TEST(ChildFrameShowState, IsRecordedWhenTheWindowCloses)
{
    struct Case
    {
        Qt::WindowState state;
        int recorded;
    };
    for (const Case& c :
         {Case{Qt::WindowMaximized, 3}, Case{Qt::WindowNoState, 1}, Case{Qt::WindowMinimized, 1}}) {
        CFramesTestEnvironment env;
        QMdiArea area;
        area.show();
        auto* child = new CChildFrame;
        area.addSubWindow(child);
        child->setWindowState(c.state);
        child->show();
        child->goToStep(1);
        child->close();
        settleEvents();
        EXPECT_TRUE(area.subWindowList().isEmpty());
        EXPECT_EQ(c.recorded, env.settings.readInt("ShowStyle", "ChildWindow", -1)) << c.state;
    }
}

} // namespace
