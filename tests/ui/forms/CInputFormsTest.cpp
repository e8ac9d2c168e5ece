#include "analysis/CAnalysisState.h"
#include "ui/forms/CFormFactory.h"
#include "ui/forms/CNumberEdit.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "ui/forms/CStepForm.h"
#include "ui/forms/InputFormFixture.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const SdMessage = "SD must be a positive number.\nEnter correct value in the field "
                              "and try again.";

struct FormKind
{
    int goal;
    int design;
    unsigned int templateId;
    unsigned int titleId;
    std::vector<int> fields;
};

const FormKind TTestForms[] = {
    {0, 0, 154, 500, {1100}},       {0, 1, 155, 502, {1100, 1025, 1027}},
    {0, 5, 159, 512, {1100}},       {1, 0, 160, 504, {1036, 1037, 1038, 1039}},
    {1, 1, 161, 514, {1044, 1100}}, {1, 5, 164, 520, {1044, 1100}},
};

// The t-test forms, with their "Alpha:" list at hand.
class FormFixture : public InputFormFixture
{
public:
    using InputFormFixture::InputFormFixture;
    QComboBox* alpha() const { return list(1019); }
    void chooseAlpha(const char* label) const { choose(1019, label); }
};

} // namespace

TEST(CInputFormsTest, FactoryGivesEachTTestPairItsForm)
{
    for (const FormKind& kind : TTestForms) {
        std::unique_ptr<CStepForm> form(createInputForm(kind.goal, kind.design));
        ASSERT_NE(nullptr, form);
        EXPECT_EQ(kind.templateId, form->templateId());
        EXPECT_EQ(115, form->nextStepCommand());
    }
    const int invalid[][2] = {{2, 0}, {-1, 0}, {0, 6}, {1, -1}, {0, 10}, {-1, 10}};
    for (const auto& pair : invalid)
        EXPECT_EQ(nullptr, createInputForm(pair[0], pair[1])) << pair[0] << "," << pair[1];
}

TEST(CInputFormsTest, HeadingsAndExplanationsHaveTheirFonts)
{
    const struct
    {
        int goal, design;
        std::initializer_list<int> headings, bodies;
    } cases[] = {
        {0, 0, {1008, 1009, 1010}, {1013, 1014}},
        // The two ways of the paired form are headings too.
        {0, 1, {1008, 1009, 1010, 1024, 1026}, {1013, 1014, 1015, 1016, 1017}},
        {0, 5, {1008, 1009, 1010}, {1013, 1014}},
        // The N and SD column heads are headings on this form.
        {1, 0, {1008, 1009, 1010, 1011, 1012}, {1013}},
        {1, 1, {1008, 1009, 1010}, {1013}},
        {1, 5, {1008, 1009, 1010}, {1013}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.goal << "," << c.design);
        FormFixture f(c.goal, c.design);
        f.expectFonts(c.headings, c.bodies);
    }
}

TEST(CInputFormsTest, NewCalculatorShowsEmptyFieldsAndTheStandardLevel)
{
    for (const FormKind& kind : TTestForms) {
        FormFixture f(kind.goal, kind.design);
        CCalculator* calc = f.state.currentCalculator();
        ASSERT_NE(nullptr, calc) << kind.templateId;
        EXPECT_EQ(kind.titleId, calc->GetTitleId());
        EXPECT_EQ(calc, f.form->calculator());
        for (int id : kind.fields) {
            ASSERT_NE(nullptr, f.field(id)) << kind.templateId << " field " << id;
            EXPECT_TRUE(f.field(id)->text().isEmpty()) << kind.templateId << " field " << id;
        }
        EXPECT_EQ(6, f.alpha()->count());
        EXPECT_EQ(QStringLiteral("0.05, two-tailed (standard)"), f.alpha()->currentText());
    }
}

TEST(CInputFormsTest, SecondVisitFindsTheCalculatorWithItsValues)
{
    FormFixture f(0, 0);
    CCalculator* first = f.state.currentCalculator();
    f.type(1100, "2.5");
    ASSERT_TRUE(f.form->saveData());
    f.reopen();
    EXPECT_EQ(first, f.state.currentCalculator());
    EXPECT_EQ(QStringLiteral("2.5"), f.field(1100)->text());
}

