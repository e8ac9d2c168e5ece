#include "ui/dialogs/CListEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

TEST(CListEditTest, PasteIsCutAtTheFirstCharacterTheListDoesNotTake)
{
    const struct
    {
        bool powers;
        const char* pasted;
        bool taken;
        const char* text;
    } cases[] = {
        {true, "90, 80", true, "90,"},  {true, "99.5,80,50", true, "99.5,80,50"},
        {false, "99.5,80", true, "99"}, {false, "10,20,30", true, "10,20,30"},
        {true, " 5", false, ""},        {true, "abc", false, ""},
        {false, ".5", false, ""},       {true, "", false, ""},
    };
    for (const auto& c : cases) {
        CListEdit field(c.powers);
        EXPECT_EQ(c.taken, field.replaceSelection(QString::fromLatin1(c.pasted))) << c.pasted;
        EXPECT_EQ(QString::fromLatin1(c.text), field.text()) << c.pasted;
    }
}

TEST(CListEditTest, PasteReplacesTheSelection)
{
    CListEdit field(false);
    field.setText(QStringLiteral("3,4,5"));
    field.setSelection(2, 1);
    EXPECT_TRUE(field.replaceSelection(QStringLiteral("40;")));
    EXPECT_EQ(QStringLiteral("3,40,5"), field.text());
}

TEST(CListEditTest, TypingSwallowsSpacesLettersAndThePointOfAnNsList)
{
    CListEdit ns(false);
    QTest::keyClicks(&ns, QStringLiteral("9 0a,8.5"));
    EXPECT_EQ(QStringLiteral("90,85"), ns.text());

    CListEdit powers(true);
    QTest::keyClicks(&powers, QStringLiteral("9 0a,8.5%"));
    EXPECT_EQ(QStringLiteral("90,8.5"), powers.text());
}

TEST(CListEditTest, CtrlVPastesThroughTheFilter)
{
    CListEdit field(true);
    QApplication::clipboard()->setText(QStringLiteral("80,50 percent"));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral("80,50"), field.text());
}
