#pragma once

#include "calc/ExactProportions.h"

class CChoiceList;
class QGridLayout;
class QWidget;

/// The "Test:" list of the proportion forms (id ControlId::TestList) in grid at row: the
/// uncorrected chi-square test, the one with Yates's correction or Fisher's exact test.
CChoiceList* addProportionTestList(QWidget* form, QGridLayout* grid, int row);

/// Selects the stored test (the last one chosen on a proportions form).
void showStoredProportionTest(CChoiceList& list);

/// The selected test, stored as the new last choice; the uncorrected chi-square test when
/// nothing is selected.
ProportionTest saveProportionTest(const CChoiceList& list);
