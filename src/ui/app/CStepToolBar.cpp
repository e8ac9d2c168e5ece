#include "ui/app/CStepToolBar.h"

#include "ui/common/CommandIds.h"
#include "ui/common/FramesResources.h"
#include "ui/common/UiStrings.h"

#include <QActionGroup>
#include <QIcon>
#include <QPalette>
#include <QToolButton>

#include <iterator>

namespace {

struct ButtonSpec
{
    int command; // 0: separator
    unsigned int label;
    const char* image;
    bool step;
};

const ButtonSpec kButtons[] = {
    {ID_PREVIOUS_STEP, IDS_TOOL_PREVIOUS, "previous", false},
    {0, 0, nullptr, false},
    {ID_STEP_1, IDS_TOOL_CHOOSE_ANALYSIS, "choose-analysis", true},
    {ID_STEP_2, IDS_TOOL_DEFINE_EXPERIMENT, "define-experiment", true},
    {ID_STEP_3, IDS_TOOL_CHOOSE_POWER_N, "choose-power", true},
    {ID_STEP_4, IDS_TOOL_VIEW_REPORT, "view-report", true},
    {0, 0, nullptr, false},
    {ID_FILE_PRINT, IDS_TOOL_PRINT, "print", false},
    {ID_EDIT_COPY, IDS_TOOL_COPY, "copy", false},
    {ID_GRAPH, IDS_TOOL_GRAPH, "graph", false},
    {ID_TO_WORD, IDS_TOOL_WORD, "word", false},
    {ID_LEARN, IDS_TOOL_LEARN, "learn", false},
};

const int kCommands[] = {ID_PREVIOUS_STEP, ID_STEP_1,    ID_STEP_2, ID_STEP_3,  ID_STEP_4,
                         ID_FILE_PRINT,    ID_EDIT_COPY, ID_GRAPH,  ID_TO_WORD, ID_LEARN};

// The three looks of one image, built once for the process. The checked step shows its
// hot look, so the step the window is in stands out without a check mark.
QIcon stepIcon(const char* name)
{
    static std::map<QString, QIcon> cache;
    const QString key = QString::fromLatin1(name);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    initFramesResources();
    const QString base = QStringLiteral(":/frames/images/toolbar/") + key;
    const QPixmap normal(base + ".png");
    const QPixmap hot(base + "-hot.png");
    const QPixmap disabled(base + "-disabled.png");
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal, QIcon::Off);
    icon.addPixmap(hot, QIcon::Active, QIcon::Off);
    icon.addPixmap(hot, QIcon::Normal, QIcon::On);
    icon.addPixmap(hot, QIcon::Active, QIcon::On);
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::Off);
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::On);
    cache.emplace(key, icon);
    return icon;
}

// Hot buttons take the button face darkened to seven eighths.
QString hotStyle(const QPalette& palette)
{
    const QColor face = palette.color(QPalette::Button);
    const QColor hot(face.red() * 7 / 8, face.green() * 7 / 8, face.blue() * 7 / 8);
    return QStringLiteral("QToolBar { border: 1px inset palette(mid); spacing: 1px; }"
                          "QToolButton { border: none; padding: 1px 3px; }"
                          "QToolButton:hover { background: %1; }"
                          "QToolButton:checked { background: palette(midlight);"
                          " border: 1px inset palette(mid); }")
        .arg(hot.name());
}

} // namespace

CStepToolBar::CStepToolBar(QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(44, 34));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setStyleSheet(hotStyle(palette()));

    auto* steps = new QActionGroup(this);
    steps->setExclusive(true);
    for (const ButtonSpec& spec : kButtons) {
        if (spec.command == 0) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(stepIcon(spec.image), uiString(spec.label));
        // The button shows the icon text, whose "&&" its label drawing turns into "&".
        action->setIconText(uiString(spec.label));
        action->setToolTip(toolTipText(static_cast<unsigned int>(spec.command)));
        action->setData(spec.command);
        if (spec.step) {
            action->setCheckable(true);
            steps->addAction(action);
        }
        const int command = spec.command;
        connect(action, &QAction::triggered, this,
                [this, command]() { emit commandTriggered(command); });
        m_actions[spec.command] = action;
    }
}

const int* CStepToolBar::commandIds(int& count)
{
    count = static_cast<int>(std::size(kCommands));
    return kCommands;
}

QAction* CStepToolBar::action(int commandId) const
{
    auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

QToolButton* CStepToolBar::button(int commandId) const
{
    QAction* a = action(commandId);
    return a ? qobject_cast<QToolButton*>(widgetForAction(a)) : nullptr;
}

void CStepToolBar::setButtonEnabled(int commandId, bool enabled)
{
    if (QAction* a = action(commandId))
        a->setEnabled(enabled);
}

bool CStepToolBar::isButtonEnabled(int commandId) const
{
    QAction* a = action(commandId);
    return a && a->isEnabled();
}

void CStepToolBar::setButtonChecked(int commandId, bool checked)
{
    if (QAction* a = action(commandId))
        a->setChecked(checked);
}

bool CStepToolBar::isButtonChecked(int commandId) const
{
    QAction* a = action(commandId);
    return a && a->isChecked();
}

void CStepToolBar::setButtonLabel(int commandId, const QString& label)
{
    if (QAction* a = action(commandId)) {
        a->setText(label);
        a->setIconText(label);
    }
}

QString CStepToolBar::buttonLabel(int commandId) const
{
    QAction* a = action(commandId);
    return a ? a->iconText() : QString();
}
