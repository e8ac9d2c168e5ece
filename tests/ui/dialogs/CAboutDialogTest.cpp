#include "ui/dialogs/CAboutDialog.h"

#include "ui/dialogs/CHyperlinkLabel.h"
#include "ui/support/CUrlRecorder.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(AboutDialogTest, VersionLineFromTheBuildDate)
{
    struct Case
    {
        const char* date;
        const char* line;
    };
    const Case cases[] = {
        {"Jun  9 2004", "Version 2.00, June 9, 2004"},
        {"May 31 2021", "Version 2.00, May 31, 2021"},
        {"Sep  1 2023", "Version 2.00, September 1, 2023"},
        {"Dec 25 1999", "Version 2.00, December 25, 1999"},
        {"Jan  1 2000", "Version 2.00, January 1, 2000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QString::fromLatin1(c.line), CAboutDialog::versionLine(c.date)) << c.date;
}

TEST(AboutDialogTest, OpensOnTheAboutPage)
{
    CAboutDialog about;
    EXPECT_EQ(QStringLiteral("About Zentrima 2 for Linux"), about.windowTitle());
    ASSERT_EQ(2, about.tabs()->count());
    EXPECT_EQ(0, about.tabs()->currentIndex());
    EXPECT_EQ(QStringLiteral("About"), about.tabs()->tabText(0));
    EXPECT_EQ(CAboutDialog::versionLine(CAboutDialog::ReleaseDate), about.versionLabel()->text());

    QWidget* page = about.tabs()->widget(0);
    bool product = false;
    bool picture = false;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Zentrima 2 for Linux"))
            product = label->font().bold();
        if (!label->pixmap().isNull())
            picture = true;
    }
    EXPECT_TRUE(product);
    EXPECT_TRUE(picture);

    about.show();
    QPushButton* ok = nullptr;
    for (QPushButton* button : about.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("OK"))
            ok = button;
    ASSERT_NE(nullptr, ok);
    ok->click();
    EXPECT_EQ(QDialog::Accepted, about.result());
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutDialogTest, TeamTabCreditsEachRoleAndCoversTheAboutPage)
{
    CAboutDialog about;
    about.show();
    QWidget* aboutPage = about.tabs()->widget(0);
    QWidget* team = about.tabs()->widget(1);
    EXPECT_EQ(QStringLiteral("Programming Team"), about.tabs()->tabText(1));
    EXPECT_TRUE(aboutPage->isVisible());
    EXPECT_FALSE(team->isVisible());

    about.tabs()->setCurrentIndex(1);
    EXPECT_FALSE(aboutPage->isVisible());
    EXPECT_TRUE(team->isVisible());

    const char* roles[] = {"Project Manager:", "Programmers:", "Quality Assurance:", "Design:"};
    int id = 1009;
    for (const char* role : roles) {
        auto* title = team->findChild<QLabel*>(QString::number(id++));
        ASSERT_NE(nullptr, title) << role;
        EXPECT_EQ(QString::fromLatin1(role), title->text());
        EXPECT_TRUE(title->font().bold()) << role;
        EXPECT_TRUE(title->isVisible()) << role;
    }
    auto* product = team->findChild<QLabel*>(QStringLiteral("1008"));
    ASSERT_NE(nullptr, product);
    EXPECT_TRUE(product->font().bold());
    auto* version = team->findChild<QLabel*>(QStringLiteral("1070"));
    ASSERT_NE(nullptr, version);
    EXPECT_EQ(about.versionLabel()->text(), version->text());
    bool picture = false;
    for (QLabel* label : team->findChildren<QLabel*>())
        picture = picture || !label->pixmap().isNull();
    EXPECT_TRUE(picture);
}

TEST(AboutDialogTest, LinksOpenTheMakersAndTheContractorsSites)
{
    CUrlRecorder browser;
    CAboutDialog about;
    about.show();
    ASSERT_EQ(about.makerLink(), about.tabs()->widget(0)->findChild<CHyperlinkLabel*>("1061"));
    ASSERT_EQ(about.contractorLink(), about.tabs()->widget(1)->findChild<CHyperlinkLabel*>("1063"));
    QTest::mouseClick(about.makerLink(), Qt::LeftButton);
    about.tabs()->setCurrentIndex(1);
    QTest::mouseClick(about.contractorLink(), Qt::LeftButton);
    EXPECT_EQ(QStringList({QStringLiteral("http://www.example.com/"),
                           QStringLiteral("http://www.example.org/")}),
              browser.opened);
}

} // namespace
