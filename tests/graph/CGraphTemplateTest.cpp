#include "graph-viewer/CGraphTemplate.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(CGraphTemplateTest, ReadsKnownKeysAndKeepsDefaultsForTheRest)
{
    const CGraphTemplate defaults;
    CGraphTemplate look;
    look.parse("# comment=ignored\n"
               "width = 640\r\n"
               "height=99\n"
               "background=#102030\n"
               "gridColor=not a colour\n"
               "lineWidth=3.5\n"
               "markerSize=-1\n"
               "legend=none\n"
               "xScale=log\n"
               "xTitle=Power (%)\n"
               "palette=#ff0000, nonsense ,#00ff00\n"
               "unknown=1\n");
    EXPECT_EQ(look.size, QSize(640, defaults.size.height()));
    EXPECT_EQ(look.background, QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(look.gridColor, defaults.gridColor);
    EXPECT_EQ(look.lineWidth, 3.5);
    EXPECT_EQ(look.markerSize, defaults.markerSize);
    EXPECT_FALSE(look.legend);
    EXPECT_EQ(look.xScale, CGraphTemplate::Scale::Log);
    EXPECT_EQ(look.xTitle, "Power (%)");
    EXPECT_EQ(look.palette, (QVector<QColor>{QColor(255, 0, 0), QColor(0, 255, 0)}));
    EXPECT_EQ(look.seriesColor(0), QColor(255, 0, 0));
    EXPECT_EQ(look.seriesColor(3), QColor(0, 255, 0));
}

TEST(CGraphTemplateTest, TheShippedTemplatesReadCleanly)
{
    for (const char* name : {"power.qxt", "sample.qxt", "sample10.qxt"}) {
        CGraphTemplate look;
        ASSERT_TRUE(look.load(QStringLiteral(ZENTRIMA_GRAPH_TEMPLATE_DIR "/") + name)) << name;
        EXPECT_GE(look.palette.size(), 1) << name;
        EXPECT_EQ(look.background, QColor(Qt::white)) << name;
    }
    CGraphTemplate sample10;
    sample10.load(QStringLiteral(ZENTRIMA_GRAPH_TEMPLATE_DIR "/sample10.qxt"));
    EXPECT_EQ(sample10.palette.size(), 10);
    CGraphTemplate missing;
    EXPECT_FALSE(missing.load(QStringLiteral(ZENTRIMA_GRAPH_TEMPLATE_DIR "/absent.qxt")));
}

} // namespace
