#include "calc/CPowerChiSquareCalc.h"
#include "ui/forms/InputFormFixture.h"

namespace {

class PowerChiSquareFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{1, 4};
};

} // namespace

TEST_F(PowerChiSquareFormTest, NewAnalysisShowsEmptyGroupsAndChange)
{
    EXPECT_EQ(163u, f.form->templateId());
    ASSERT_NE(nullptr, f.calc<CPowerChiSquareCalc>());
    for (int id : {1036, 1050, 1038, 1051})
        EXPECT_TRUE(f.text(id).isEmpty()) << id;
    EXPECT_TRUE(f.field(1036)->digitsOnly());
    EXPECT_TRUE(f.field(1038)->digitsOnly());
    EXPECT_EQ(QStringList({"Change", "Relative risk", "Risk reduction"}), f.items(1031));
    EXPECT_EQ(QStringLiteral("Change"), f.selected(1031));
    EXPECT_EQ(QStringLiteral("0.05, two-tailed (standard)"), f.selected(1019));
    EXPECT_NE(nullptr, f.form->control(1020));
    EXPECT_EQ(nullptr, f.form->control(1078));
    f.expectFonts({1008, 1009, 1010, 1011}, {1013, 1014});
}

TEST_F(PowerChiSquareFormTest, GroupsAreCheckedInOrderAndTheFirstRefusalIsShown)
{
    auto* calc = f.calc<CPowerChiSquareCalc>();
    f.choose(1031, "Risk reduction");
    const struct
    {
        int id;
        const char* text;
        const char* message;
        int refused;
    } steps[] = {
        {1036, "1",
         "Sample size for group 1 must be integer greater than 1.\nEnter correct value in the "
         "field and try again.",
         1036},
        {1036, "5",
         "Sample size for group 2 must be integer greater than 1.\nEnter correct value in the "
         "field and try again.",
         1038},
        {1038, "6",
         "Proportion for group 1 must be between 0 and 1.\nEnter correct value in the field and "
         "try again.",
         1050},
        {1050, "0.2",
         "Proportion for group 2 must be between 0 and 1.\nEnter correct value in the field and "
         "try again.",
         1051},
        {1051, "1",
         "Proportion for group 2 must be between 0 and 1.\nEnter correct value in the field and "
         "try again.",
         1051},
    };
    for (const auto& step : steps) {
        f.type(step.id, step.text);
        EXPECT_FALSE(f.form->saveData()) << step.id << " " << step.text;
        EXPECT_EQ(std::vector<std::string>{step.message}, f.takeMessages())
            << step.id << " " << step.text;
        EXPECT_TRUE(f.focused(step.refused)) << step.refused;
        EXPECT_EQ(0, calc->m_effectType) << "the type is stored after the groups";
    }
    EXPECT_DOUBLE_EQ(5, calc->m_n1);
    EXPECT_DOUBLE_EQ(6, calc->m_n2);
    EXPECT_DOUBLE_EQ(0.2, calc->m_p1);
    EXPECT_DOUBLE_EQ(-1, calc->m_p2);

    f.type(1051, "0.4");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(0.4, calc->m_p2);
    EXPECT_EQ(2, calc->m_effectType);
}

TEST_F(PowerChiSquareFormTest, SaveThenLoadShowsEveryValue)
{
    const struct
    {
        const char* item;
        int type;
        const char* level;
        double alpha;
        bool twoTailed;
    } cases[] = {
        {"Relative risk", 1, "0.01, one-tailed", 0.02, false},
        {"Risk reduction", 2, "0.10, two-tailed", 0.10, true},
        {"Change", 0, "0.05, one-tailed", 0.10, false},
    };
    f.type(1036, "40");
    f.type(1050, "0.25");
    f.type(1038, "38");
    f.type(1051, "0.5");
    for (const auto& c : cases) {
        f.choose(1031, c.item);
        f.choose(1019, c.level);
        ASSERT_TRUE(f.form->saveData()) << c.item;
        auto* calc = f.calc<CPowerChiSquareCalc>();
        EXPECT_EQ(c.type, calc->m_effectType) << c.item;
        EXPECT_DOUBLE_EQ(c.alpha, calc->m_alpha) << c.level;
        EXPECT_EQ(c.twoTailed, calc->m_twoTailed) << c.level;
        f.reopen();
        EXPECT_EQ(QStringLiteral("40"), f.text(1036));
        EXPECT_EQ(QStringLiteral("0.25"), f.text(1050));
        EXPECT_EQ(QStringLiteral("38"), f.text(1038));
        EXPECT_EQ(QStringLiteral("0.5"), f.text(1051));
        EXPECT_EQ(QString::fromLatin1(c.item), f.selected(1031));
        EXPECT_EQ(QString::fromLatin1(c.level), f.selected(1019));
    }
}
