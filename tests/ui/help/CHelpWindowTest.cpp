#include "ui/help/CHelpWindow.h"

#include "ui/support/CUiTestPlatform.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#ifndef ZENTRIMA_HELP_BOOK
#error "ZENTRIMA_HELP_BOOK, the path of the built help book, comes from tests/ui/CMakeLists.txt"
#endif

namespace {

// Receives the web addresses the help window hands to the desktop.
class CUrlRecorder : public QObject
{
    Q_OBJECT

public:
    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class HelpWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.openBook(QStringLiteral(ZENTRIMA_HELP_BOOK)));
        window.resize(900, 600);
    }

    std::string shownTitle() const { return window.topicView()->documentTitle().toStdString(); }

    QTreeWidgetItem* contentsItem(const QString& text) const
    {
        for (QTreeWidgetItemIterator it(window.contentsTree()); *it; ++it)
            if ((*it)->text(0) == text)
                return *it;
        return nullptr;
    }

    QStringList shownIndexTerms() const
    {
        QStringList terms;
        for (int row = 0; row < window.indexList()->count(); ++row)
            if (!window.indexList()->item(row)->isHidden())
                terms << window.indexList()->item(row)->text();
        return terms;
    }

    // Clicks the first link of the shown page whose text is linkText.
    bool clickLink(const QString& linkText)
    {
        QTextBrowser* view = window.topicView();
        QTextCursor found = view->document()->find(linkText);
        while (!found.isNull() && !found.charFormat().isAnchor())
            found = view->document()->find(linkText, found);
        if (found.isNull())
            return false;
        view->ensureCursorVisible();
        QTextCursor inside(found);
        inside.setPosition(found.selectionStart() + 1);
        view->setTextCursor(inside);
        view->ensureCursorVisible();
        const QPoint at = view->cursorRect(inside).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    CUiTestPlatform platform;
    CHelpWindow window;
};

TEST_F(HelpWindowTest, ShowsThePowerTutorialByNumber)
{
    EXPECT_TRUE(window.showHelp(1720));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ("Power tutorial", shownTitle());
    EXPECT_TRUE(window.topicView()->toPlainText().startsWith(QStringLiteral("Power tutorial")));
    EXPECT_TRUE(window.topicView()->toPlainText().contains(QStringLiteral("What is power?")));
    EXPECT_EQ("Zentrima Help - Power tutorial", window.windowTitle().toStdString());
    EXPECT_EQ(0, window.navigation()->currentIndex());
    ASSERT_NE(nullptr, window.contentsTree()->currentItem());
    EXPECT_EQ("Power tutorial", window.contentsTree()->currentItem()->text(0).toStdString());
}

TEST_F(HelpWindowTest, ContentsIndexAndUnknownTopics)
{
    EXPECT_TRUE(window.showHelp(CHelpWindow::ContentsTopic));
    EXPECT_EQ("Zentrima Help", shownTitle());
    // The contents page's own title is the window's: it is not repeated.
    EXPECT_EQ("Zentrima Help", window.windowTitle().toStdString());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.showHelp(1830));
    EXPECT_EQ("Help me decide: unpaired t test", shownTitle());
    // An unknown number falls back to the contents and says so.
    EXPECT_FALSE(window.showHelp(4242));
    EXPECT_EQ("Zentrima Help", shownTitle());
    EXPECT_TRUE(window.showHelp(CHelpWindow::IndexTopic));
    EXPECT_EQ(1, window.navigation()->currentIndex());
}

TEST_F(HelpWindowTest, TheIndexFilterNarrowsTheEntries)
{
    window.showHelp(CHelpWindow::IndexTopic);
    activate(&window);
    const int all = window.indexList()->count();
    ASSERT_EQ(all, shownIndexTerms().size());
    int withHazard = 0;
    for (const CHelpBook::IndexEntry& entry : window.book().index())
        if (entry.term.contains(QStringLiteral("hazard"), Qt::CaseInsensitive))
            ++withHazard;
    ASSERT_GE(withHazard, 2);

    QTest::keyClicks(window.indexFilter(), QStringLiteral("HaZaRd"));
    const QStringList shown = shownIndexTerms();
    EXPECT_EQ(withHazard, shown.size());
    for (const QString& term : shown)
        EXPECT_TRUE(term.contains(QStringLiteral("hazard"), Qt::CaseInsensitive))
            << term.toStdString();
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));

    // Enter opens the first entry left.
    QTest::keyClick(window.indexFilter(), Qt::Key_Return);
    EXPECT_EQ("Help me decide: two survival curves", shownTitle());

    // Nothing left: Enter changes nothing; clearing the filter brings every entry back.
    QTest::keyClicks(window.indexFilter(), QStringLiteral("zzz"));
    EXPECT_TRUE(shownIndexTerms().isEmpty());
    QTest::keyClick(window.indexFilter(), Qt::Key_Return);
    EXPECT_EQ("Help me decide: two survival curves", shownTitle());
    window.indexFilter()->clear();
    EXPECT_EQ(all, shownIndexTerms().size());
}

