#pragma once

#include <QWidget>

class CAnalysisState;

/// The one view an analysis window shows: a step form (steps 1 and 2) or the result view
/// (steps 3 and 4). The window attaches it to its analysis state, runs its data load when
/// it enters a step and its data save before it leaves one, and asks it for the string id
/// of its step caption.
class CStepView : public QWidget
{
    Q_OBJECT

public:
    explicit CStepView(QWidget* parent = nullptr) : QWidget(parent) {}

    /// Makes state the view's document; the view reaches the current calculator through it.
    void attach(CAnalysisState* state) { m_state = state; }
    CAnalysisState* analysisState() const { return m_state; }

    /// Shows the document's values for step (1 to 4).
    virtual void loadData(int step) = 0;
    /// Stores the fields in the calculator. False when a value was refused; the message
    /// has then been shown already.
    virtual bool saveData() = 0;
    /// String-table id of the caption of this view's step.
    virtual unsigned int templateId() const = 0;

    /// Runs a menu or accelerator command addressed to the view; false when the view does
    /// not handle it, so it goes on to the window and then the application.
    virtual bool handleCommand(int id)
    {
        Q_UNUSED(id);
        return false;
    }
    /// Sets enabled for a command the view decides; false when it does not decide it.
    virtual bool commandEnabled(int id, bool& enabled) const
    {
        Q_UNUSED(id);
        Q_UNUSED(enabled);
        return false;
    }

signals:
    /// Asks the owning window to run a command (for example 115 from "Calculate", 116 from a
    /// click on a table cell).
    void commandRequested(int id);

private:
    CAnalysisState* m_state = nullptr;
};
