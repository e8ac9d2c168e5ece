#include "ui/forms/CChoiceList.h"

#include "ui/forms/CaptionedField.h"

CChoiceList::CChoiceList(bool sorted, QWidget* parent) : QComboBox(parent), m_sorted(sorted) {}

CChoiceList* CChoiceList::addToGrid(QWidget* form, QGridLayout* grid, int row, int column, int id,
                                    const QString& label, bool sorted)
{
    auto* list = new CChoiceList(sorted, form);
    list->setObjectName(QString::number(id));
    addCaptionedField(grid, row, column, list, label);
    return list;
}

void CChoiceList::addChoice(const QString& text, int code)
{
    int at = count();
    if (m_sorted) {
        // Case-insensitive, as a sorted drop-down list orders its items; equal texts keep
        // the order they were added in.
        at = 0;
        while (at < count() && QString::compare(itemText(at), text, Qt::CaseInsensitive) <= 0)
            ++at;
    }
    // The first item added to an empty list would become selected; the form selects.
    const bool noneSelected = currentIndex() < 0;
    insertItem(at, text, code);
    if (noneSelected)
        setCurrentIndex(-1);
    setMaxVisibleItems(qMax(1, count()));
}

void CChoiceList::selectCode(int code)
{
    setCurrentIndex(findData(code));
}

bool CChoiceList::selectedCode(int& code) const
{
    if (currentIndex() < 0)
        return false;
    code = currentData().toInt();
    return true;
}
