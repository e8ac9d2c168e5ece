#include "ui/app/CChildFrame.h"

#include "calc/CCalculator.h"
#include "ui/forms/CChooseAnalysisForm.h"
#include "ui/forms/CFormFactory.h"
#include "ui/app/CMainFrame.h"
#include "platform/CMessageSink.h"
#include "ui/result/CResultView.h"
#include "platform/CSettingsStore.h"
#include "ui/forms/CStepForm.h"
#include "ui/app/CStepToolBar.h"
#include "platform/CUserException.h"
#include "ui/common/CommandIds.h"
#include "ui/common/FramesResources.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"

#include <QApplication>
#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

const int kStepCommands[] = {ID_STEP_1, ID_STEP_2, ID_STEP_3, ID_STEP_4};
// Buttons whose command belongs to the result view: the step rule allows them in steps 3
// and 4, and they are enabled only while the view has a handler for them.
const int kPageCommands[] = {ID_FILE_PRINT, ID_EDIT_COPY, ID_GRAPH, ID_TO_WORD};

} // namespace

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    initFramesResources();
    setWindowIcon(QIcon(QStringLiteral(":/frames/images/window-icon.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    m_body = new QWidget;
    m_body->setAutoFillBackground(true);
    m_layout = new QVBoxLayout(m_body);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_toolBar = new CStepToolBar(m_body);
    m_layout->addWidget(m_toolBar);
    setWidget(m_body);
    setWindowTitle(QString::fromStdString(m_state.title()));
    // The window menu's Close answers Ctrl+F4 only: Ctrl+W is the To Word command, and a
    // key owned by two actions runs neither.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0)
                action->setShortcuts(keys);
        }
    }
    connect(m_toolBar, &CStepToolBar::commandTriggered, this, &CChildFrame::runCommand);
}

CChildFrame::~CChildFrame()
{
    // A minimised window comes back normal; only a maximised one is remembered as such.
    Platform::settings().writeInt("ShowStyle", "ChildWindow", isMaximized() ? 3 : 1);
}

CMainFrame* CChildFrame::mainFrame() const
{
    return qobject_cast<CMainFrame*>(window());
}

bool CChildFrame::saveCurrentView()
{
    if (!m_view)
        return false;
    try {
        return m_view->saveData();
    } catch (const CUserException&) {
        // The refused value has shown its message already.
        return false;
    }
}

bool CChildFrame::goToStep(int n)
{
    const int current = m_step;
    if (n == current)
        return true;
    ViewKind kind = ViewKind::None;
    switch (n) {
    case 1:
        if (CCalculator* calculator = m_state.currentCalculator())
            calculator->SelectFromQuery(nullptr);
        kind = ViewKind::Choose;
        break;
    case 2:
        if (current == 1 && !saveCurrentView()) {
            refreshStepControls();
            return false;
        }
        if (CCalculator* calculator = m_state.currentCalculator())
            calculator->SelectFromQuery(nullptr);
        kind = ViewKind::Input;
        break;
    case 3:
        if (current == 4)
            break;
        if (m_view && !saveCurrentView()) {
            refreshStepControls();
            return false;
        }
        kind = ViewKind::Result;
        break;
    case 4:
        if (current == 3) {
            CCalculator* calculator = m_state.currentCalculator();
            if (!calculator || !calculator->HasSelection()) {
                Platform::messages().showMessage(LoadString(IDS_NO_SELECTED_CELL),
                                                 CMessageSink::Icon::Warning);
                refreshStepControls();
                return false;
            }
        } else {
            kind = ViewKind::Result;
        }
        break;
    default:
        return false;
    }
    // Whether the keyboard was in this window before its view changes, to keep it here.
    QWidget* focused = QApplication::focusWidget();
    const bool keyboardHere = !focused || isAncestorOf(focused);
    keepTypedValues();
    if (kind != ViewKind::None && !replaceView(kind))
        return false;
    m_step = n;
    m_view->loadData(n);
    restoreTypedValues();
    updateTitle();
    refreshStepControls();
    if (keyboardHere)
        focusView();
    return true;
}

