#include "ui/app/CTypedValues.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace {

template <typename Field> QList<Field*> namedFields(const QWidget& view)
{
    QList<Field*> fields;
    for (Field* field : view.findChildren<Field*>())
        if (!field->objectName().isEmpty())
            fields.append(field);
    return fields;
}

template <typename Field, typename Value>
void putBack(QWidget& view, const std::map<QString, Value>& values,
             void (*put)(Field& field, const Value& value))
{
    for (Field* field : namedFields<Field>(view)) {
        const auto found = values.find(field->objectName());
        if (found != values.end())
            put(*field, found->second);
    }
}

} // namespace

CTypedValues CTypedValues::capture(const QWidget& view)
{
    CTypedValues values;
    for (const QLineEdit* edit : namedFields<QLineEdit>(view))
        values.m_texts[edit->objectName()] = edit->text();
    for (const QComboBox* list : namedFields<QComboBox>(view))
        values.m_choices[list->objectName()] = list->currentIndex();
    for (const QAbstractButton* button : namedFields<QAbstractButton>(view))
        if (button->isCheckable())
            values.m_checked[button->objectName()] = button->isChecked();
    return values;
}

void CTypedValues::restore(QWidget& view) const
{
    putBack<QLineEdit, QString>(view, m_texts,
                                [](QLineEdit& edit, const QString& text) { edit.setText(text); });
    putBack<QComboBox, int>(view, m_choices, [](QComboBox& list, const int& index) {
        if (index < list.count())
            list.setCurrentIndex(index);
    });
    // An exclusive button is only ever checked: its checked neighbour unchecks it.
    putBack<QAbstractButton, bool>(view, m_checked, [](QAbstractButton& button, const bool& on) {
        const bool exclusive = button.autoExclusive() || button.group();
        if (button.isCheckable() && (on || !exclusive))
            button.setChecked(on);
    });
}