TEST(CInputFormsTest, SignificanceExchangeBothWays)
{
    const struct
    {
        const char* label;
        double alpha;
        bool twoTailed;
    } levels[] = {
        {"0.01, two-tailed", 0.01, true},
        {"0.01, one-tailed", 0.02, false},
        {"0.05, two-tailed (standard)", 0.05, true},
        {"0.05, one-tailed", 0.10, false},
        {"0.10, two-tailed", 0.10, true},
        {"0.10, one-tailed", 0.20, false},
    };
    for (int goal = 0; goal < 2; ++goal) {
        FormFixture f(goal, 5);
        f.type(1100, "1");
        if (goal == 1)
            f.type(1044, "10");
        for (const auto& level : levels) {
            f.chooseAlpha(level.label);
            ASSERT_TRUE(f.form->saveData()) << level.label;
            CCalculator* calc = f.state.currentCalculator();
            EXPECT_DOUBLE_EQ(level.alpha, calc->m_alpha) << level.label;
            EXPECT_EQ(level.twoTailed, calc->m_twoTailed) << level.label;
            f.reopen();
            EXPECT_EQ(QString::fromLatin1(level.label), f.alpha()->currentText()) << level.label;
        }
    }
}

TEST(CInputFormsTest, LevelOutsideTheListSelectsNothingAndIsKept)
{
    FormFixture f(0, 0);
    f.state.currentCalculator()->SetAlpha(0.03, true);
    f.reopen();
    EXPECT_EQ(-1, f.alpha()->currentIndex());
    f.type(1100, "1");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(0.03, f.state.currentCalculator()->m_alpha);
}

TEST(CInputFormsTest, SampleFormsRefuseAMissingSd)
{
    for (int design : {0, 5}) {
        FormFixture f(0, design);
        f.chooseAlpha("0.01, two-tailed");
        EXPECT_FALSE(f.form->saveData());
        ASSERT_EQ(1u, f.platform.messages.messages().size());
        EXPECT_EQ(SdMessage, f.platform.messages.last());
        EXPECT_TRUE(f.focused(1100));
        EXPECT_DOUBLE_EQ(0.05, f.state.currentCalculator()->m_alpha)
            << "the level is stored only after every field";

        f.type(1100, "0.75");
        EXPECT_TRUE(f.form->saveData());
        EXPECT_DOUBLE_EQ(0.01, f.state.currentCalculator()->m_alpha);
    }
}