void CChildFrame::focusView()
{
    // A form that placed the focus itself while loading keeps it; otherwise, as in a
    // dialog, the first control that Tab reaches takes it.
    QWidget* focused = QApplication::focusWidget();
    if (focused && m_view->isAncestorOf(focused))
        return;
    for (QWidget* w = m_view->nextInFocusChain(); w != m_view && m_view->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(m_view)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_view->setFocus(Qt::OtherFocusReason);
}

bool CChildFrame::replaceView(ViewKind kind)
{
    if (m_view) {
        // The old view may be the sender of the command that brought us here: it goes once
        // control is back in the event loop.
        m_view->hide();
        m_layout->removeWidget(m_view);
        m_body->setFocusProxy(nullptr);
        m_view->deleteLater();
        m_view = nullptr;
    }
    CStepView* view = nullptr;
    switch (kind) {
    case ViewKind::Choose:
        view = createChooseForm(m_body);
        break;
    case ViewKind::Input:
        view = createInputForm(m_state.goal(), m_state.design(), m_body);
        break;
    case ViewKind::Result:
        view = new CResultView(m_body);
        break;
    case ViewKind::None:
        break;
    }
    if (!view)
        return false;
    m_view = view;
    m_view->attach(&m_state);
    m_layout->addWidget(m_view, 1);
    // The view takes its place now, so that its data load works at its final size.
    m_layout->activate();
    m_body->setFocusProxy(m_view);
    connect(m_view, &CStepView::commandRequested, this, &CChildFrame::runViewCommand);
    if (auto* choose = qobject_cast<CChooseAnalysisForm*>(m_view))
        connect(choose, &CChooseAnalysisForm::goalChanged, this, &CChildFrame::refreshStepControls);
    m_view->show();
    return true;
}

void CChildFrame::updateTitle()
{
    if (!m_view)
        return;
    setWindowTitle(QString::fromStdString(m_state.title()) + QStringLiteral(": ") +
                   uiString(m_view->templateId()));
}

void CChildFrame::refreshStepControls()
{
    CStepToolBar& bar = *m_toolBar;
    for (int command : kStepCommands)
        bar.setButtonChecked(command, false);
    if (m_step >= 1 && m_step <= 4)
        bar.setButtonChecked(kStepCommands[m_step - 1], true);

    switch (m_step) {
    case 1:
        for (int command : {ID_STEP_3, ID_STEP_4, ID_FILE_PRINT, ID_EDIT_COPY, ID_GRAPH, ID_TO_WORD,
                            ID_PREVIOUS_STEP})
            bar.setButtonEnabled(command, false);
        bar.setButtonLabel(ID_STEP_3, uiString(m_state.goal() == 0 ? IDS_TOOL_CHOOSE_POWER_N
                                                                   : IDS_TOOL_CHOOSE_POWER));
        break;
    case 2:
        bar.setButtonEnabled(ID_STEP_3, true);
        bar.setButtonEnabled(ID_PREVIOUS_STEP, true);
        for (int command : {ID_STEP_4, ID_FILE_PRINT, ID_EDIT_COPY, ID_GRAPH, ID_TO_WORD})
            bar.setButtonEnabled(command, false);
        break;
    case 3:
    case 4:
        for (int command : {ID_STEP_4, ID_STEP_3, ID_PREVIOUS_STEP})
            bar.setButtonEnabled(command, true);
        for (int command : kPageCommands) {
            bool enabled = false;
            bar.setButtonEnabled(command,
                                 m_view && m_view->commandEnabled(command, enabled) && enabled);
        }
        break;
    default:
        break;
    }
}

bool CChildFrame::handleCommand(int id)
{
    if (m_view && m_view->handleCommand(id))
        return true;
    switch (id) {
    case ID_PREVIOUS_STEP:
        goToStep(m_step - 1);
        return true;
    case ID_NEXT_STEP:
        goToStep(m_step + 1);
        return true;
    case ID_STEP_1:
    case ID_STEP_2:
    case ID_STEP_3:
    case ID_STEP_4:
        goToStep(id - ID_STEP_1 + 1);
        return true;
    case ID_DUPLICATE_WINDOW:
        duplicate();
        return true;
    case ID_FILE_CLOSE:
        close();
        return true;
    default:
        return false;
    }
}

bool CChildFrame::commandState(int id, bool& enabled, bool& checked, QString& text) const
{
    checked = false;
    if (m_view && m_view->commandEnabled(id, enabled))
        return true;
    enabled = true;
    switch (id) {
    case ID_PREVIOUS_STEP:
        enabled = m_step != 1;
        return true;
    case ID_NEXT_STEP:
        enabled = m_step != 4;
        return true;
    case ID_STEP_1:
    case ID_STEP_2:
        checked = m_step == id - ID_STEP_1 + 1;
        return true;
    case ID_STEP_3:
        enabled = m_step != 1;
        checked = m_step == 3;
        text = uiString(m_state.goal() == 0 ? IDS_MENU_STEP_3_POWER_N : IDS_MENU_STEP_3_POWER);
        return true;
    case ID_STEP_4:
        enabled = m_step == 3 || m_step == 4;
        checked = m_step == 4;
        return true;
    case ID_DUPLICATE_WINDOW:
    case ID_FILE_CLOSE:
        return true;
    default:
        return false;
    }
}

void CChildFrame::runCommand(int id)
{
    // Through the main window, so that the application's commands (Learn) are reached too
    // and a disabled command does not run.
    if (CMainFrame* frame = mainFrame()) {
        frame->runCommand(id, this);
        return;
    }
    bool enabled = false;
    bool checked = false;
    QString text;
    if (!commandState(id, enabled, checked, text) || enabled)
        handleCommand(id);
}

void CChildFrame::runViewCommand(int id)
{
    // A view asks for its window's commands directly (Continue, Calculate, a cell link).
    if (handleCommand(id))
        return;
    if (CMainFrame* frame = mainFrame())
        frame->runApplicationCommand(id);
}

void CChildFrame::applyCalcMethod(CalcMethod method)
{
    for (CCalculator* calc = m_state.calculators(); calc != nullptr; calc = calc->next)
        calc->SetMethod(method);
    // A report on a cell that has no result in the new method would explain a stand-in
    // number: the table is shown instead.
    const CCalculator* current = m_state.currentCalculator();
    if (m_step == 4 && !(current && current->SelectedCellHasResult())) {
        goToStep(3);
        return;
    }
    if (m_view && (m_step == 3 || m_step == 4))
        m_view->loadData(m_step);
}

void CChildFrame::duplicate()
{
    CMainFrame* frame = mainFrame();
    CChildFrame* copy = frame ? frame->createChildFrame() : nullptr;
    if (!copy) {
        Platform::messages().showMessage(LoadString(IDS_TOO_MANY_CALCULATORS));
        return;
    }
    copy->analysisState().copyFrom(m_state);
    // The copy shows what this window shows, typed values included, stored or not.
    keepTypedValues();
    copy->m_typed = m_typed;
    const CTypedValues shown = m_view ? CTypedValues::capture(*m_view) : CTypedValues();
    if (!copy->goToStep(m_step)) {
        delete copy;
        Platform::messages().showMessage(LoadString(IDS_TOO_MANY_CALCULATORS));
        return;
    }
    shown.restore(*copy->m_view);
    copy->show();
    if (QMdiArea* area = copy->mdiArea())
        area->setActiveSubWindow(copy);
}

void CChildFrame::keepTypedValues()
{
    // A value stored by a save is typed here too, so keeping it changes nothing; one never
    // stored (the form left backwards, a refused save) would otherwise be lost.
    if (m_step == 2 && m_view)
        m_typed[{m_state.goal(), m_state.design()}] = CTypedValues::capture(*m_view);
}

void CChildFrame::restoreTypedValues()
{
    const auto found = m_typed.find({m_state.goal(), m_state.design()});
    if (m_step == 2 && found != m_typed.end())
        found->second.restore(*m_view);
}

void CChildFrame::rememberNormalSize()
{
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        m_normalSize = size();
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    rememberNormalSize();
}

void CChildFrame::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        rememberNormalSize();
}
