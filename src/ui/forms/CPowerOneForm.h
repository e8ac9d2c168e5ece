#pragma once

#include "ui/forms/CPowerOneGroupForm.h"

/// Step 2, power of a completed one-sample t test: N, the SD and the significance level.
class CPowerOneForm : public CPowerOneGroupForm
{
    Q_OBJECT

public:
    explicit CPowerOneForm(QWidget* parent = nullptr);
};
