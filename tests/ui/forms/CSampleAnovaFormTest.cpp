#include "calc/CSampleAnovaCalc.h"
#include "ui/forms/InputFormFixture.h"

namespace {

const char* const SdMessage =
    "SD must be a positive number.\nEnter correct value in the field and try again.";

// Goal 0, design 2: reachable only by setting the analysis directly.
class SampleAnovaFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{0, 2};
};

} // namespace

TEST_F(SampleAnovaFormTest, NewAnalysisShowsThreeGroupsAnEmptySdAndTheAnovaLevels)
{
    EXPECT_EQ(156u, f.form->templateId());
    auto* calc = f.calc<CSampleAnovaCalc>();
    ASSERT_NE(nullptr, calc);
    EXPECT_EQ(calc, f.form->calculator());

    QStringList numbers;
    for (int k = 3; k <= 20; ++k)
        numbers << QString::number(k);
    EXPECT_EQ(numbers, f.items(1028)) << "in numeric order, not sorted as text";
    EXPECT_EQ(QStringLiteral("3"), f.selected(1028));
    EXPECT_TRUE(f.text(1100).isEmpty());
    EXPECT_TRUE(f.focused(1100));

    EXPECT_EQ(QStringList({"0.01", "0.05 (standard)", "0.10"}), f.items(1019));
    EXPECT_EQ(QStringLiteral("0.05 (standard)"), f.selected(1019));
    EXPECT_NE(nullptr, f.form->control(1056));
    f.expectFonts({1008, 1009, 1010, 1011}, {1013, 1014});
    EXPECT_EQ(1450, f.helpTopic());
}

TEST_F(SampleAnovaFormTest, EveryItemStoresItsNumberOfGroups)
{
    auto* calc = f.calc<CSampleAnovaCalc>();
    f.type(1100, "1");
    for (int index = 0; index < f.list(1028)->count(); ++index) {
        f.list(1028)->setCurrentIndex(index);
        ASSERT_TRUE(f.form->saveData()) << index;
        EXPECT_EQ(index + 3, calc->m_groups);
    }
    EXPECT_TRUE(f.takeMessages().empty()) << "the list never yields the groups message";
}

TEST_F(SampleAnovaFormTest, SdIsRefusedBeforeTheGroupsAreStored)
{
    auto* calc = f.calc<CSampleAnovaCalc>();
    f.choose(1028, "7");
    f.choose(1019, "0.01");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{SdMessage}, f.takeMessages());
    EXPECT_TRUE(f.focused(1100));
    EXPECT_EQ(3, calc->m_groups);
    EXPECT_DOUBLE_EQ(0.05, calc->m_alpha);

    f.type(1100, "2.5");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(2.5, calc->m_sd);
    EXPECT_EQ(7, calc->m_groups);
    EXPECT_DOUBLE_EQ(0.01, calc->m_alpha);
    EXPECT_TRUE(calc->m_twoTailed);
}

TEST_F(SampleAnovaFormTest, SaveThenLoadShowsEveryValue)
{
    const struct
    {
        const char* sd;
        const char* groups;
        const char* level;
        double alpha;
    } cases[] = {
        {"12.75", "20", "0.10", 0.10},
        {"0.004", "3", "0.01", 0.01},
        {"150", "11", "0.05 (standard)", 0.05},
    };
    for (const auto& c : cases) {
        f.type(1100, c.sd);
        f.choose(1028, c.groups);
        f.choose(1019, c.level);
        ASSERT_TRUE(f.form->saveData()) << c.sd;
        EXPECT_DOUBLE_EQ(c.alpha, f.state.currentCalculator()->m_alpha);
        EXPECT_TRUE(f.state.currentCalculator()->m_twoTailed);
        f.reopen();
        EXPECT_EQ(QString::fromLatin1(c.sd), f.text(1100));
        EXPECT_EQ(QString::fromLatin1(c.groups), f.selected(1028));
        EXPECT_EQ(QString::fromLatin1(c.level), f.selected(1019));
    }
}
