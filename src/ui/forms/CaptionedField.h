#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>

/// Puts field into grid at (row, column + 1) with its caption at (row, column), right-aligned
/// and the field's buddy, so that the caption's mnemonic reaches the field. An empty label
/// leaves the caption out.
inline void addCaptionedField(QGridLayout* grid, int row, int column, QWidget* field,
                              const QString& label)
{
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label, field->parentWidget());
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setBuddy(field);
        grid->addWidget(caption, row, column);
    }
    grid->addWidget(field, row, column + 1);
}
