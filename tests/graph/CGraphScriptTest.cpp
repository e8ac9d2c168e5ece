#include "graph-viewer/CGraphScript.h"

#include <gtest/gtest.h>

namespace {

TEST(CGraphScriptTest, TakesThePathFromTheArgument)
{
    struct Case
    {
        const char* argument;
        const char* path;
    } cases[] = {
        {"@\"/run/user/1000/zentrima/zentrima.qxc\"", "/run/user/1000/zentrima/zentrima.qxc"},
        {"@\"/tmp/a folder/zentrima.qxc\"", "/tmp/a folder/zentrima.qxc"},
        {"@/tmp/zentrima.qxc", "/tmp/zentrima.qxc"},
        {"/tmp/zentrima.qxc", "/tmp/zentrima.qxc"},
        {"@\"/tmp/unclosed", "\"/tmp/unclosed"},
        {"@\"\"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CGraphScript::pathFromArgument(QString::fromUtf8(c.argument)),
                  QString::fromUtf8(c.path))
            << c.argument;
}

TEST(CGraphScriptTest, ReadsTheCommandsAndTheDataBlock)
{
    const QByteArray text = "SetScriptDialogTitle \"Graphing Zentrima results\"\n"
                            "SetPath /tmp/z folder/\n"
                            "Open zentrima.qxt\n"
                            "Goto dataview\n"
                            "DeleteAllDataSets\n"
                            "InsertData\n"
                            "<Data>\n"
                            "N per group\t99%\t80%\t\n"
                            "3\t1.500\t\t\n"
                            "</Data>\n"
                            "SetTitle \"Sample size for \"unpaired\" t test\"\r\n"
                            "Goto graphview\n"
                            "SetAxisTitle Y \"Difference between means\"\n"
                            "SetAxisTitle X \"Sample size per group\"\n"
                            "Rotate 90\n"
                            "CloseScriptDialog\n"
                            "\n";
    CGraphScript script;
    QString error;
    ASSERT_TRUE(script.parse(text, &error)) << error.toStdString();
    EXPECT_EQ(script.dialogTitle, "Graphing Zentrima results");
    EXPECT_EQ(script.folder, "/tmp/z folder/");
    EXPECT_EQ(script.templatePath(), "/tmp/z folder/zentrima.qxt");
    EXPECT_EQ(script.title, "Sample size for \"unpaired\" t test");
    EXPECT_EQ(script.yTitle, "Difference between means");
    EXPECT_EQ(script.xTitle, "Sample size per group");
    EXPECT_EQ(script.data, "N per group\t99%\t80%\t\n3\t1.500\t\t\n");
    EXPECT_EQ(script.ignored, QStringList{"Rotate 90"});
}

TEST(CGraphScriptTest, RefusesAScriptWithoutCompleteData)
{
    const QByteArray texts[] = {
        "SetTitle \"x\"\nCloseScriptDialog\n",
        "InsertData\n<Data>\nDelta\tPower(%)\n1.00\t90\n",
        "",
    };
    for (const QByteArray& text : texts) {
        CGraphScript script;
        QString error;
        EXPECT_FALSE(script.parse(text, &error)) << text.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(CGraphScriptTest, OpensNoTemplateUnlessAsked)
{
    CGraphScript script;
    QString error;
    ASSERT_TRUE(script.parse("<Data>\nDelta\tPower(%)\n</Data>\n", &error));
    EXPECT_TRUE(script.templatePath().isEmpty());
    script.templateName = "/elsewhere/t.qxt";
    EXPECT_EQ(script.templatePath(), "/elsewhere/t.qxt");
}

} // namespace
