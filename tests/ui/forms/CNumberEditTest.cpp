#include "ui/forms/CNumberEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

struct ShowCase
{
    double value;
    bool shown;
    const char* text; // expected text; the field starts as "old"
};

} // namespace

TEST(CNumberEditTest, ShowValueKeepsTenDigitsWithoutTrailingZeros)
{
    const ShowCase cases[] = {
        {0.5, true, "0.5"},
        {10, true, "10"},
        {0, true, "0"},
        {100, true, "100"},
        {1234.5678, true, "1234.5678"},
        {2.5, true, "2.5"},
        // No integer digit leaves all ten places to the decimals.
        {0.1234567891234, true, "0.1234567891"},
        {0.00005, true, "0.00005"},
        // Ten integer digits leave no decimals and no point to strip.
        {1234567890, true, "1234567890"},
        {12345678901.0, false, "old"},
        {-1, false, "old"},
        {-0.5, false, "old"},
    };
    for (const ShowCase& c : cases) {
        CNumberEdit field;
        field.setText(QStringLiteral("old"));
        EXPECT_EQ(c.shown, field.showValue(c.value)) << c.value;
        EXPECT_EQ(QString::fromLatin1(c.text), field.text()) << c.value;
    }
}

TEST(CNumberEditTest, ShowValueRefusesValuesThatAreNotFinite)
{
    CNumberEdit field;
    EXPECT_FALSE(field.showValue(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(field.showValue(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(field.text().isEmpty());
}

TEST(CNumberEditTest, ReadValueTakesTheLeadingNumberAndReadsEmptyAsZero)
{
    const std::pair<const char*, double> cases[] = {
        {"", 0}, {"12.5", 12.5}, {"3.", 3}, {".5", 0.5}, {"0", 0}, {"1234567890", 1234567890}};
    for (const auto& c : cases) {
        CNumberEdit field;
        field.setText(QString::fromLatin1(c.first));
        EXPECT_DOUBLE_EQ(c.second, field.readValue()) << c.first;
    }
}

namespace {

struct PasteCase
{
    const char* before;
    int selectionStart; // -1: no selection, cursor at the end
    int selectionLength;
    const char* pasted;
    bool digitsOnly;
    bool taken;
    const char* after;
};

} // namespace

TEST(CNumberEditTest, PasteKeepsTheNumberAtTheStartOfTheText)
{
    const PasteCase cases[] = {
        // The field holds a point outside the selection: the pasted point is cut off.
        {"3.1", -1, 0, "12.5", false, true, "3.112"},
        {"3.1", 0, 3, "12.5", false, true, "12.5"},
        {"", -1, 0, " 7", false, true, "7"},
        {"", -1, 0, "-5", false, false, ""},
        {"", -1, 0, "5 word", false, true, "5"},
        {"", -1, 0, "1e5x", false, false, ""},
        {"", -1, 0, "1.2.3", false, true, "1.2"},
        {"4.5", -1, 0, "1.2.3", false, false, "4.5"},
        // The field's point is selected, so the pasted one may replace it.
        {"4.5", 0, 2, "1.2.3", false, true, "1.25"},
        {"4.5", 1, 2, "1.2.3", false, true, "41.2"},
        // A selection that ends just before the point does not hold it.
        {"4.5", 0, 1, "1.2.3", false, false, "4.5"},
        {"", -1, 0, "   ", false, false, ""},
        {"", -1, 0, "abc", false, false, ""},
        // "2.5" is read whole as a number, so the part before the point is kept.
        {"", -1, 0, "2.5", true, true, "2"},
        {"", -1, 0, ".5", true, false, ""},
        // Pasting never makes the field longer than ten characters.
        {"123456789", -1, 0, "45", false, true, "1234567894"},
        {"1234567890", -1, 0, "4", false, false, "1234567890"},
        {"1234567890", 0, 10, "42", false, true, "42"},
    };
    for (const PasteCase& c : cases) {
        CNumberEdit field(nullptr, c.digitsOnly);
        field.setText(QString::fromLatin1(c.before));
        if (c.selectionStart >= 0)
            field.setSelection(c.selectionStart, c.selectionLength);
        else
            field.end(false);
        EXPECT_EQ(c.taken, field.replaceSelection(QString::fromLatin1(c.pasted)))
            << c.before << " <- " << c.pasted;
        EXPECT_EQ(QString::fromLatin1(c.after), field.text()) << c.before << " <- " << c.pasted;
    }
}

TEST(CNumberEditTest, PastingNothingChangesNothing)
{
    CNumberEdit field;
    field.setText(QStringLiteral("8"));
    field.selectAll();
    EXPECT_FALSE(field.replaceSelection(QString()));
    EXPECT_EQ(QStringLiteral("8"), field.text());
}

TEST(CNumberEditTest, TypingLetsThroughDigitsAndOnePoint)
{
    const struct
    {
        const char* typed;
        bool digitsOnly;
        const char* text;
    } cases[] = {
        {"1a2.3.4", false, "12.34"},
        {"-5 e+", false, "5"},
        {"1.5", true, "15"},
        {"123456789012", false, "1234567890"},
    };
    for (const auto& c : cases) {
        CNumberEdit field(nullptr, c.digitsOnly);
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(QString::fromLatin1(c.text), field.text()) << c.typed;
    }
}

TEST(CNumberEditTest, MinusSignGoesInFrontWhereTheFieldTakesOne)
{
    const struct
    {
        const char* typed;
        bool minus;
        const char* text;
    } cases[] = {
        {"-0.5", true, "-0.5"}, {"--5", true, "-5"}, {"0-5", true, "05"},
        {"-0.5", false, "0.5"}, {"1-", true, "1"},
    };
    for (const auto& c : cases) {
        CNumberEdit field;
        field.setMinusAllowed(c.minus);
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(QString::fromLatin1(c.text), field.text()) << c.typed << " " << c.minus;
    }
    // Pasted: the sign only in front, and only once.
    CNumberEdit field;
    field.setMinusAllowed(true);
    EXPECT_TRUE(field.replaceSelection(QStringLiteral("-0.25x")));
    EXPECT_EQ(QStringLiteral("-0.25"), field.text());
    EXPECT_DOUBLE_EQ(-0.25, field.readValue());
    field.setCursorPosition(0);
    EXPECT_FALSE(field.replaceSelection(QStringLiteral("-1")));
    EXPECT_FALSE(field.replaceSelection(QStringLiteral("-")));
    EXPECT_EQ(QStringLiteral("-0.25"), field.text());
}

TEST(CNumberEditTest, RefusedCharacterSaysWhatTheFieldTakes)
{
    const struct
    {
        bool digitsOnly;
        bool minus;
        const char* said;
    } cases[] = {
        {false, false, "This field takes a positive number: digits and one decimal point."},
        {true, false, "This field takes a whole number: digits only."},
        {false, true,
         "This field takes a number: digits, one decimal point and a minus sign in front."},
    };
    for (const auto& c : cases) {
        CNumberEdit field(nullptr, c.digitsOnly);
        field.setMinusAllowed(c.minus);
        field.show();
        QToolTip::hideText();
        QTest::keyClick(&field, 'x');
        EXPECT_EQ(QString(), field.text());
        EXPECT_TRUE(QToolTip::isVisible()) << c.said;
        EXPECT_EQ(QString::fromLatin1(c.said), QToolTip::text());
    }
    // A full field says how long it may be.
    CNumberEdit full;
    full.show();
    QTest::keyClicks(&full, QStringLiteral("12345678901"));
    EXPECT_EQ(QStringLiteral("This field takes at most 10 characters."), QToolTip::text());
    QToolTip::hideText();
}

TEST(CNumberEditTest, TypedPointIsRefusedEvenWhenTheFieldsPointIsSelected)
{
    CNumberEdit field;
    field.setText(QStringLiteral("1.5"));
    field.selectAll();
    QTest::keyClick(&field, '.');
    EXPECT_EQ(QStringLiteral("1.5"), field.text());
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(QString(), field.text());
}

TEST(CNumberEditTest, ClipboardKeysPasteThroughTheFilter)
{
    CNumberEdit field;
    QApplication::clipboard()->setText(QStringLiteral("-5"));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QString(), field.text());

    QApplication::clipboard()->setText(QStringLiteral("42 apples"));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral("42"), field.text());

    field.selectAll();
    QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral("42"), QApplication::clipboard()->text());
}

TEST(CNumberEditTest, ContextMenuPastesThroughTheFilter)
{
    CNumberEdit field;
    QApplication::clipboard()->setText(QStringLiteral("3.5 kg"));
    std::unique_ptr<QMenu> menu(field.createFilteredContextMenu());
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            paste = action;
    }
    ASSERT_NE(nullptr, paste);
    paste->trigger();
    EXPECT_EQ(QStringLiteral("3.5"), field.text());
}
