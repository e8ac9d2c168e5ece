#include "calc/CPowerLogrankCalc.h"
#include "ui/forms/InputFormFixture.h"

namespace {

const char* const SampleSizeMessage =
    "Sample size must be positive integer greater than 1.\nEnter correct value in the field and "
    "try again.";

class PowerLogrankFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{1, 3};
};

} // namespace

TEST_F(PowerLogrankFormTest, NewAnalysisShowsEmptyFieldsAndTheProportionDifference)
{
    EXPECT_EQ(165u, f.form->templateId());
    ASSERT_NE(nullptr, f.calc<CPowerLogrankCalc>());
    EXPECT_TRUE(f.text(1057).isEmpty());
    EXPECT_TRUE(f.text(1044).isEmpty());
    EXPECT_TRUE(f.field(1044)->digitsOnly());
    EXPECT_FALSE(f.field(1057)->digitsOnly());
    EXPECT_EQ(QStringList({"Proportion difference (Pt-Pc)", "Hazard ratio (Pt/Pc)"}),
              f.items(1031));
    EXPECT_EQ(QStringLiteral("Proportion difference (Pt-Pc)"), f.selected(1031));
    EXPECT_EQ(6, f.list(1019)->count());
    EXPECT_EQ(QStringLiteral("0.05, two-tailed (standard)"), f.selected(1019));
    EXPECT_EQ(nullptr, f.form->control(1078));
    f.expectFonts({1008, 1009, 1010, 1011}, {1013, 1014, 1015});
}

TEST_F(PowerLogrankFormTest, EditPowersSitsInTheTabulateStep)
{
    QWidget* button = f.form->control(1020);
    ASSERT_NE(nullptr, button);
    // The list and the button share a row, below the level list.
    QWidget* tabulate = f.list(1031);
    EXPECT_EQ(tabulate->parentWidget(), button->parentWidget());
    EXPECT_NEAR(tabulate->geometry().center().y(), button->geometry().center().y(),
                button->height() / 2);
    EXPECT_GT(button->geometry().top(), f.list(1019)->geometry().bottom());
}

TEST_F(PowerLogrankFormTest, TotalSizeOfOneIsRefusedAfterTheProportionIsStored)
{
    auto* calc = f.calc<CPowerLogrankCalc>();
    f.choose(1031, "Hazard ratio (Pt/Pc)");
    f.type(1044, "1");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{ProportionMessage}, f.takeMessages())
        << "an empty proportion is refused before the size";
    EXPECT_TRUE(f.focused(1057));

    f.type(1057, "0.3");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{SampleSizeMessage}, f.takeMessages());
    EXPECT_TRUE(f.focused(1044));
    EXPECT_DOUBLE_EQ(0.3, calc->m_pControl);
    EXPECT_DOUBLE_EQ(-1, calc->m_n);
    EXPECT_EQ(1, calc->m_effectType);

    f.type(1044, "2");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(2, calc->m_n);
    EXPECT_EQ(2, calc->m_effectType);
}

TEST_F(PowerLogrankFormTest, SaveThenLoadShowsEveryValue)
{
    const struct
    {
        const char* item;
        int type;
    } cases[] = {{"Hazard ratio (Pt/Pc)", 2}, {"Proportion difference (Pt-Pc)", 1}};
    f.type(1057, "0.65");
    f.type(1044, "240");
    f.choose(1019, "0.10, one-tailed");
    for (const auto& c : cases) {
        f.choose(1031, c.item);
        ASSERT_TRUE(f.form->saveData()) << c.item;
        auto* calc = f.calc<CPowerLogrankCalc>();
        EXPECT_EQ(c.type, calc->m_effectType);
        EXPECT_DOUBLE_EQ(0.20, calc->m_alpha);
        EXPECT_FALSE(calc->m_twoTailed);
        f.reopen();
        EXPECT_EQ(QStringLiteral("0.65"), f.text(1057));
        EXPECT_EQ(QStringLiteral("240"), f.text(1044));
        EXPECT_EQ(QString::fromLatin1(c.item), f.selected(1031));
        EXPECT_EQ(QStringLiteral("0.10, one-tailed"), f.selected(1019));
    }
}
