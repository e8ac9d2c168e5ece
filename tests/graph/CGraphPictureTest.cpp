#include "graph-viewer/CGraphPicture.h"

#include "graph/GraphTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray sampleScript(const QByteArray& folder, const QByteArray& data)
{
    return "SetScriptDialogTitle \"Graphing Zentrima results\"\n"
           "SetPath " +
           folder +
           "\n"
           "Open zentrima.qxt\n"
           "InsertData\n<Data>\n" +
           data +
           "</Data>\n"
           "SetTitle \"Sample size for unpaired t test\"\n"
           "Goto graphview\n"
           "SetAxisTitle Y \"Difference between means\"\n"
           "SetAxisTitle X \"Sample size per group\"\n"
           "CloseScriptDialog\n\n";
}

class CGraphPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testApplication();
        ASSERT_TRUE(m_folder.isValid());
        QFile look(m_folder.filePath("zentrima.qxt"));
        ASSERT_TRUE(look.open(QIODevice::WriteOnly));
        // No legend: a curve's colour in the picture then comes from the curve alone.
        look.write("width=400\nheight=300\npalette=#ff0000,#0000ff,#00a000\nmarkerSize=0\n"
                   "legend=none\n");
    }
    QByteArray folder() const { return (m_folder.path() + "/").toUtf8(); }

    QTemporaryDir m_folder;
};

TEST_F(CGraphPictureTest, DrawsEveryCurveInItsColour)
{
    CGraphPicture picture;
    QString error;
    ASSERT_TRUE(picture.load(sampleScript(folder(), "N\t99%\t90%\t80%\t\n"
                                                    "3\t9.0\t7.0\t6.0\t\n"
                                                    "10\t4.0\t3.0\t\t\n"
                                                    "30\t2.0\t1.5\t1.0\t\n"),
                             &error))
        << error.toStdString();
    const QImage image = picture.image();
    EXPECT_EQ(image.size(), QSize(400, 300));
    EXPECT_GT(pixelsNear(image, QColor(255, 0, 0)), 50);
    EXPECT_GT(pixelsNear(image, QColor(0, 0, 255)), 50);
    // The 80% curve has no two values in a row: two dots and no line, but visible.
    EXPECT_GE(pixelsNear(image, QColor(0, 0xa0, 0)), 6);
}

TEST_F(CGraphPictureTest, TableWithoutValuesDrawsNoCurve)
{
    CGraphPicture picture;
    QString error;
    ASSERT_TRUE(picture.load(sampleScript(folder(), "N\t99%\t\n3\t\t\n"), &error));
    const QImage image = picture.image();
    EXPECT_EQ(pixelsNear(image, QColor(255, 0, 0)), 0);
    // Still a graph: axes, titles and the notice.
    EXPECT_LT(pixelsNear(image, QColor(Qt::white), 0), 400 * 300);
}

TEST_F(CGraphPictureTest, AxisTitlesComeFromScriptTemplateOrHeader)
{
    struct Case
    {
        QByteArray script;
        QByteArray look;
        QString x, y;
    } cases[] = {
        {sampleScript(folder(), "N per group\t80%\t\n3\t1.0\t\n"), "", "Sample size per group",
         "Difference between means"},
        {"SetPath " + folder() +
             "\nOpen zentrima.qxt\n<Data>\nN per group\t80%\t\n3\t1.0\t\n</Data>\n",
         "", "N per group", ""},
        {"SetPath " + folder() + "\nOpen zentrima.qxt\n<Data>\nDelta\tPower(%)\n1.0\t80\n</Data>\n",
         "", "Power(%)", "Delta"},
        {"SetPath " + folder() + "\nOpen zentrima.qxt\n<Data>\nDelta\tPower(%)\n1.0\t80\n</Data>\n",
         "xTitle=Power (%)\nyTitle=Effect\n", "Power (%)", "Effect"},
    };
    for (const Case& c : cases) {
        QFile look(m_folder.filePath("zentrima.qxt"));
        ASSERT_TRUE(look.open(QIODevice::WriteOnly | QIODevice::Truncate));
        look.write(c.look);
        look.close();
        CGraphPicture picture;
        QString error;
        ASSERT_TRUE(picture.load(c.script, &error)) << error.toStdString();
        EXPECT_EQ(picture.xTitle(), c.x) << c.script.toStdString();
        EXPECT_EQ(picture.yTitle(), c.y) << c.script.toStdString();
    }
}

TEST_F(CGraphPictureTest, MissingTemplateLeavesTheDefaultLook)
{
    CGraphPicture picture;
    QString error;
    ASSERT_TRUE(picture.load("SetPath /nonexistent/\nOpen zentrima.qxt\n<Data>\nDelta\tPower(%)\n"
                             "2.0\t90\n1.0\t50\n</Data>\n",
                             &error));
    EXPECT_EQ(picture.image().size(), CGraphTemplate().size);
    EXPECT_GT(pixelsNear(picture.image(), CGraphTemplate().seriesColor(0)), 50);
}

} // namespace
