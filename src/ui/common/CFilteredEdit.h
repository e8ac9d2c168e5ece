#pragma once

#include <QLineEdit>

class QKeyEvent;
class QContextMenuEvent;
class QMenu;

/// An entry field that filters what goes into it: typed characters one by one, pasted
/// text through a replace-selection filter. Every way text can arrive (keys, the context
/// menu's Paste, the form's Edit commands) passes one of the two filters; dropping text is
/// refused. The standard Copy, Cut, Undo, Redo and Select All keys work as usual.
class CFilteredEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CFilteredEdit(QWidget* parent = nullptr);

    /// Replaces the selection with text when the field's filter lets a non-empty part of
    /// it through; otherwise beeps and leaves the field unchanged. True when replaced.
    virtual bool replaceSelection(const QString& text) = 0;
    /// The field's own paste: the clipboard's plain text through replaceSelection.
    void pasteFiltered();
    /// The standard context menu of the field with its Paste routed through the filter;
    /// the caller owns it.
    QMenu* createFilteredContextMenu();

protected:
    /// Whether the typed printable or control character ch may go in now.
    virtual bool acceptsCharacter(QChar ch, Qt::KeyboardModifiers modifiers) const = 0;
    /// What the field takes, in a sentence shown as a tool tip when a typed character is
    /// refused.
    virtual QString acceptedInputText() const = 0;
    /// A refused character: the beep, and the tool tip that says what the field takes.
    void refuseCharacter();

    /// Inserts accepted text in place of the selection (an undoable step) or beeps when
    /// it is empty.
    bool insertOrBeep(const QString& accepted);

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
