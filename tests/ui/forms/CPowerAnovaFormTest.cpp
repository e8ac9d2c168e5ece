#include "calc/CPowerAnovaCalc.h"
#include "ui/forms/InputFormFixture.h"

#include <QApplication>
#include <QClipboard>

namespace {

const char* const DfTreatmentMessage =
    "DF treatment must be a positive integer.\nEnter correct value in the field and try again.";
const char* const MsGroupsMessage =
    "Groups mean square must be a positive number.\nEnter correct value in the field and try "
    "again.";
const char* const DfResidualMessage =
    "DF residual must be a positive integer.\nEnter correct value in the field and try again.";
const char* const MsResidualMessage =
    "Residual mean square must be a positive number.\nEnter correct value in the field and try "
    "again.";

// Goal 1, design 2: reachable only by setting the analysis directly.
class PowerAnovaFormTest : public ::testing::Test
{
protected:
    InputFormFixture f{1, 2};
};

} // namespace

TEST_F(PowerAnovaFormTest, NewAnalysisShowsEmptyFieldsAndTheAnovaLevels)
{
    EXPECT_EQ(162u, f.form->templateId());
    ASSERT_NE(nullptr, f.calc<CPowerAnovaCalc>());
    for (int id : {1046, 1045, 1047, 1101})
        EXPECT_TRUE(f.text(id).isEmpty()) << id;
    EXPECT_TRUE(f.field(1046)->digitsOnly());
    EXPECT_TRUE(f.field(1047)->digitsOnly());
    EXPECT_FALSE(f.field(1045)->digitsOnly());
    EXPECT_FALSE(f.field(1101)->digitsOnly());
    EXPECT_EQ(QStringList({"0.01", "0.05 (standard)", "0.10"}), f.items(1019));
    EXPECT_EQ(QStringLiteral("0.05 (standard)"), f.selected(1019));
    EXPECT_NE(nullptr, f.form->control(1020));
    EXPECT_EQ(nullptr, f.form->control(1078));
    f.expectFonts({1008, 1009, 1010}, {1013, 1014});
}

TEST_F(PowerAnovaFormTest, EachRowIsCheckedDfFirstThenMeanSquare)
{
    auto* calc = f.calc<CPowerAnovaCalc>();
    const struct
    {
        int id;
        const char* text;
        const char* message; // of the save after this field is typed; null: it succeeds
        int refused;
        int dfTreatment; // stored after the save
    } steps[] = {
        {1046, "0", DfTreatmentMessage, 1046, -1}, // the mean squares are not looked at
        {1046, "2", MsGroupsMessage, 1045, 2},     // DF treatment stays stored
        {1045, "4", DfResidualMessage, 1047, 2},
        {1047, "27", MsResidualMessage, 1101, 2},
        {1101, "0.02", nullptr, 0, 2},
    };
    f.choose(1019, "0.01");
    for (const auto& step : steps) {
        f.type(step.id, step.text);
        const bool saved = f.form->saveData();
        const std::vector<std::string> shown = f.takeMessages();
        EXPECT_EQ(step.dfTreatment, calc->m_dfTreatment) << step.id << " " << step.text;
        if (!step.message) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(shown.empty());
            continue;
        }
        EXPECT_FALSE(saved) << step.id << " " << step.text;
        EXPECT_EQ(std::vector<std::string>{step.message}, shown) << step.id << " " << step.text;
        EXPECT_TRUE(f.focused(step.refused)) << step.refused;
        EXPECT_DOUBLE_EQ(0.05, calc->m_alpha) << "the level is stored last";
    }
    EXPECT_EQ(2, calc->m_dfTreatment);
    EXPECT_DOUBLE_EQ(4, calc->m_msGroups);
    EXPECT_EQ(27, calc->m_dfResidual);
    EXPECT_DOUBLE_EQ(0.02, calc->m_msResidual);
    EXPECT_DOUBLE_EQ(0.01, calc->m_alpha);
    EXPECT_EQ(3, calc->m_decimals) << "from the smaller mean square";
}

TEST_F(PowerAnovaFormTest, DegreesOfFreedomAreTruncatedTowardZero)
{
    auto* calc = f.calc<CPowerAnovaCalc>();
    f.type(1045, "4");
    f.type(1101, "2");
    const struct
    {
        const char* treatment;
        const char* residual;
        int storedTreatment;
        int storedResidual;
    } cases[] = {{"2.9", "27.99", 2, 27}, {"1.0001", "5.5", 1, 5}, {"7", "30", 7, 30}};
    for (const auto& c : cases) {
        f.type(1046, c.treatment);
        f.type(1047, c.residual);
        ASSERT_TRUE(f.form->saveData()) << c.treatment;
        EXPECT_EQ(c.storedTreatment, calc->m_dfTreatment) << c.treatment;
        EXPECT_EQ(c.storedResidual, calc->m_dfResidual) << c.residual;
    }

    // A fraction of one truncates to 0, which is not a positive integer.
    f.type(1046, "0.9");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{DfTreatmentMessage}, f.takeMessages());
    EXPECT_EQ(7, calc->m_dfTreatment);

    // Pasted text keeps its whole-number part only.
    f.type(1046, "");
    f.field(1046)->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("3.7"));
    f.form->handleCommand(57637);
    EXPECT_EQ(QStringLiteral("3"), f.text(1046));
}

TEST_F(PowerAnovaFormTest, DfTooLargeForAnIntegerIsRefusedNotWrapped)
{
    auto* calc = f.calc<CPowerAnovaCalc>();
    f.type(1045, "4");
    f.type(1101, "2");
    f.type(1046, "9999999999");
    f.type(1047, "30");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{DfTreatmentMessage}, f.takeMessages());
    EXPECT_TRUE(f.focused(1046));
    EXPECT_EQ(-1, calc->m_dfTreatment);

    f.type(1046, "2147483647");
    f.type(1047, "2147483648");
    EXPECT_FALSE(f.form->saveData());
    EXPECT_EQ(std::vector<std::string>{DfResidualMessage}, f.takeMessages());
    EXPECT_EQ(2147483647, calc->m_dfTreatment) << "the largest int is taken as typed";
    EXPECT_EQ(-1, calc->m_dfResidual);
}

TEST_F(PowerAnovaFormTest, SaveThenLoadShowsEveryValue)
{
    f.type(1046, "3");
    f.type(1045, "4.5");
    f.type(1047, "36");
    f.type(1101, "0.125");
    f.choose(1019, "0.10");
    ASSERT_TRUE(f.form->saveData());
    EXPECT_DOUBLE_EQ(0.10, f.state.currentCalculator()->m_alpha);
    EXPECT_TRUE(f.state.currentCalculator()->m_twoTailed);
    f.reopen();
    EXPECT_EQ(QStringLiteral("3"), f.text(1046));
    EXPECT_EQ(QStringLiteral("4.5"), f.text(1045));
    EXPECT_EQ(QStringLiteral("36"), f.text(1047));
    EXPECT_EQ(QStringLiteral("0.125"), f.text(1101));
    EXPECT_EQ(QStringLiteral("0.10"), f.selected(1019));
}
