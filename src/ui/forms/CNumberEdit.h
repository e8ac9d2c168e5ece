#pragma once

#include "ui/common/CFilteredEdit.h"

/// The single-number entry field of the input forms. Typing lets through digits,
/// Backspace and one decimal point; a pasted text is cut to the number at its start. Text
/// typed or pasted never makes the field longer than its maximum length; text set by
/// showValue is not limited. A digits-only field never takes a decimal point.
class CNumberEdit : public CFilteredEdit
{
    Q_OBJECT

public:
    static constexpr int DefaultMaxLength = 10;

    explicit CNumberEdit(QWidget* parent = nullptr, bool digitsOnly = false);

    void setMaximumLength(int length) { m_maxLength = length; }
    int maximumLength() const { return m_maxLength; }
    bool digitsOnly() const { return m_digitsOnly; }
    /// Lets the field take a minus sign in front of the number (a correlation can be
    /// negative); off by default.
    void setMinusAllowed(bool allowed) { m_minusAllowed = allowed; }
    bool minusAllowed() const { return m_minusAllowed; }

    /// Shows v with as many decimals as the maximum length leaves after its integer
    /// digits, without trailing zeros. A negative value (a calculator's "not entered"), a
    /// value that is not finite, or one with more integer digits than the maximum length
    /// leaves the text unchanged and gives false.
    bool showValue(double v);
    /// The longest leading number of the text, "." as the decimal point; 0 when empty.
    double readValue() const;

    /// Drops leading spaces and cuts the text at its first non-digit, keeping one decimal
    /// point when the field may take one (it holds none, or its first one is selected).
    /// The rest replaces the selection when it is not empty and the number that starts the
    /// text ends where the cut fell or at the end of the text; otherwise the field beeps.
    bool replaceSelection(const QString& text) override;

protected:
    bool acceptsCharacter(QChar ch, Qt::KeyboardModifiers modifiers) const override;
    QString acceptedInputText() const override;

private:
    bool decimalPointAllowedInPaste() const;
    // A minus sign may go in at the start of the text when the field has none.
    bool minusAllowedAtSelection() const;
    int roomLeft() const;

    int m_maxLength = DefaultMaxLength;
    bool m_digitsOnly;
    bool m_minusAllowed = false;
};
