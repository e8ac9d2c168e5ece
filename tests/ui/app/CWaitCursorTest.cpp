#include "ui/app/CWaitCursor.h"

#include <QApplication>
#include <QCursor>

#include <gtest/gtest.h>

namespace {

TEST(WaitCursorTest, NestedScopesKeepTheCursorUntilTheLastEnds)
{
    ASSERT_EQ(nullptr, QApplication::overrideCursor());
    {
        CWaitCursor busy;
        busy.begin();
        busy.begin();
        ASSERT_NE(nullptr, QApplication::overrideCursor());
        EXPECT_EQ(Qt::WaitCursor, QApplication::overrideCursor()->shape());
        busy.end();
        EXPECT_NE(nullptr, QApplication::overrideCursor());
        busy.end();
        EXPECT_EQ(nullptr, QApplication::overrideCursor());
        // An end without a begin does not take away a cursor someone else set.
        QApplication::setOverrideCursor(Qt::CrossCursor);
        busy.end();
        EXPECT_NE(nullptr, QApplication::overrideCursor());
        QApplication::restoreOverrideCursor();
        // A scope left open when the indicator goes away is closed with it.
        busy.begin();
    }
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

} // namespace