TEST(CInputFormsTest, PairedSampleFormStoresTheWayChosen)
{
    FormFixture f(0, 1);
    auto* calc = dynamic_cast<CSamplePairedCalc*>(f.state.currentCalculator());
    ASSERT_NE(nullptr, calc);
    auto* withR = f.form->findChild<QRadioButton*>(QStringLiteral("1024"));
    auto* differences = f.form->findChild<QRadioButton*>(QStringLiteral("1026"));
    EXPECT_TRUE(withR->isChecked());
    EXPECT_TRUE(f.field(1100)->isEnabled());
    EXPECT_TRUE(f.field(1025)->isEnabled());
    EXPECT_FALSE(f.field(1027)->isEnabled());
    EXPECT_TRUE(f.focused(1100));

    // r is checked after the SD, which stays stored.
    f.type(1100, "4");
    f.type(1025, "1");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ("r must be between 0 and 1.\nEnter correct value in the field and try again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1025));
    EXPECT_DOUBLE_EQ(4, calc->m_sd);
    f.type(1025, "0.5");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_TRUE(calc->m_useR);
    EXPECT_DOUBLE_EQ(0.5, calc->m_r);

    // Switching the way stores nothing.
    differences->click();
    EXPECT_FALSE(f.field(1100)->isEnabled());
    EXPECT_FALSE(f.field(1025)->isEnabled());
    EXPECT_TRUE(f.field(1027)->isEnabled());
    EXPECT_TRUE(f.focused(1027));
    withR->click();
    differences->click();
    EXPECT_TRUE(calc->m_useR);

    f.type(1027, "3");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_FALSE(calc->m_useR);
    EXPECT_DOUBLE_EQ(3, calc->m_sd);

    f.reopen();
    EXPECT_TRUE(f.form->findChild<QRadioButton*>(QStringLiteral("1026"))->isChecked());
    EXPECT_EQ(QStringLiteral("3"), f.field(1027)->text());
    EXPECT_TRUE(f.field(1100)->text().isEmpty());
    EXPECT_TRUE(f.field(1025)->text().isEmpty());
    EXPECT_FALSE(f.field(1100)->isEnabled());
    EXPECT_TRUE(f.focused(1027));
}

TEST(CInputFormsTest, UnpairedPowerFormReportsTheFirstRefusedValueOnly)
{
    FormFixture f(1, 0);
    auto* calc = dynamic_cast<CPowerUnpairedCalc*>(f.state.currentCalculator());
    ASSERT_NE(nullptr, calc);

    f.type(1036, "1");
    EXPECT_FALSE(f.form->saveData());
    ASSERT_EQ(1u, f.platform.messages.messages().size());
    EXPECT_EQ("Sample size for group 1 must be integer greater than 1.\nEnter correct value in "
              "the field and try again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1036));

    f.type(1036, "5");
    f.type(1038, "1");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ("Sample size for group 2 must be integer greater than 1.\nEnter correct value in "
              "the field and try again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1038));
    EXPECT_DOUBLE_EQ(5, calc->m_n1);

    f.type(1038, "6");
    f.type(1037, "2");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ("SD for group 2 must be positive number.\nEnter correct value in the field and try "
              "again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1039));
    EXPECT_DOUBLE_EQ(6, calc->m_n2);
    EXPECT_DOUBLE_EQ(2, calc->m_sd1);

    f.type(1037, "");
    f.type(1039, "3");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ("SD for group 1 must be positive number.\nEnter correct value in the field and try "
              "again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1037));

    f.type(1037, "2");
    f.chooseAlpha("0.05, one-tailed");
    EXPECT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(3, calc->m_sd2);
    EXPECT_DOUBLE_EQ(0.10, calc->m_alpha);
    EXPECT_FALSE(calc->m_twoTailed);
    EXPECT_EQ(4u, f.platform.messages.messages().size());
}

TEST(CInputFormsTest, PairedPowerFormChecksTheSdBeforeThePairs)
{
    FormFixture f(1, 1);
    auto* calc = dynamic_cast<CPowerPairedCalc*>(f.state.currentCalculator());
    ASSERT_NE(nullptr, calc);
    f.chooseAlpha("0.10, two-tailed");
    EXPECT_FALSE(f.form->saveData());
    ASSERT_EQ(1u, f.platform.messages.messages().size());
    EXPECT_EQ(SdMessage, f.platform.messages.last());
    EXPECT_TRUE(f.focused(1100));

    f.type(1100, "1.5");
    const std::string pairsMessage = "Sample size must be positive integer greater than 1.\nEnter "
                                     "correct value in the field and try again.";
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(pairsMessage, f.platform.messages.last());
    EXPECT_TRUE(f.focused(1044));
    EXPECT_DOUBLE_EQ(1.5, calc->m_sd);
    EXPECT_DOUBLE_EQ(0.05, calc->m_alpha);

    // One pair leaves the t test no degrees of freedom, as in the one-sample form.
    f.type(1044, "1");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(pairsMessage, f.platform.messages.last());
    EXPECT_EQ(3u, f.platform.messages.messages().size());
    f.type(1044, "2");
    EXPECT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(2, calc->m_n);
    EXPECT_DOUBLE_EQ(0.10, calc->m_alpha);
}

TEST(CInputFormsTest, NegativeCorrelationReachesTheCalculatorsCheck)
{
    FormFixture f(0, 1);
    auto* calc = dynamic_cast<CSamplePairedCalc*>(f.state.currentCalculator());
    ASSERT_NE(nullptr, calc);
    f.type(1100, "4");
    f.field(1025)->setFocus();
    QTest::keyClicks(f.field(1025), QStringLiteral("-0.5"));
    EXPECT_EQ(QStringLiteral("-0.5"), f.field(1025)->text());
    EXPECT_FALSE(f.form->saveData()) << "the sign is not lost";
    EXPECT_EQ("r must be between 0 and 1.\nEnter correct value in the field and try again.",
              f.platform.messages.last());
    EXPECT_TRUE(f.focused(1025));
}

TEST(CInputFormsTest, OneSamplePowerFormRefusesASingleSubject)
{
    FormFixture f(1, 5);
    auto* calc = dynamic_cast<CPowerOneCalc*>(f.state.currentCalculator());
    ASSERT_NE(nullptr, calc);
    f.type(1100, "2");
    f.type(1044, "1");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ("Sample size must be positive integer greater than 1.\nEnter correct value in the "
              "field and try again.",
              f.platform.messages.last());
    EXPECT_DOUBLE_EQ(2, calc->m_sd);
    f.type(1044, "2");
    EXPECT_TRUE(f.form->saveData());
    f.reopen();
    EXPECT_EQ(QStringLiteral("2"), f.field(1044)->text());
    EXPECT_EQ(QStringLiteral("2"), f.field(1100)->text());
}

TEST(CInputFormsTest, FormWithoutAnAnalysisExchangesNothing)
{
    CUiTestPlatform platform;
    std::unique_ptr<CStepForm> form(createInputForm(0, 0));
    form->loadData(2);
    EXPECT_EQ(nullptr, form->calculator());
    EXPECT_TRUE(form->saveData());
    EXPECT_TRUE(platform.messages.messages().empty());
}
