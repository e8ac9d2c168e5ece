#include "graph-viewer/CGraphAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(CGraphAxisTest, WidensToRoundNumbers)
{
    struct Case
    {
        double low, high;
        bool log;
        QVector<double> ticks;
        QStringList labels;
    } cases[] = {
        {0.45, 9.1, false, {0, 2, 4, 6, 8, 10}, {"0", "2", "4", "6", "8", "10"}},
        {9.1, 0.45, false, {0, 2, 4, 6, 8, 10}, {"0", "2", "4", "6", "8", "10"}},
        {0.12,
         0.31,
         false,
         {0.1, 0.15, 0.2, 0.25, 0.3, 0.35},
         {"0.10", "0.15", "0.20", "0.25", "0.30", "0.35"}},
        {-0.3, 0.3, false, {-0.4, -0.2, 0, 0.2, 0.4}, {"-0.4", "-0.2", "0.0", "0.2", "0.4"}},
        {5,
         5,
         false,
         {4.4, 4.6, 4.8, 5, 5.2, 5.4, 5.6},
         {"4.4", "4.6", "4.8", "5.0", "5.2", "5.4", "5.6"}},
        {3, 1000, true, {1, 10, 100, 1000}, {"1", "10", "100", "1000"}},
        {2, 50, true, {1, 2, 5, 10, 20, 50, 100}, {"1", "2", "5", "10", "20", "50", "100"}},
        {0, 50, true, {0, 10, 20, 30, 40, 50}, {"0", "10", "20", "30", "40", "50"}},
    };
    for (const Case& c : cases) {
        CGraphAxis axis;
        axis.setRange(c.low, c.high, c.log);
        ASSERT_EQ(axis.ticks().size(), c.ticks.size()) << c.low << " " << c.high;
        QStringList labels;
        for (int i = 0; i < c.ticks.size(); ++i) {
            EXPECT_NEAR(axis.ticks()[i], c.ticks[i], 1e-12) << c.low << " " << c.high;
            labels << axis.label(axis.ticks()[i]);
        }
        EXPECT_EQ(labels, c.labels) << c.low << " " << c.high;
        EXPECT_NEAR(axis.lower(), c.ticks.first(), 1e-12);
        EXPECT_NEAR(axis.upper(), c.ticks.last(), 1e-12);
    }
}

TEST(CGraphAxisTest, PlacesValuesAlongTheAxis)
{
    CGraphAxis linear;
    linear.setRange(0, 10, false);
    EXPECT_DOUBLE_EQ(linear.fraction(0), 0);
    EXPECT_DOUBLE_EQ(linear.fraction(2.5), 0.25);
    EXPECT_DOUBLE_EQ(linear.fraction(10), 1);
    CGraphAxis log;
    log.setRange(1, 100, true);
    EXPECT_DOUBLE_EQ(log.fraction(10), 0.5);
    EXPECT_DOUBLE_EQ(log.fraction(100), 1);
}

// Data that spans the whole range of doubles (or beyond) still gives a usable axis: a few
// finite ticks with labels, and finite places for every value.
TEST(CGraphAxisTest, ExtremeRangesGiveFiniteTicksAndPlaces)
{
    const double largest = std::numeric_limits<double>::max();
    const double infinity = std::numeric_limits<double>::infinity();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct
    {
        double low, high;
        bool log;
    } cases[] = {
        {-1.79e308, 1.79e308, false}, {-largest, largest, false}, {0, largest, false},
        {-largest, 0, false},         {tiny, largest, true},      {tiny, 2 * tiny, false},
        {-infinity, infinity, false}, {std::nan(""), 1, false},   {1e-300, 1e300, true},
        {1e-241, 1e300, true},        {5e-324, 1e-310, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " " + std::to_string(c.high));
        CGraphAxis axis;
        axis.setRange(c.low, c.high, c.log);
        ASSERT_GE(axis.ticks().size(), 2);
        EXPECT_LE(axis.ticks().size(), 30);
        EXPECT_TRUE(std::isfinite(axis.lower()) && std::isfinite(axis.upper()));
        EXPECT_LT(axis.lower(), axis.upper());
        for (double tick : axis.ticks()) {
            EXPECT_TRUE(std::isfinite(tick));
            EXPECT_FALSE(axis.label(tick).isEmpty());
            EXPECT_FALSE(axis.label(tick).contains(QStringLiteral("inf")));
        }
        for (double value : {c.low, c.high, -largest, largest, 0.0, tiny})
            EXPECT_TRUE(std::isfinite(axis.fraction(value))) << value;
    }
}

} // namespace
