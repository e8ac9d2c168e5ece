#include "ui/forms/CChooseAnalysisForm.h"

#include "analysis/CAnalysisState.h"
#include "ui/support/CUiTestPlatform.h"
#include "ui/common/CommandIds.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ChooseFormTest : public ::testing::Test
{
protected:
    ChooseFormTest()
    {
        form.attach(&state);
        activate(&form);
        form.loadData(1);
    }
    QRadioButton* radio(int id) const { return form.findChild<QRadioButton*>(QString::number(id)); }

    CUiTestPlatform platform;
    CAnalysisState state;
    CChooseAnalysisForm form;
};

} // namespace

TEST_F(ChooseFormTest, NewAnalysisShowsTheFirstGoalAndDesign)
{
    EXPECT_EQ(153u, form.templateId());
    EXPECT_TRUE(radio(1000)->isChecked());
    EXPECT_TRUE(radio(1002)->isChecked());
    EXPECT_EQ(QStringLiteral("Choose sample size for a future experiment"), radio(1000)->text());
    EXPECT_EQ(QStringLiteral("Compare two means\n(unpaired t test)"), radio(1002)->text());
    const QPixmap logo = form.findChild<QLabel*>(QStringLiteral("logo"))->pixmap();
    EXPECT_EQ(QSize(270, 80), logo.size());
}

TEST_F(ChooseFormTest, AnovaButtonIsNeverShown)
{
    for (int id = 1002; id <= 1007; ++id)
        EXPECT_EQ(id != 1004, radio(id)->isVisible()) << id;

    radio(1002)->setFocus();
    std::vector<int> reached;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        reached.push_back(QApplication::focusWidget()->objectName().toInt());
        EXPECT_FALSE(radio(1004)->isChecked());
    }
    EXPECT_NE(std::find(reached.begin(), reached.end(), 1007), reached.end())
        << "arrow keys reach the last visible design";
}

TEST_F(ChooseFormTest, GoalClickIsStoredAtOnceDesignOnlyBySave)
{
    QSignalSpy goalChanged(&form, &CChooseAnalysisForm::goalChanged);
    radio(1007)->click();
    radio(1001)->click();
    EXPECT_EQ(1, goalChanged.count());
    EXPECT_EQ(1, state.goal());
    EXPECT_EQ(0, state.design()) << "a design click stores nothing";

    EXPECT_TRUE(form.saveData());
    EXPECT_EQ(1, state.goal());
    EXPECT_EQ(5, state.design());

    radio(1000)->click();
    EXPECT_EQ(2, goalChanged.count());
    EXPECT_EQ(0, state.goal());
}

TEST_F(ChooseFormTest, ReturningShowsTheStoredChoice)
{
    state.setGoalAndDesign(1, 4);
    CChooseAnalysisForm again;
    again.attach(&state);
    again.loadData(1);
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("1001"))->isChecked());
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("1006"))->isChecked());
}

TEST_F(ChooseFormTest, ContinueAndLearnButtons)
{
    QSignalSpy commands(&form, &CStepView::commandRequested);
    form.findChild<QPushButton*>(QStringLiteral("1"))->click();
    ASSERT_EQ(1, commands.count());
    EXPECT_EQ(ID_STEP_2, commands.at(0).at(0).toInt());

    int topic = -1;
    CStepForm::setHelpHandler([&topic](int t) { topic = t; });
    QPushButton* learn = form.findChild<QPushButton*>(QStringLiteral("1078"));
    EXPECT_EQ(QStringLiteral("Master the concepts of power and sample size"), learn->text());
    learn->click();
    CStepForm::setHelpHandler(nullptr);
    EXPECT_EQ(CStepForm::HelpContents, topic);
}

TEST(ChooseFormWithoutAnalysisTest, ChangesNothing)
{
    CChooseAnalysisForm form;
    form.loadData(1);
    form.findChild<QRadioButton*>(QStringLiteral("1001"))->click();
    EXPECT_TRUE(form.saveData());
}
