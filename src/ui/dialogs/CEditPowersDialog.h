#pragma once

#include <QDialog>

class CCalculator;
class CListEdit;
class QCheckBox;
class QVBoxLayout;

/// "Edit Powers": edits the powers list of a power calculator and, when the check box is
/// set, makes the parsed list the stored default of new power calculators. The dialog
/// writes straight into the calculator (not owned); a list the calculator refuses has shown
/// its message and keeps the dialog open on the field. Controls are named by id: "1021"
/// powers, "1023" the default check box, "1" OK, "2" Cancel.
class CEditPowersDialog : public QDialog
{
    Q_OBJECT

public:
    CEditPowersDialog(CCalculator* calculator, QWidget* parent = nullptr);

    CListEdit* powersField() const { return m_powers; }
    QCheckBox* defaultsBox() const { return m_defaults; }

    /// Parses the lists into the calculator and, with the check box set, stores them as
    /// defaults; closes only when every list was taken.
    void accept() override;

protected:
    /// Section of the settings store that holds the default lists.
    static constexpr const char* SettingsSection = "Application";

    /// Builds the powers rows only; the derived dialog adds its rows and calls finish().
    CEditPowersDialog(CCalculator* calculator, QWidget* parent, const QString& caption);

    CListEdit* addListRow(int labelId, const QString& label, int fieldId, bool decimalPoint);
    /// Adds the check box (set) and the OK and Cancel buttons.
    void finish();

    /// Parses each list in order, noting the field being parsed; throws CUserException (or
    /// returns false) at the first list refused. Then stores the defaults when asked.
    virtual bool saveLists();
    bool parseInto(CListEdit* field, bool (CCalculator::*parse)(const std::string&));

    CCalculator* m_calculator;

private:
    QVBoxLayout* m_layout;
    CListEdit* m_powers = nullptr;
    QCheckBox* m_defaults = nullptr;
    CListEdit* m_parsing = nullptr;
};
