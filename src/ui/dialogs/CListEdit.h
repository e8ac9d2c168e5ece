#pragma once

#include "ui/common/CFilteredEdit.h"

/// The comma-separated list field of the list dialogs. Typing lets through digits, ",",
/// Backspace and, in a powers field, "."; anything typed with Ctrl held passes, so the
/// field's own clipboard keys work. A pasted text is cut at its first character that is
/// not one of those.
class CListEdit : public CFilteredEdit
{
    Q_OBJECT

public:
    explicit CListEdit(bool decimalPointAllowed, QWidget* parent = nullptr);

    bool decimalPointAllowed() const { return m_decimalPointAllowed; }

    /// Replaces the selection with the text up to its first character that the field does
    /// not take; beeps when that leaves nothing.
    bool replaceSelection(const QString& text) override;

protected:
    bool acceptsCharacter(QChar ch, Qt::KeyboardModifiers modifiers) const override;
    QString acceptedInputText() const override;

private:
    bool isListCharacter(QChar ch) const;

    bool m_decimalPointAllowed;
};
