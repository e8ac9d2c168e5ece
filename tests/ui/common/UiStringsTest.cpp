#include "ui/common/UiStrings.h"

#include "ui/common/CommandIds.h"
#include "calc/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(UiStringsTest, StepCaptionsOfTheInputForms)
{
    struct Case
    {
        unsigned int id;
        const char* text;
    };
    const Case cases[] = {
        {153, "Calculate sample size and power"},
        {154, "Calculate sample size for an unpaired t test"},
        {155, "Calculate sample size for a paired t test"},
        {156, "Calculate sample size for one-way ANOVA"},
        {157, "Calculate sample size to compare two survival curves"},
        {158, "Calculate sample size for a chi-square test"},
        {159, "Calculate sample size for a one-sample t test"},
        {160, "Calculate power of an unpaired t test"},
        {161, "Calculate power of a paired sample t test"},
        {162, "Calculate power of completed one-way ANOVA"},
        {163, "Calculate power of a chi-square test"},
        {164, "Calculate power of a one-sample t test"},
        {165, "Calculate power of a survival analysis"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QString::fromLatin1(c.text), uiString(c.id)) << c.id;
}

TEST(UiStringsTest, FallsBackToTheCoreTable)
{
    EXPECT_EQ(QString::fromUtf8(LoadString(IDS_SAMPLE_UNPAIRED_TITLE)),
              uiString(IDS_SAMPLE_UNPAIRED_TITLE));
    EXPECT_EQ(QStringLiteral("Veldrine Zentrima 2.00"), uiString(IDS_APP_TITLE));
    EXPECT_TRUE(uiString(99999).isEmpty());
}

TEST(UiStringsTest, ToolTipIsTheTextAfterTheNewline)
{
    EXPECT_EQ(QStringLiteral("Define the expected results of your experiment"),
              toolTipText(ID_STEP_2));
    EXPECT_TRUE(toolTipText(IDS_MENU_COPY).isEmpty());
}

TEST(UiStringsTest, HelpMessageNamesTheHostAndTheBook)
{
    EXPECT_EQ(QStringLiteral("The manual you requested is not present on your hard drive,\nbut "
                             "you may download it from ") +
                  QStringLiteral("www.example.com.\nLooking for Zentrima.rcc"),
              helpMissingMessage(QStringLiteral("Zentrima.rcc")));
}

} // namespace
