#pragma once

#include <QTextBrowser>

class QMimeData;

/// The result view's browser: it copies without hyperlinks whichever way a copy starts
/// (keys, context menu, drag), and leaves the copy and select-all keys to the window's
/// commands when it has them.
class CLinklessBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool event(QEvent* e) override;
};
