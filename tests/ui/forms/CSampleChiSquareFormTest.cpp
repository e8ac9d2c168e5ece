#include "calc/CSampleChiSquareCalc.h"
#include "ui/forms/InputFormFixture.h"

#include <QLabel>

namespace {

class SampleChiSquareFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{0, 4};
};

} // namespace

TEST_F(SampleChiSquareFormTest, NewAnalysisShowsHalfHigherDifferenceAndTheStandardLevel)
{
    EXPECT_EQ(158u, f.form->templateId());
    ASSERT_NE(nullptr, f.calc<CSampleChiSquareCalc>());
    EXPECT_EQ(QStringLiteral("0.5"), f.text(1057));
    EXPECT_EQ(QStringLiteral("higher"), f.selected(1033));
    EXPECT_EQ(QStringLiteral("difference"), f.selected(1031));
    EXPECT_EQ(QStringLiteral("0.05, two-tailed (standard)"), f.selected(1019));
    EXPECT_EQ(QStringList({"higher", "lower"}), f.items(1033));
    EXPECT_EQ(QStringList({"difference", "ratio"}), f.items(1031));
    EXPECT_NE(nullptr, f.form->control(1056));
    f.expectFonts({1008, 1009, 1010, 1011}, {1013, 1015, 1016, 1018});
    EXPECT_EQ(1260, f.helpTopic());
}

TEST_F(SampleChiSquareFormTest, ContinuedExplanationsReadAsOneSentence)
{
    auto paragraph = [this](int id) {
        auto* label = qobject_cast<QLabel*>(f.form->control(id));
        return label ? label->text() : QString();
    };
    EXPECT_TRUE(paragraph(1013).contains(
        QStringLiteral("proportion success in the control group is near 0.50.")));
    EXPECT_TRUE(paragraph(1016).contains(
        QStringLiteral("between proportion success in the two groups, or as the ratio.")));
}

TEST_F(SampleChiSquareFormTest, BothAnswersMakeOneKindAndComeBackFromIt)
{
    const struct
    {
        const char* direction;
        const char* tabulate;
        int kind;
    } cases[] = {
        {"lower", "ratio", 4},
        {"higher", "ratio", 3},
        {"lower", "difference", 2},
        {"higher", "difference", 1},
    };
    for (const auto& c : cases) {
        f.choose(1033, c.direction);
        f.choose(1031, c.tabulate);
        ASSERT_TRUE(f.form->saveData()) << c.kind;
        EXPECT_EQ(c.kind, f.calc<CSampleChiSquareCalc>()->m_effectKind);
        f.reopen();
        EXPECT_EQ(QString::fromLatin1(c.direction), f.selected(1033)) << c.kind;
        EXPECT_EQ(QString::fromLatin1(c.tabulate), f.selected(1031)) << c.kind;
    }
}

TEST_F(SampleChiSquareFormTest, KindIsStoredOnlyWhenBothListsHaveASelection)
{
    auto* calc = f.calc<CSampleChiSquareCalc>();
    f.choose(1031, "ratio");
    f.list(1033)->setCurrentIndex(-1);
    ASSERT_TRUE(f.form->saveData());
    EXPECT_EQ(1, calc->m_effectKind);

    f.choose(1033, "lower");
    f.list(1031)->setCurrentIndex(-1);
    ASSERT_TRUE(f.form->saveData());
    EXPECT_EQ(1, calc->m_effectKind);
}

TEST_F(SampleChiSquareFormTest, ProportionIsRefusedBeforeTheKind)
{
    auto* calc = f.calc<CSampleChiSquareCalc>();
    f.type(1057, "1");
    f.choose(1033, "lower");
    f.choose(1031, "ratio");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{ProportionMessage}, f.takeMessages());
    EXPECT_TRUE(f.focused(1057));
    EXPECT_EQ(1, calc->m_effectKind);

    f.type(1057, "0.2");
    f.choose(1019, "0.10, one-tailed");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(0.2, calc->m_pControl);
    EXPECT_EQ(4, calc->m_effectKind);
    EXPECT_DOUBLE_EQ(0.20, calc->m_alpha);
    EXPECT_FALSE(calc->m_twoTailed);
    f.reopen();
    EXPECT_EQ(QStringLiteral("0.2"), f.text(1057));
    EXPECT_EQ(QStringLiteral("0.10, one-tailed"), f.selected(1019));
}
