#include "ui/forms/CChoiceList.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(const CChoiceList& list)
{
    QStringList all;
    for (int i = 0; i < list.count(); ++i)
        all << list.itemText(i);
    return all;
}

} // namespace

TEST(CChoiceListTest, SortedListOrdersItemsIgnoringCaseAndKeepsTheirCodes)
{
    CChoiceList list(true);
    list.addChoice(QStringLiteral("ratio"), 2);
    list.addChoice(QStringLiteral("Difference"), 1);
    list.addChoice(QStringLiteral("beta"), 7);
    list.addChoice(QStringLiteral("Ratio"), 9);
    EXPECT_EQ(QStringList({"beta", "Difference", "ratio", "Ratio"}), texts(list));
    const int codes[] = {7, 1, 2, 9};
    for (int i = 0; i < list.count(); ++i) {
        list.setCurrentIndex(i);
        int code = -1;
        ASSERT_TRUE(list.selectedCode(code));
        EXPECT_EQ(codes[i], code) << i;
    }
}

TEST(CChoiceListTest, UnsortedListKeepsTheFillOrder)
{
    CChoiceList list(false);
    list.addChoice(QStringLiteral("3"), 3);
    list.addChoice(QStringLiteral("20"), 20);
    list.addChoice(QStringLiteral("10"), 10);
    EXPECT_EQ(QStringList({"3", "20", "10"}), texts(list));
    EXPECT_EQ(3, list.maxVisibleItems()) << "the drop-down part shows every item";
}

TEST(CChoiceListTest, SelectionFollowsCodesAndAddingLeavesItAlone)
{
    CChoiceList list(true);
    list.addChoice(QStringLiteral("lower"), 0);
    int code = -1;
    EXPECT_FALSE(list.selectedCode(code)) << "the first item is not selected by itself";
    EXPECT_EQ(-1, code);

    list.selectCode(0);
    list.addChoice(QStringLiteral("higher"), 1);
    ASSERT_TRUE(list.selectedCode(code));
    EXPECT_EQ(0, code);
    EXPECT_EQ(QStringLiteral("lower"), list.currentText());

    list.selectCode(5);
    EXPECT_FALSE(list.selectedCode(code)) << "no item carries 5";
}
