#include "ui/app/CWaitCursor.h"

#include <QApplication>
#include <QCursor>

CWaitCursor::~CWaitCursor()
{
    // A scope that is still open when the indicator goes away must not leave the cursor stuck.
    while (m_depth > 0)
        end();
}

void CWaitCursor::begin()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++m_depth;
}

void CWaitCursor::end()
{
    if (m_depth == 0)
        return;
    --m_depth;
    QApplication::restoreOverrideCursor();
}
