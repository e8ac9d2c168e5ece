// The step-3 question asked directly, in a real window: the field and Find of the sample-size
// and power goals, the answers above the table linked to their reports, and a duplicate
// window that keeps them.
#include "ui/app/CChildFrame.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CZentrimaApp.h"
#include "ui/common/CommandIds.h"
#include "ui/result/CDirectAnswerBar.h"
#include "ui/result/CResultView.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "calc/CCalculator.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DirectAnswerBarTest : public ::testing::Test
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
        EXPECT_TRUE(app->initInstance());
        settleEvents();
        return app;
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
    static CResultView* view(CChildFrame* child)
    {
        return qobject_cast<CResultView*>(child->currentView());
    }
    static QString pageText(CChildFrame* child) { return view(child)->browser()->toPlainText(); }
    // The first link of the page: the answer table comes before the table of tradeoffs.
    static QString firstLink(CChildFrame* child)
    {
        const QTextDocument* page = view(child)->browser()->document();
        for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isAnchor() &&
                    it.fragment().charFormat().anchorHref().startsWith(QLatin1Char('?')))
                    return it.fragment().charFormat().anchorHref();
        return QString();
    }
    // Types effect into the step-3 field and presses Return there, as a keyboard user does.
    static void find(CChildFrame* child, const char* effect)
    {
        QLineEdit* field = child->currentView()->findChild<QLineEdit*>("directEffect");
        ASSERT_NE(nullptr, field);
        ASSERT_TRUE(field->isVisibleTo(child));
        field->setFocus();
        field->setText(QString::fromLatin1(effect));
        QTest::keyClick(field, Qt::Key_Return);
        settleEvents();
    }

    CFramesTestEnvironment env;
};

TEST_F(DirectAnswerBarTest, FindAnswersAboveTheTableAndLinksToTheReports)
{
    struct Walk
    {
        const char* goalRadio;
        // The fields of the paired form and their values.
        const char* fields[2][2];
        const char* caption;
        const char* heading;
    };
    const Walk walks[] = {
        {"1000",
         {{"1100", "10"}, {"1025", "0.5"}},
         "F&ind the sample size for an effect of",
         "Sample size for an effect of 5:"},
        {"1001",
         {{"1044", "12"}, {"1100", "10"}},
         "&Power to detect an effect of",
         "Power to detect an effect of 5:"},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.heading);
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        CChildFrame* w1 = frame->activeChildFrame();
        click(w1, walk.goalRadio);
        click(w1, "1003");
        click(w1, "1");
        for (const auto& field : walk.fields)
            type(w1, field[0], field[1]);
        click(w1, "1");
        ASSERT_EQ(3, w1->currentStep());
        CDirectAnswerBar* bar = view(w1)->answerBar();
        EXPECT_EQ(QString::fromLatin1(walk.caption), bar->findChild<QLabel*>()->text());
        EXPECT_EQ(bar->field(), bar->findChild<QLabel*>()->buddy());

        // Not a number: a message, and the page stays as it was.
        const QString table = pageText(w1);
        find(w1, "five");
        ASSERT_EQ(1u, env.messages.messages().size());
        EXPECT_EQ(table, pageText(w1));

        find(w1, "5");
        EXPECT_TRUE(pageText(w1).contains(QString::fromLatin1(walk.heading)));
        CCalculator* calc = w1->analysisState().currentCalculator();
        ASSERT_FALSE(calc->m_direct.lines.empty());
        const DirectAnswer answer = calc->m_direct.lines.front();
        ASSERT_TRUE(answer.ok) << answer.message;

        // The answer's cell is a link to the report of that table cell.
        const QString link = firstLink(w1);
        ASSERT_FALSE(link.isEmpty());
        emit view(w1)->browser()->anchorClicked(QUrl(link));
        settleEvents();
        ASSERT_EQ(4, w1->currentStep());
        EXPECT_EQ(answer.power, calc->m_powers[calc->m_selPower]);
        if (walk.goalRadio == walks[0].goalRadio) {
            EXPECT_EQ(answer.n, calc->m_ns[calc->m_selN]);
        }

        // Back in step 3 and in a duplicate window, the question and its answers stay.
        frame->runCommand(ID_STEP_3);
        ASSERT_EQ(3, w1->currentStep());
        frame->runCommand(ID_DUPLICATE_WINDOW);
        settleEvents();
        CChildFrame* w2 = frame->activeChildFrame();
        ASSERT_NE(w1, w2);
        ASSERT_EQ(3, w2->currentStep());
        EXPECT_EQ(QStringLiteral("5"), view(w2)->answerBar()->field()->text());
        EXPECT_EQ(pageText(w1), pageText(w2));
        EXPECT_TRUE(pageText(w2).contains(QString::fromLatin1(walk.heading)));
        env.messages.clear();
    }
}

} // namespace
