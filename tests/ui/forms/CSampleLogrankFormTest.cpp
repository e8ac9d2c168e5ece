#include "calc/CSampleLogrankCalc.h"
#include "ui/forms/InputFormFixture.h"

namespace {

class SampleLogrankFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{0, 3};
};

} // namespace

TEST_F(SampleLogrankFormTest, NewAnalysisShowsHalfSurvivingAndTheIncrease)
{
    EXPECT_EQ(157u, f.form->templateId());
    ASSERT_NE(nullptr, f.calc<CSampleLogrankCalc>());
    EXPECT_EQ(QStringLiteral("0.5"), f.text(1057));
    EXPECT_EQ(QStringList({"Hazard ratio", "Hazard ratio (larger is worse)",
                           "Increase in proportion (recommended)"}),
              f.items(1031))
        << "the sorted list shows its items alphabetically";
    EXPECT_EQ(QStringLiteral("Increase in proportion (recommended)"), f.selected(1031));
    EXPECT_EQ(6, f.list(1019)->count());
    EXPECT_EQ(QStringLiteral("0.05, two-tailed (standard)"), f.selected(1019));
    EXPECT_NE(nullptr, f.form->control(1056));
    f.expectFonts({1008, 1009, 1010, 1011}, {1013, 1015, 1017});
    EXPECT_EQ(1460, f.helpTopic());
}

TEST_F(SampleLogrankFormTest, EachItemKeepsItsCodeThroughSaveAndLoad)
{
    const struct
    {
        const char* item;
        int kind;
    } cases[] = {
        {"Hazard ratio", 2},
        {"Hazard ratio (larger is worse)", 3},
        {"Increase in proportion (recommended)", 1},
    };
    for (const auto& c : cases) {
        f.choose(1031, c.item);
        ASSERT_TRUE(f.form->saveData()) << c.item;
        EXPECT_EQ(c.kind, f.calc<CSampleLogrankCalc>()->m_effectKind) << c.item;
        f.reopen();
        EXPECT_EQ(QString::fromLatin1(c.item), f.selected(1031));
    }
}

TEST_F(SampleLogrankFormTest, ProportionOutsideTheOpenIntervalIsRefusedFirst)
{
    auto* calc = f.calc<CSampleLogrankCalc>();
    f.choose(1031, "Hazard ratio");
    f.choose(1019, "0.01, one-tailed");
    for (const char* refused : {"", "0", "1", "1.5"}) {
        f.type(1057, refused);
        EXPECT_FALSE(f.form->saveData()) << refused;
        EXPECT_EQ(std::vector<std::string>{ProportionMessage}, f.takeMessages()) << refused;
        EXPECT_TRUE(f.focused(1057));
        EXPECT_DOUBLE_EQ(0.5, calc->m_pControl);
        EXPECT_EQ(1, calc->m_effectKind) << "nothing after the proportion is stored";
        EXPECT_DOUBLE_EQ(0.05, calc->m_alpha);
    }
}

TEST_F(SampleLogrankFormTest, SaveThenLoadShowsEveryValue)
{
    f.type(1057, "0.35");
    f.choose(1031, "Hazard ratio (larger is worse)");
    f.choose(1019, "0.01, one-tailed");
    ASSERT_TRUE(f.form->saveData());
    auto* calc = f.calc<CSampleLogrankCalc>();
    EXPECT_DOUBLE_EQ(0.35, calc->m_pControl);
    EXPECT_DOUBLE_EQ(0.02, calc->m_alpha);
    EXPECT_FALSE(calc->m_twoTailed);
    f.reopen();
    EXPECT_EQ(QStringLiteral("0.35"), f.text(1057));
    EXPECT_EQ(QStringLiteral("Hazard ratio (larger is worse)"), f.selected(1031));
    EXPECT_EQ(QStringLiteral("0.01, one-tailed"), f.selected(1019));
}
