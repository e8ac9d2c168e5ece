#pragma once

#include "analysis/CAnalysisState.h"
#include "calc/CCalculator.h"
#include "ui/app/CTypedValues.h"

#include <QMdiSubWindow>

#include <map>
#include <utility>

class CMainFrame;
class CStepToolBar;
class CStepView;
class QVBoxLayout;

/// One analysis window: the step tool bar over exactly one view, and the analysis state
/// that view works on. It walks the four steps (1 choose the analysis, 2 define the
/// experiment, 3 the table of tradeoffs, 4 the report on one cell), saving a form's data
/// before it moves on and staying put when a value is refused; it titles itself
/// "Analysis <n>: <step caption>", keeps the step commands' states and can duplicate
/// itself into a new window.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;

    /// Moves to step n (1 to 4). True when the window is in step n afterwards; false when a
    /// data save was refused, step 4 was asked for without a selected cell (message 180) or
    /// the new view could not be made.
    bool goToStep(int n);
    /// Brings the tool bar in line with the step: checked step, enabled buttons and, in
    /// step 1, the label of the step-3 button for the goal.
    void refreshStepControls();

    int currentStep() const { return m_step; }
    CAnalysisState& analysisState() { return m_state; }
    const CAnalysisState& analysisState() const { return m_state; }
    CStepView* currentView() const { return m_view; }
    CStepToolBar* stepToolBar() const { return m_toolBar; }

    /// Runs a command addressed to this window: first the view, then the window's own.
    /// False when neither handles it.
    bool handleCommand(int id);
    /// The state of a command that the view or the window decides: enabled, checked and,
    /// for a command whose menu text changes (115), the text. False when neither decides.
    bool commandState(int id, bool& enabled, bool& checked, QString& text) const;

    /// Sets the method of every calculator of the analysis and, in step 3 or 4, writes the
    /// page again; a report whose cell has no result in the new method gives way to step 3.
    void applyCalcMethod(CalcMethod method);

    /// Size of the window in its normal (not maximised) state.
    QSize normalSize() const { return m_normalSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class ViewKind
    {
        None,
        Choose,
        Input,
        Result
    };

    bool saveCurrentView();
    bool replaceView(ViewKind kind);
    // Gives the keyboard to the new view of a step.
    void focusView();
    void updateTitle();
    void duplicate();
    void runCommand(int id);
    void runViewCommand(int id);
    void rememberNormalSize();
    CMainFrame* mainFrame() const;
    // What was typed into the step-2 form of each goal and design, kept over step changes.
    void keepTypedValues();
    void restoreTypedValues();

    CAnalysisState m_state;
    int m_step = 0;
    QWidget* m_body = nullptr;
    QVBoxLayout* m_layout = nullptr;
    CStepToolBar* m_toolBar = nullptr;
    CStepView* m_view = nullptr;
    QSize m_normalSize;
    std::map<std::pair<int, int>, CTypedValues> m_typed;
};
