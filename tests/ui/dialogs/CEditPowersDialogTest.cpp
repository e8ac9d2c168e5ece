#include "ui/dialogs/CEditPowersDialog.h"
#include "ui/dialogs/CEditPowersNsDialog.h"

#include "ui/dialogs/CListEdit.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "ui/support/CUiTestPlatform.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const PowersMessage =
    "Power must be greater than zero.\nEnter correct value in the field, and try again.";
const char* const NsMessage =
    "Sample size must be positive integer greater than 1.\nEnter correct value in the field "
    "and try again.";

std::string powersOf(const CCalculator& calc)
{
    std::string text;
    calc.FormatPowers(text);
    return text;
}

std::string nsOf(const CCalculator& calc)
{
    std::string text;
    calc.FormatNs(text);
    return text;
}

} // namespace

TEST(CEditPowersDialogTest, OpensOnTheCalculatorsListsWithTheBoxSet)
{
    CUiTestPlatform platform;
    CSampleUnpairedCalc calc;
    CEditPowersNsDialog dialog(&calc);
    EXPECT_EQ(QStringLiteral("Edit Powers and Ns"), dialog.windowTitle());
    EXPECT_EQ(QStringLiteral("99,95,90,80,50"), dialog.powersField()->text());
    EXPECT_EQ(QStringLiteral("3,4,5,6,7,8,9,10,12,14,16,18,20,25,30,35,40,50,60,70,80,90,100,150,"
                             "200,300,400,500,1000"),
              dialog.nsField()->text());
    EXPECT_TRUE(dialog.defaultsBox()->isChecked());
    EXPECT_TRUE(dialog.powersField()->decimalPointAllowed());
    EXPECT_FALSE(dialog.nsField()->decimalPointAllowed());
}

TEST(CEditPowersDialogTest, OkStoresTheNormalisedListsAsDefaults)
{
    CUiTestPlatform platform;
    CSampleUnpairedCalc calc;
    CEditPowersNsDialog dialog(&calc);
    dialog.show();
    dialog.powersField()->setText(QStringLiteral("50,90,80,90"));
    dialog.nsField()->setText(QStringLiteral("20,5,10"));
    dialog.accept();

    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("90,80,50", powersOf(calc));
    EXPECT_EQ("5,10,20", nsOf(calc));
    EXPECT_EQ("90,80,50", platform.settings.readString("Application", "Sample Size Powers", ""));
    EXPECT_EQ("5,10,20", platform.settings.readString("Application", "Sample Size Series", ""));
    EXPECT_TRUE(platform.messages.messages().empty());

    // A calculator made afterwards starts with the stored lists.
    CSampleUnpairedCalc later;
    EXPECT_EQ("90,80,50", powersOf(later));
    EXPECT_EQ("5,10,20", nsOf(later));
}

TEST(CEditPowersDialogTest, OkWithTheBoxClearedChangesOnlyThisCalculator)
{
    CUiTestPlatform platform;
    CSampleUnpairedCalc calc;
    CEditPowersNsDialog dialog(&calc);
    dialog.show();
    dialog.defaultsBox()->setChecked(false);
    dialog.powersField()->setText(QStringLiteral("85"));
    dialog.accept();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("85", powersOf(calc));
    EXPECT_FALSE(platform.settings.contains("Application", "Sample Size Powers"));
    EXPECT_FALSE(platform.settings.contains("Application", "Sample Size Series"));
}

TEST(CEditPowersDialogTest, RefusedNsKeepTheNewPowersAndTheDialogOpen)
{
    CUiTestPlatform platform;
    CSampleUnpairedCalc calc;
    CEditPowersNsDialog dialog(&calc);
    activate(&dialog);
    dialog.powersField()->setText(QStringLiteral("70"));
    dialog.nsField()->setText(QStringLiteral("1"));
    dialog.accept();

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(QDialog::Accepted, dialog.result());
    ASSERT_EQ(1u, platform.messages.messages().size());
    EXPECT_EQ(NsMessage, platform.messages.last());
    EXPECT_EQ("70", powersOf(calc)) << "the powers are taken before the sizes are read";
    EXPECT_EQ(QStringLiteral("3"), QString::fromStdString(nsOf(calc)).section(',', 0, 0));
    EXPECT_FALSE(platform.settings.contains("Application", "Sample Size Powers"));
    EXPECT_FALSE(platform.settings.contains("Application", "Sample Size Series"));
    EXPECT_TRUE(dialog.nsField()->hasFocus());
}

TEST(CEditPowersDialogTest, EmptyPowersAreRefusedBeforeTheSizesAreRead)
{
    CUiTestPlatform platform;
    CSampleUnpairedCalc calc;
    CEditPowersNsDialog dialog(&calc);
    activate(&dialog);
    dialog.powersField()->clear();
    dialog.nsField()->setText(QStringLiteral("1"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(1u, platform.messages.messages().size());
    EXPECT_EQ(PowersMessage, platform.messages.last());
    EXPECT_EQ("99,95,90,80,50", powersOf(calc));
    EXPECT_TRUE(dialog.powersField()->hasFocus());
}

TEST(CEditPowersDialogTest, PowersDialogStoresThePowerCalculatorsDefault)
{
    CUiTestPlatform platform;
    CPowerPairedCalc calc;
    CEditPowersDialog dialog(&calc);
    EXPECT_EQ(QStringLiteral("Edit Powers"), dialog.windowTitle());
    EXPECT_EQ(QStringLiteral("99,95,90,85,80,75,70,60,50,40,30,20,10"),
              dialog.powersField()->text());
    EXPECT_EQ(nullptr, dialog.findChild<CListEdit*>(QStringLiteral("1022")));
    dialog.show();
    dialog.powersField()->setText(QStringLiteral("10,99.5,50"));
    dialog.accept();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("99.5,50,10", powersOf(calc));
    EXPECT_EQ("99.5,50,10",
              platform.settings.readString("Application", "Powers Determination", ""));
    EXPECT_FALSE(platform.settings.contains("Application", "Sample Size Powers"));
}

TEST(CEditPowersDialogTest, CancelTakesNothing)
{
    CUiTestPlatform platform;
    CPowerPairedCalc calc;
    CEditPowersDialog dialog(&calc);
    dialog.show();
    dialog.powersField()->setText(QStringLiteral("50"));
    dialog.reject();
    EXPECT_EQ("99,95,90,85,80,75,70,60,50,40,30,20,10", powersOf(calc));
    EXPECT_FALSE(platform.settings.contains("Application", "Powers Determination"));
}
