#pragma once

#include <QComboBox>

class QGridLayout;

/// A drop-down list of choices that each carry an integer code, as the input forms' extra
/// lists do (number of groups, tabulate, higher or lower). A sorted list keeps its items in
/// alphabetical order whatever the order they are added in; the codes travel with the items.
/// The drop-down part always shows every item.
class CChoiceList : public QComboBox
{
    Q_OBJECT

public:
    explicit CChoiceList(bool sorted, QWidget* parent = nullptr);
    /// A list of the form named after id, with its right-aligned label before it, placed in
    /// grid at (row, column) and (row, column + 1).
    static CChoiceList* addToGrid(QWidget* form, QGridLayout* grid, int row, int column, int id,
                                  const QString& label, bool sorted);

    bool sorted() const { return m_sorted; }

    /// Adds an item with its code: at the end, or at its alphabetical place when sorted. The
    /// selection is left as it was.
    void addChoice(const QString& text, int code);
    /// Selects the item carrying code, or nothing when no item carries it.
    void selectCode(int code);
    /// The code of the selected item; false when nothing is selected.
    bool selectedCode(int& code) const;

private:
    bool m_sorted;
};
