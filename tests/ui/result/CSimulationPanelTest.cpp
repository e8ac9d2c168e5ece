#include "ui/result/CSimulationPanel.h"

#include "ui/result/CResultView.h"
#include "ui/result/ExportFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

const char* const ParagraphStart = "Simulated check: in 10,000 simulated experiments of 4 pairs";

class SimulationPanelTest : public ::testing::Test, public ExportFixture
{
protected:
    CSimulationPanel* panel() const { return view.simulationPanel(); }
    QString shownText() const { return view.browser()->toPlainText(); }
    void clickLink() { emit panel()->link()->linkActivated(QStringLiteral("#simulate")); }
    void showReport()
    {
        // Row 1 of the default list is 4 pairs.
        paired->SelectFromQuery("n=1&pow=3");
        view.loadData(4);
    }
};

TEST_F(SimulationPanelTest, OfferedOnlyUnderAReportOnACellWithAResult)
{
    struct Case
    {
        const char* name;
        int step;
        const char* query;
        bool offered;
    };
    const Case cases[] = {
        {"table of tradeoffs", 3, "n=1&pow=3", false},
        {"report", 4, "n=1&pow=3", true},
        {"another report", 4, "n=0&pow=0", true},
        {"no selection", 4, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        paired->SelectFromQuery(c.query);
        view.loadData(c.step);
        EXPECT_EQ(panel()->isVisible(), c.offered);
        EXPECT_EQ(panel()->link()->isVisible(), c.offered);
        EXPECT_FALSE(panel()->progressBar()->isVisible());
    }
}

TEST_F(SimulationPanelTest, RunsOffTheInterfaceThreadAndAddsTheParagraphToTheReport)
{
    showReport();
    ASSERT_FALSE(shownText().contains(QLatin1String("Simulated check")));
    clickLink();
    EXPECT_TRUE(panel()->isRunning());
    EXPECT_TRUE(panel()->progressBar()->isVisible());
    EXPECT_TRUE(panel()->cancelButton()->isVisible());
    EXPECT_FALSE(panel()->link()->isVisible());
    // The link of a run in progress does nothing more.
    panel()->start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !panel()->isRunning(); }, 120000));
    EXPECT_TRUE(shownText().contains(QLatin1String(ParagraphStart))) << shownText().toStdString();
    EXPECT_TRUE(shownText().contains(QLatin1String("Seed 1.")));
    EXPECT_TRUE(panel()->link()->isVisible());
    EXPECT_FALSE(panel()->progressBar()->isVisible());
    // The paragraph belongs to the page it was made for: a page written anew has none.
    view.loadData(4);
    EXPECT_FALSE(shownText().contains(QLatin1String("Simulated check")));
}

TEST_F(SimulationPanelTest, CancelStopsTheRunWithoutAParagraph)
{
    struct Case
    {
        const char* name;
        bool byNewPage;
    };
    for (const Case& c : {Case{"Cancel", false}, Case{"a new page", true}}) {
        SCOPED_TRACE(c.name);
        showReport();
        clickLink();
        ASSERT_TRUE(panel()->isRunning());
        if (c.byNewPage)
            view.loadData(3);
        else
            QTest::mouseClick(panel()->cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(panel()->isRunning());
        EXPECT_FALSE(panel()->progressBar()->isVisible());
        EXPECT_EQ(panel()->link()->isVisible(), !c.byNewPage);
        QTest::qWait(300);
        EXPECT_FALSE(shownText().contains(QLatin1String("Simulated check")));
    }
}

} // namespace
