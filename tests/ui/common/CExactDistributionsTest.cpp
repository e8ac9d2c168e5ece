// View > Exact Distributions in a real main window: the stored choice, the checked item and
// the pages of every open analysis window.
#include "calc/CCalculator.h"
#include "ui/app/CChildFrame.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "ui/app/CMainFrame.h"
#include "platform/CMemorySettingsStore.h"
#include "ui/result/CResultView.h"
#include "ui/common/CStepView.h"
#include "ui/common/CommandIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class ExactDistributionsTest : public ::testing::Test
{
protected:
    ExactDistributionsTest()
    {
        frame.resize(1000, 760);
        frame.show();
    }

    // A paired sample-size analysis with SD 1 and r 0.5 (SD of the differences 1), in step 3.
    CChildFrame* openPaired()
    {
        CChildFrame* child = frame.openNewWindow();
        settleEvents();
        click(child, "1003");
        click(child, "1");
        child->currentView()->findChild<QLineEdit*>(QStringLiteral("1100"))->setText("1");
        child->currentView()->findChild<QLineEdit*>(QStringLiteral("1025"))->setText("0.5");
        click(child, "1");
        return child;
    }
    static void click(CChildFrame* child, const char* name)
    {
        child->currentView()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        settleEvents();
    }
    static QString pageText(CChildFrame* child)
    {
        auto* view = qobject_cast<CResultView*>(child->currentView());
        return view ? view->browser()->toPlainText() : QString();
    }
    // The item as the View menu shows it.
    QAction* viewMenuItem()
    {
        for (QAction* menu : frame.menuBar()->actions())
            if (menu->menu() && menu->text() == QStringLiteral("&View"))
                for (QAction* item : menu->menu()->actions())
                    if (item->text() == QStringLiteral("&Exact Distributions"))
                        return item;
        return nullptr;
    }

    CFramesTestEnvironment env;
    CMainFrame frame;
};

TEST_F(ExactDistributionsTest, ToggleRecomputesEveryOpenWindowAndIsStored)
{
    CChildFrame* first = openPaired();
    ASSERT_EQ(3, first->currentStep());
    CChildFrame* second = openPaired();
    ASSERT_EQ(3, second->currentStep());
    // A report in the written method, on N = 10 (row 7) at 80% (column 3).
    emit qobject_cast<CResultView*>(second->currentView())
        ->browser()
        ->anchorClicked(QUrl(QStringLiteral("?n=7&pow=3")));
    settleEvents();
    ASSERT_EQ(4, second->currentStep());
    EXPECT_TRUE(pageText(second).contains(
        QStringLiteral("Exact check: with the exact noncentral t distribution, 10 pairs give")))
        << pageText(second).toStdString();
    EXPECT_FALSE(pageText(first).contains(QStringLiteral("Method: exact")));

    QAction* item = viewMenuItem();
    ASSERT_NE(item, nullptr);
    frame.updateCommandStates();
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(env.settings.readInt("Application", "Exact Distributions", -1), -1);

    item->trigger();
    settleEvents();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(env.settings.readInt("Application", "Exact Distributions", -1), 1);
    EXPECT_TRUE(pageText(first).contains(QStringLiteral("Method: exact noncentral t distribution")))
        << pageText(first).toStdString();
    EXPECT_EQ(4, second->currentStep());
    const QString exactReport = pageText(second);
    EXPECT_TRUE(exactReport.contains(QStringLiteral("Method: exact noncentral t distribution")));
    EXPECT_FALSE(exactReport.contains(QStringLiteral("Exact check")));

    // A window opened now starts exact, as does its calculator.
    CChildFrame* third = openPaired();
    EXPECT_TRUE(
        pageText(third).contains(QStringLiteral("Method: exact noncentral t distribution")));

    item->trigger();
    settleEvents();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(env.settings.readInt("Application", "Exact Distributions", -1), 0);
    for (CChildFrame* child : {first, second, third})
        EXPECT_FALSE(pageText(child).contains(QStringLiteral("Method: exact")));
    EXPECT_TRUE(pageText(second).contains(QStringLiteral("Exact check:")));
}

// Where the scientist reads: the written table names its method and, above the table, how
// far its small-N cells are from their power and how to switch; the report puts the exact
// check right after its summary.
TEST_F(ExactDistributionsTest, WrittenPagesShowTheirAccuracyWhereTheyAreRead)
{
    CChildFrame* child = openPaired();
    ASSERT_EQ(3, child->currentStep());
    const QString table = pageText(child);
    const QStringList expected = {
        QStringLiteral("Method: written approximation (normal approximation with a small-sample "
                       "correction)"),
        QStringLiteral("Accuracy: these values come from the written approximation."),
        QStringLiteral("the farthest is N = 3 at "),
        QStringLiteral("For exact values, choose View > Exact Distributions."),
    };
    for (const QString& text : expected)
        EXPECT_TRUE(table.contains(text)) << text.toStdString() << "\n" << table.toStdString();
    EXPECT_LT(table.indexOf(QStringLiteral("Accuracy:")), table.indexOf(QStringLiteral("Power")));

    // The report on N = 3 (row 0) at 80% (column 3).
    emit qobject_cast<CResultView*>(child->currentView())
        ->browser()
        ->anchorClicked(QUrl(QStringLiteral("?n=0&pow=3")));
    settleEvents();
    ASSERT_EQ(4, child->currentStep());
    const QString report = pageText(child);
    const QStringList order = {
        QStringLiteral("Summary:"),
        QStringLiteral("Exact check: with the exact noncentral t distribution, 3 pairs give"),
        QStringLiteral("Alternative explanation using confidence intervals:"),
        QStringLiteral("Table of tradeoffs:"),
    };
    int previous = -1;
    for (const QString& text : order) {
        const int at = report.indexOf(text);
        EXPECT_GT(at, previous) << text.toStdString() << "\n" << report.toStdString();
        previous = at;
    }
}

TEST_F(ExactDistributionsTest, StoredChoiceIsShownAndUsedAtStart)
{
    env.settings.writeInt("Application", "Exact Distributions", 1);
    CChildFrame* child = openPaired();
    QAction* item = viewMenuItem();
    ASSERT_NE(item, nullptr);
    frame.updateCommandStates();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(
        pageText(child).contains(QStringLiteral("Method: exact noncentral t distribution")));
}

TEST_F(ExactDistributionsTest, AReportOnACellWithoutExactResultGivesWayToTheTable)
{
    CChildFrame* child = openPaired();
    CCalculator* calc = child->analysisState().currentCalculator();
    ASSERT_NE(calc, nullptr);
    // 4% power: a written cell (the normal formula gives some difference), but no exact
    // effect has a power at or below the 5% level.
    ASSERT_TRUE(calc->ParsePowers("80,4"));
    emit qobject_cast<CResultView*>(child->currentView())
        ->browser()
        ->anchorClicked(QUrl(QStringLiteral("?n=7&pow=1")));
    settleEvents();
    ASSERT_EQ(4, child->currentStep());
    frame.setExactDistributions(true);
    settleEvents();
    EXPECT_EQ(3, child->currentStep());
    EXPECT_TRUE(pageText(child).contains(QStringLiteral("Impossible")));
    frame.setExactDistributions(false);
}

} // namespace
