#include "CAboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

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
    EXPECT_EQ(QStringLiteral("About Zentrima 2 for Windows"), about.windowTitle());
    ASSERT_GE(about.tabs()->count(), 1);
    EXPECT_EQ(0, about.tabs()->currentIndex());
    EXPECT_EQ(QStringLiteral("About"), about.tabs()->tabText(0));
    EXPECT_EQ(CAboutDialog::versionLine(__DATE__), about.versionLabel()->text());

    QWidget* page = about.tabs()->widget(0);
    bool product = false;
    bool picture = false;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Zentrima 2 for Windows"))
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

} // namespace
