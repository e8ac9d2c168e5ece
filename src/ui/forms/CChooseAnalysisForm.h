#pragma once

#include "ui/forms/CStepForm.h"

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

/// Step 1: the goal (sample size of a future experiment, or power of a completed one) and
/// the experimental design. Goal radios are "1000" and "1001", design radios "1002" to
/// "1007" (design code = id - 1002); "1004", the one-way ANOVA design, is never shown.
/// "Continue" asks for command 114; "Master the concepts of power and sample size"
/// ("1078") asks for help topic HelpContents. The logo is the label "logo".
class CChooseAnalysisForm : public CStepForm
{
    Q_OBJECT

public:
    explicit CChooseAnalysisForm(QWidget* parent = nullptr);

    /// Selects the analysis state's goal and design.
    void loadData(int step) override;
    /// Writes the selected goal and design into the analysis state; cannot fail.
    bool saveData() override;

signals:
    /// A goal radio was clicked and the new goal is stored; the window relabels its step-3
    /// command.
    void goalChanged();

private:
    QLabel* createLogo();
    QVBoxLayout* createGoalColumn();
    QVBoxLayout* createDesignColumn();
    QHBoxLayout* createBottomRow();
    void onGoalClicked(int goal);

    QButtonGroup* m_goals;
    QButtonGroup* m_designs;
};
