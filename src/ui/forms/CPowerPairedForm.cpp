#include "ui/forms/CPowerPairedForm.h"

namespace {

const CPowerOneGroupForm::SWords kWords = {"Power of a paired sample t test",
                                           "1. Enter sample sizes and SD",
                                           "Number of pairs:", "SD of the differences:"};

} // namespace

CPowerPairedForm::CPowerPairedForm(QWidget* parent) : CPowerOneGroupForm(161, kWords, parent) {}
