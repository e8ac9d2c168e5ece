#include "ui/common/CFilteredEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>

#include <memory>

CFilteredEdit::CFilteredEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CFilteredEdit::pasteFiltered()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText())
        return;
    replaceSelection(mime->text());
}

bool CFilteredEdit::insertOrBeep(const QString& accepted)
{
    if (accepted.isEmpty()) {
        QApplication::beep();
        return false;
    }
    insert(accepted);
    return true;
}

void CFilteredEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }
    const bool standardKey =
        event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::SelectAll);
    const QString text = event->text();
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    // Keys without a character (arrows, Home, End) move the cursor; they never add text.
    if (standardKey || text.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (acceptsCharacter(text.at(0), event->modifiers())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    refuseCharacter();
}

void CFilteredEdit::refuseCharacter()
{
    QApplication::beep();
    // Without a word the user would not know the character was dropped (a minus sign lost
    // turns -0.5 into 0.5).
    QToolTip::showText(mapToGlobal(cursorRect().bottomLeft()), acceptedInputText(), this);
}

QMenu* CFilteredEdit::createFilteredContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    // The standard Paste would insert the clipboard unfiltered.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(QLineEdit::tr("&Paste"))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &CFilteredEdit::pasteFiltered);
        }
    }
    return menu;
}

void CFilteredEdit::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createFilteredContextMenu());
    menu->exec(event->globalPos());
}
