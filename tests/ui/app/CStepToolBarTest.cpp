#include "ui/app/CStepToolBar.h"

#include "ui/common/CommandIds.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Button
{
    int command;
    const char* label;
    const char* tip;
};

const Button kButtons[] = {
    {ID_PREVIOUS_STEP, "Previous", "Previous step"},
    {ID_STEP_1, "Choose Analysis", "Start here"},
    {ID_STEP_2, "Define Experiment", "Define the expected results of your experiment"},
    {ID_STEP_3, "Choose Power && N", "View a table of tradeoffs"},
    {ID_STEP_4, "View Report", "Detailed report on one of the results"},
    {ID_FILE_PRINT, "Print", "Print results or explanation"},
    {ID_EDIT_COPY, "Copy", "Copy selection into the Clipboard"},
    {ID_GRAPH, "Graph", "Graph the results (requires Veldrine Vorla)"},
    {ID_TO_WORD, "Word", "Export results to Word"},
    {ID_LEARN, "Learn", "Master the concepts of power and sample size"},
};

TEST(StepToolBarTest, ButtonsInOrderWithLabelsAndTips)
{
    CStepToolBar bar;
    int count = 0;
    const int* ids = CStepToolBar::commandIds(count);
    ASSERT_EQ(int(std::size(kButtons)), count);
    for (int i = 0; i < count; ++i) {
        const Button& expected = kButtons[i];
        EXPECT_EQ(expected.command, ids[i]);
        EXPECT_EQ(QString::fromLatin1(expected.label), bar.buttonLabel(expected.command));
        QToolButton* button = bar.button(expected.command);
        ASSERT_NE(nullptr, button) << expected.command;
        EXPECT_EQ(QString::fromLatin1(expected.tip), button->toolTip());
        EXPECT_EQ(Qt::ToolButtonTextUnderIcon, button->toolButtonStyle());
        EXPECT_TRUE(button->isEnabled());
    }
    // Two separators: after Previous and after View Report.
    int separators = 0;
    for (QAction* action : bar.actions())
        separators += action->isSeparator();
    EXPECT_EQ(2, separators);
    EXPECT_TRUE(bar.actions().at(1)->isSeparator());
    EXPECT_TRUE(bar.actions().at(6)->isSeparator());
}

TEST(StepToolBarTest, StepButtonsFormOneRadioGroup)
{
    CStepToolBar bar;
    QSignalSpy commands(&bar, &CStepToolBar::commandTriggered);
    bar.setButtonChecked(ID_STEP_2, true);
    bar.setButtonChecked(ID_STEP_4, true);
    EXPECT_FALSE(bar.isButtonChecked(ID_STEP_2));
    EXPECT_TRUE(bar.isButtonChecked(ID_STEP_4));
    bar.button(ID_STEP_1)->click();
    EXPECT_TRUE(bar.isButtonChecked(ID_STEP_1));
    EXPECT_FALSE(bar.isButtonChecked(ID_STEP_4));
    bar.button(ID_LEARN)->click();
    EXPECT_FALSE(bar.isButtonChecked(ID_LEARN));
    ASSERT_EQ(2, commands.count());
    EXPECT_EQ(int(ID_STEP_1), commands.at(0).at(0).toInt());
    EXPECT_EQ(int(ID_LEARN), commands.at(1).at(0).toInt());

    bar.setButtonEnabled(ID_STEP_4, false);
    bar.button(ID_STEP_4)->click();
    EXPECT_EQ(2, commands.count());
}

TEST(StepToolBarTest, ImagesHaveThreeLooks)
{
    CStepToolBar bar;
    const QSize size(44, 34);
    for (const Button& b : kButtons) {
        const QIcon icon = bar.button(b.command)->icon();
        const QImage normal = icon.pixmap(size, QIcon::Normal, QIcon::Off).toImage();
        const QImage hot = icon.pixmap(size, QIcon::Active, QIcon::Off).toImage();
        const QImage disabled = icon.pixmap(size, QIcon::Disabled, QIcon::Off).toImage();
        EXPECT_EQ(size, normal.size()) << b.label;
        EXPECT_FALSE(normal.isNull()) << b.label;
        EXPECT_NE(normal, hot) << b.label;
        EXPECT_NE(normal, disabled) << b.label;
        // The checked step shows its hot look.
        EXPECT_EQ(hot, icon.pixmap(size, QIcon::Normal, QIcon::On).toImage()) << b.label;
    }
}

} // namespace
