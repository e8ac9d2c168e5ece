#include "graph-viewer/CGraphData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CGraphDataTest, SampleSizeTableGivesOneCurvePerPower)
{
    CGraphData data;
    QString error;
    ASSERT_TRUE(data.parse("N per group\t99%\t95%\t90%\t\n"
                           "3\t4.500\t\t3.250\t\n"
                           "10\t2.000\t1.750\t\t\n",
                           &error))
        << error.toStdString();
    EXPECT_EQ(data.kind, CGraphData::Kind::SampleSize);
    EXPECT_EQ(data.firstColumn, "N per group");
    ASSERT_EQ(data.series.size(), 3);
    EXPECT_EQ(data.series[0].name, "99%");
    EXPECT_EQ(data.series[2].name, "90%");
    EXPECT_EQ(data.series[0].points, (QVector<QPointF>{{3, 4.5}, {10, 2.0}}));
    ASSERT_EQ(data.series[1].points.size(), 2);
    EXPECT_TRUE(std::isnan(data.series[1].points[0].y()));
    EXPECT_EQ(data.series[1].points[1], QPointF(10, 1.75));
    EXPECT_EQ(data.series[2].points[0], QPointF(3, 3.25));
    EXPECT_TRUE(std::isnan(data.series[2].points[1].y()));
    const QRectF bounds = data.valueBounds();
    EXPECT_EQ(bounds.left(), 3);
    EXPECT_EQ(bounds.right(), 10);
    EXPECT_EQ(bounds.top(), 1.75);
    EXPECT_EQ(bounds.bottom(), 4.5);
}

TEST(CGraphDataTest, PowerTableGivesTheValueAgainstThePower)
{
    CGraphData data;
    QString error;
    ASSERT_TRUE(data.parse("Delta\tPower(%)\n2.00\t90\n\t80\n1.00\t50\n", &error));
    EXPECT_EQ(data.kind, CGraphData::Kind::Power);
    EXPECT_EQ(data.firstColumn, "Delta");
    EXPECT_EQ(data.secondColumn, "Power(%)");
    ASSERT_EQ(data.series.size(), 1);
    const QVector<QPointF>& points = data.series[0].points;
    ASSERT_EQ(points.size(), 3);
    EXPECT_EQ(points[0], QPointF(90, 2.0));
    EXPECT_EQ(points[1].x(), 80);
    EXPECT_TRUE(std::isnan(points[1].y()));
    EXPECT_EQ(points[2], QPointF(50, 1.0));
}

TEST(CGraphDataTest, RefusesATableItCannotPlace)
{
    const char* texts[] = {
        "",
        "N\t80%\t\nabc\t1.0\t\n",
        "Delta\tPower(%)\n1.0\t\n",
    };
    for (const char* text : texts) {
        CGraphData data;
        QString error;
        EXPECT_FALSE(data.parse(QString::fromUtf8(text), &error)) << text;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(CGraphDataTest, TableWithoutValuesHasNone)
{
    CGraphData data;
    QString error;
    ASSERT_TRUE(data.parse("N\t80%\t\n3\t\t\n", &error));
    EXPECT_FALSE(data.hasValues());
}

} // namespace
