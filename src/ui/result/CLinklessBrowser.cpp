#include "ui/result/CLinklessBrowser.h"

#include "ui/result/CPageDocument.h"

#include <QKeyEvent>
#include <QTextDocumentFragment>

QMimeData* CLinklessBrowser::createMimeDataFromSelection() const
{
    return CPageDocument::mimeDataWithoutLinks(textCursor().selection());
}

bool CLinklessBrowser::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            e->ignore();
            return true;
        }
    }
    return QTextBrowser::event(e);
}
