#pragma once

class CStepForm;
class QWidget;

/// The step-1 form.
CStepForm* createChooseForm(QWidget* parent = nullptr);

/// The step-2 form of goal and design (the ints of Goal and Design in AnalysisKind.h), or null
/// for a pair that is not a valid pair.
CStepForm* createInputForm(int goal, int design, QWidget* parent = nullptr);
