#pragma once

class CStepForm;
class QWidget;

/// The step-1 form.
CStepForm* createChooseForm(QWidget* parent = nullptr);

/// The step-2 form of goal (0 sample size, 1 power) and design (0 unpaired t, 1 paired t,
/// 2 one-way ANOVA, 3 survival, 4 proportions, 5 one-sample t), or null for a pair that
/// is not a valid pair.
CStepForm* createInputForm(int goal, int design, QWidget* parent = nullptr);
