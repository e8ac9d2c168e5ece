// The "Test:" list of both proportion forms: the calculator takes the chosen test, and the
// settings remember it for the next form.
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "ui/forms/InputFormFixture.h"

namespace {

const int TestList = 1103;

// The test stored in calc, for either proportions calculator.
ProportionTest testOf(const InputFormFixture& f)
{
    if (auto* sample = f.calc<CSampleChiSquareCalc>())
        return sample->m_test;
    return f.calc<CPowerChiSquareCalc>()->m_test;
}

TEST(ProportionTestList, EachFormStoresAndRemembersTheChosenTest)
{
    const struct
    {
        const char* item;
        ProportionTest test;
    } choices[] = {
        {"Fisher's exact test", ProportionTest::Fisher},
        {"Chi-square with Yates's correction", ProportionTest::Yates},
        {"Chi-square (uncorrected)", ProportionTest::ChiSquare},
    };
    for (const int goal : {0, 1}) {
        SCOPED_TRACE(goal);
        InputFormFixture f(goal, 4);
        EXPECT_EQ(QStringList({"Chi-square (uncorrected)", "Chi-square with Yates's correction",
                               "Fisher's exact test"}),
                  f.items(TestList));
        EXPECT_EQ(QStringLiteral("Chi-square (uncorrected)"), f.selected(TestList));
        if (goal == 1) {
            f.type(1036, "20");
            f.type(1038, "20");
            f.type(1050, "0.3");
            f.type(1051, "0.7");
        }
        for (const auto& choice : choices) {
            f.choose(TestList, choice.item);
            ASSERT_TRUE(f.form->saveData()) << choice.item;
            EXPECT_EQ(testOf(f), choice.test) << choice.item;
            EXPECT_EQ(f.platform.settings.readInt("Application", "Proportion Test", -1),
                      static_cast<int>(choice.test));
            f.reopen();
            EXPECT_EQ(QString::fromUtf8(choice.item), f.selected(TestList));
        }
    }
}

} // namespace
