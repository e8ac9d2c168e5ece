#pragma once

#include "ui/forms/CPowerOneGroupForm.h"

/// Step 2, power of a completed paired t test: the number of pairs, the SD of the differences and
/// the significance level.
class CPowerPairedForm : public CPowerOneGroupForm
{
    Q_OBJECT

public:
    explicit CPowerPairedForm(QWidget* parent = nullptr);
};
