#pragma once

#include <QToolBar>

#include <map>

class QToolButton;

/// The step tool bar of an analysis window: Previous, the four step buttons (one radio
/// group), Print, Copy, Graph, Word and Learn, each with its label under its image and its
/// tool tip. The images have three looks: normal, hot (under the mouse, and the checked
/// step) and disabled. A click sends the button's command id through commandTriggered.
class CStepToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CStepToolBar(QWidget* parent = nullptr);

    /// The command ids of the buttons, in order (separators left out).
    static const int* commandIds(int& count);

    QToolButton* button(int commandId) const;
    void setButtonEnabled(int commandId, bool enabled);
    bool isButtonEnabled(int commandId) const;
    /// Checks one of the four step buttons; the others of the group uncheck.
    void setButtonChecked(int commandId, bool checked);
    bool isButtonChecked(int commandId) const;
    /// Sets a button's label; "&&" shows as one ampersand.
    void setButtonLabel(int commandId, const QString& label);
    QString buttonLabel(int commandId) const;

signals:
    void commandTriggered(int commandId);

private:
    QAction* action(int commandId) const;

    std::map<int, QAction*> m_actions;
};
