#include "ui/forms/ProportionTestList.h"

#include "ui/common/ProportionTestChoice.h"
#include "ui/forms/CChoiceList.h"
#include "ui/forms/ControlIds.h"

CChoiceList* addProportionTestList(QWidget* form, QGridLayout* grid, int row)
{
    CChoiceList* list = CChoiceList::addToGrid(form, grid, row, 0, ControlId::TestList,
                                               QStringLiteral("Test:"), false);
    list->addChoice(QStringLiteral("Chi-square (uncorrected)"),
                    static_cast<int>(ProportionTest::ChiSquare));
    list->addChoice(QStringLiteral("Chi-square with Yates's correction"),
                    static_cast<int>(ProportionTest::Yates));
    list->addChoice(QStringLiteral("Fisher's exact test"),
                    static_cast<int>(ProportionTest::Fisher));
    return list;
}

void showStoredProportionTest(CChoiceList& list)
{
    list.selectCode(static_cast<int>(StoredProportionTest()));
}

ProportionTest saveProportionTest(const CChoiceList& list)
{
    int code = 0;
    ProportionTest test = ProportionTest::ChiSquare;
    if (list.selectedCode(code))
        ProportionTestFromCode(code, test);
    StoreProportionTest(test);
    return test;
}
