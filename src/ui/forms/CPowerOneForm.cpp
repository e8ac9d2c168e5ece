#include "ui/forms/CPowerOneForm.h"

namespace {

const CPowerOneGroupForm::SWords kWords = {"Power of a one-sample t test",
                                           "1. Enter sample size and SD", "N:", "SD:"};

} // namespace

CPowerOneForm::CPowerOneForm(QWidget* parent) : CPowerOneGroupForm(164, kWords, parent) {}