TEST_F(HelpWindowTest, ClickingAnIndexEntryShowsItsPage)
{
    window.showHelp(CHelpWindow::IndexTopic);
    window.indexFilter()->setText(QStringLiteral("Type II"));
    ASSERT_EQ(1, shownIndexTerms().size());
    QListWidget* list = window.indexList();
    QListWidgetItem* item = list->currentItem();
    ASSERT_NE(nullptr, item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    EXPECT_EQ("Power tutorial", shownTitle());
    EXPECT_EQ("beta", window.topicView()->source().fragment().toStdString());
}

TEST_F(HelpWindowTest, ClickingAContentsEntryShowsItsPage)
{
    window.showHelp(1720);
    QTreeWidget* tree = window.contentsTree();
    QTreeWidgetItem* item = contentsItem(QStringLiteral("Paired t test"));
    ASSERT_NE(nullptr, item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    EXPECT_EQ("Help me decide: paired t test", shownTitle());
    EXPECT_EQ(item, tree->currentItem());
}

TEST_F(HelpWindowTest, LinksBetweenTopicsAreFollowedAndBackReturns)
{
    window.showHelp(CHelpWindow::ContentsTopic);
    activate(&window);
    ASSERT_TRUE(clickLink(QStringLiteral("Sample size tutorial")));
    EXPECT_EQ("Sample size tutorial", shownTitle());
    // The contents tree follows the page reached by a link.
    EXPECT_EQ(QStringLiteral("Sample size tutorial"),
              window.contentsTree()->currentItem()->text(0));

    auto* back = window.findChild<QPushButton*>(QStringLiteral("back"));
    ASSERT_NE(nullptr, back);
    ASSERT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ("Zentrima Help", shownTitle());
}

TEST_F(HelpWindowTest, WebLinksGoToTheDesktopBrowser)
{
    CUrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    window.showHelp(1320);
    activate(&window);
    const bool clicked = clickLink(QStringLiteral("https://www.example.com/zentrima/support/"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_TRUE(clicked);
    ASSERT_EQ(1u, recorder.opened.size());
    EXPECT_EQ("https://www.example.com/zentrima/support/",
              recorder.opened.front().toString().toStdString());
    EXPECT_EQ("Technical support", shownTitle());
}

TEST(HelpWindowPlacementTest, FirstPlacementCentresAnEightHundredBySixHundredWindow)
{
    struct Case
    {
        QRect workArea;
        QRect placed;
    };
    const std::vector<Case> cases = {
        {{0, 0, 1280, 1024}, {240, 212, 800, 600}},
        {{0, 0, 800, 600}, {0, 0, 800, 600}},
        {{0, 0, 640, 480}, {0, 0, 640, 480}},
        {{100, 50, 700, 1000}, {100, 250, 700, 600}},
        {{1280, 0, 1921, 1080}, {1280 + 560, 240, 800, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.placed, CHelpWindow::firstPlacement(c.workArea))
            << c.workArea.x() << "," << c.workArea.y() << " " << c.workArea.width() << "x"
            << c.workArea.height();
}

TEST(HelpWindowPlacementTest, OnlyTheFirstRequestOfASettingsStorePlacesTheWindow)
{
    CUiTestPlatform platform;
    CHelpWindow window;
    ASSERT_TRUE(window.openBook(QStringLiteral(ZENTRIMA_HELP_BOOK)));
    ASSERT_EQ(0, platform.settings.readInt("ShowStyle", "Help", 0));
    window.showHelp(1000);
    EXPECT_EQ(1, platform.settings.readInt("ShowStyle", "Help", 0));
    // The first placement, narrowed where the window's frame would reach past the work area.
    const QRect area = window.screen()->availableGeometry();
    EXPECT_TRUE(CHelpWindow::firstPlacement(area).contains(window.geometry()));
    EXPECT_TRUE(area.contains(window.frameGeometry()));

    const QRect moved(20, 30, 640, 500);
    window.setGeometry(moved);
    window.showHelp(1720);
    EXPECT_EQ(moved, window.geometry());
}

TEST(HelpWindowMissingBookTest, WithoutTheBookNothingIsShown)
{
    CUiTestPlatform platform;
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("Zentrima.rcc"));
    CHelpWindow window;
    EXPECT_FALSE(window.openBook(missing));
    EXPECT_EQ(missing.toStdString(), window.book().path().toStdString());
    EXPECT_FALSE(window.showHelp(1720));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(0, window.contentsTree()->topLevelItemCount());
    EXPECT_EQ(0, window.indexList()->count());
    EXPECT_EQ(0, platform.settings.readInt("ShowStyle", "Help", 0));
}

} // namespace

#include "CHelpWindowTest.moc"
