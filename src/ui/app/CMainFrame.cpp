#include "ui/app/CMainFrame.h"

#include "ui/app/CChildFrame.h"
#include "calc/AnalysisKind.h"
#include "ui/forms/CStepForm.h"
#include "ui/help/HelpTopics.h"
#include "ui/app/CStepToolBar.h"
#include "ui/common/WindowPlacement.h"
#include "platform/CSettingsStore.h"
#include "ui/app/CZentrimaApp.h"
#include "ui/common/ExactDistributions.h"
#include "ui/common/CommandIds.h"
#include "ui/common/FramesResources.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const char kSection[] = "ShowStyle";
// A value no placement is ever stored as.
const int kNotStored = std::numeric_limits<int>::min();

// Commands whose menu item shows a check mark.
bool isCheckable(int id)
{
    return id == ID_STEP_1 || id == ID_STEP_2 || id == ID_STEP_3 || id == ID_EXACT_DISTRIBUTIONS;
}

// One coordinate of the placement: a stored value beyond nine tenths of the screen (the
// default is the screen size itself) is centred, a negative one becomes 0.
int clampedOrigin(int stored, int screen, int extent)
{
    if (stored > static_cast<int>(std::lround(screen * 0.9)))
        stored = (screen - extent) / 2;
    return std::max(stored, 0);
}

} // namespace

CMainFrame::CMainFrame(CZentrimaApp* app, QWidget* parent) : QMainWindow(parent), m_app(app)
{
    initFramesResources();
    setWindowTitle(uiString(IDS_APP_TITLE));
    setWindowIcon(QIcon(QStringLiteral(":/frames/images/window-icon.png")));
    m_mdiArea = new QMdiArea(this);
    // Windows that do not fit (Tile with forms wider than their share) are scrolled to;
    // without scroll bars the area would ask for their size and the main window would grow
    // past the screen.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    buildMenus();
    buildAccelerators();
    updateMenuBar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::updateMenuBar);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    savePlacement();
    // The analysis windows go before the main window's members do.
    for (CChildFrame* child : childFrames())
        delete child;
}

CChildFrame* CMainFrame::activeChildFrame() const
{
    // The current window stays current while the program is not the active application.
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::childFrames() const
{
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window))
            children.append(child);
    return children;
}

CChildFrame* CMainFrame::createChildFrame()
{
    CChildFrame* active = activeChildFrame();
    auto* child = new CChildFrame;
    // Before the main window is first shown its area has not been given its size yet.
    if (!isVisible() && layout())
        layout()->activate();
    const QSize area = m_mdiArea->contentsRect().size();
    QSize size;
    if (active && active->normalSize().isValid()) {
        size = active->normalSize();
    } else {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        size = area - QSize(border, border);
    }
    m_mdiArea->addSubWindow(child);
    // Never a bare title bar, never larger than the area: the window is used at this size
    // and comes back to it from maximised.
    size = size.expandedTo(child->minimumSizeHint()).boundedTo(area);
    child->resize(size);
    if (!active)
        child->move(0, 0);
    connect(child, &QObject::destroyed, this, &CMainFrame::updateMenuBar, Qt::QueuedConnection);
    connect(child, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::updateCommandStates);
    return child;
}

CChildFrame* CMainFrame::openNewWindow()
{
    CChildFrame* active = activeChildFrame();
    const int show = active ? (active->isMaximized() ? 3 : 1)
                            : Platform::settings().readInt(kSection, "ChildWindow", 3);
    CChildFrame* child = createChildFrame();
    if (!child)
        return nullptr;
    if (show != 1)
        child->showMaximized();
    else
        child->show();
    m_mdiArea->setActiveSubWindow(child);
    child->goToStep(1);
    updateMenuBar();
    return child;
}

bool CMainFrame::isApplicationCommand(int id) const
{
    switch (id) {
    case ID_FILE_NEW:
    case ID_APP_EXIT:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE:
    case ID_EXACT_DISTRIBUTIONS:
        return true;
    default:
        return m_app && m_app->handlesCommand(id);
    }
}

bool CMainFrame::commandEnabled(int id, CChildFrame* target) const
{
    CChildFrame* child = target ? target : activeChildFrame();
    bool enabled = false;
    bool checked = false;
    QString text;
    if (child && child->commandState(id, enabled, checked, text))
        return enabled;
    return isApplicationCommand(id);
}

void CMainFrame::runCommand(int id, CChildFrame* target)
{
    if (!commandEnabled(id, target))
        return;
    CChildFrame* child = target ? target : activeChildFrame();
    if (!(child && child->handleCommand(id)))
        runApplicationCommand(id);
    updateCommandStates();
}

bool CMainFrame::runApplicationCommand(int id)
{
    switch (id) {
    case ID_FILE_NEW:
        openNewWindow();
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE: {
        // The arrangement moves the analysis windows, never the main window.
        const QSize before = size();
        if (id == ID_WINDOW_TILE)
            m_mdiArea->tileSubWindows();
        else
            m_mdiArea->cascadeSubWindows();
        if (!isMaximized() && !isFullScreen() && size() != before)
            resize(before);
        keepWindowsInArea();
        return true;
    }
    case ID_EXACT_DISTRIBUTIONS:
        setExactDistributions(!ExactDistributionsStored());
        return true;
    default:
        return m_app && m_app->handleCommand(id);
    }
}

void CMainFrame::keepWindowsInArea()
{
    // The arrangement gives a form at least its design width; one wider than the area would
    // reach past its edge and hide its scroll bar, so it is narrowed to the area instead.
    const QRect area = m_mdiArea->viewport()->rect();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->isMaximized() || window->isMinimized())
            continue;
        const QRect placed = WindowPlacement::fitted(window->geometry(), area);
        if (placed != window->geometry())
            window->setGeometry(placed);
    }
}

QMenu* CMainFrame::buildMenu(unsigned int title, const std::vector<MenuItem>& items,
                             std::vector<QAction*>& actions)
{
    auto* menu = new QMenu(uiString(title), this);
    for (const MenuItem& item : items) {
        if (item.text == 0) {
            menu->addSeparator();
            continue;
        }
        QString text = uiString(item.text);
        if (item.text == IDS_MENU_VISIT)
            text += QString::fromUtf8(kMakerWebHost);
        QAction* action = menu->addAction(text);
        action->setData(item.command);
        action->setCheckable(isCheckable(item.command));
        const int command = item.command;
        connect(action, &QAction::triggered, this, [this, command]() { runCommand(command); });
        actions.push_back(action);
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    return menu;
}

void CMainFrame::buildMenus()
{
    // The Help menu is shared by both menu bars.
    QMenu* help = createHelpMenu();
    m_shortMenus = {createShortFileMenu(), help};
    m_analysisMenuList = {createFileMenu(), createEditMenu(), createViewMenu(), createWindowMenu(),
                          help};
}

QMenu* CMainFrame::createHelpMenu()
{
    return buildMenu(IDS_MENU_HELP,
                     {{IDS_MENU_CONTENTS, ID_LEARN},
                      Separator,
                      {IDS_MENU_WHAT_DOES, ID_HELP_WHAT_DOES},
                      {IDS_MENU_SAMPLE_TUTORIAL, ID_HELP_SAMPLE_TUTORIAL},
                      {IDS_MENU_POWER_TUTORIAL, ID_HELP_POWER_TUTORIAL},
                      Separator,
                      {IDS_MENU_LICENSE, ID_HELP_LICENSE},
                      {IDS_MENU_CITE, ID_HELP_CITE},
                      {IDS_MENU_SUPPORT, ID_HELP_SUPPORT},
                      Separator,
                      {IDS_MENU_VISIT, ID_WEB_VISIT},
                      {IDS_MENU_UPDATES, ID_WEB_UPDATES},
                      Separator,
                      {IDS_MENU_ABOUT, ID_APP_ABOUT}},
                     m_helpActions);
}

QMenu* CMainFrame::createShortFileMenu()
{
    return buildMenu(IDS_MENU_FILE,
                     {{IDS_MENU_NEW_WINDOW, ID_FILE_NEW}, Separator, {IDS_MENU_EXIT, ID_APP_EXIT}},
                     m_shortActions);
}

QMenu* CMainFrame::createFileMenu()
{
    return buildMenu(IDS_MENU_FILE,
                     {{IDS_MENU_NEW, ID_FILE_NEW},
                      {IDS_MENU_CLOSE, ID_FILE_CLOSE},
                      Separator,
                      {IDS_MENU_EXPORT, ID_FILE_EXPORT},
                      {IDS_MENU_GRAPH, ID_GRAPH},
                      {IDS_MENU_TO_WORD, ID_TO_WORD},
                      Separator,
                      {IDS_MENU_PAGE_SETUP, ID_PAGE_SETUP},
                      {IDS_MENU_PRINT, ID_FILE_PRINT},
                      Separator,
                      {IDS_MENU_EXIT, ID_APP_EXIT}},
                     m_analysisActions);
}

QMenu* CMainFrame::createEditMenu()
{
    return buildMenu(IDS_MENU_EDIT,
                     {{IDS_MENU_UNDO, ID_EDIT_UNDO},
                      Separator,
                      {IDS_MENU_CUT, ID_EDIT_CUT},
                      {IDS_MENU_COPY, ID_EDIT_COPY},
                      {IDS_MENU_PASTE, ID_EDIT_PASTE},
                      Separator,
                      {IDS_MENU_CLEAR, ID_EDIT_CLEAR},
                      Separator,
                      {IDS_MENU_SELECT_RESULTS, ID_SELECT_RESULTS},
                      {IDS_MENU_SELECT_ALL, ID_SELECT_ALL}},
                     m_analysisActions);
}

QMenu* CMainFrame::createViewMenu()
{
    return buildMenu(IDS_MENU_VIEW,
                     {{IDS_MENU_NEXT_STEP, ID_NEXT_STEP},
                      {IDS_MENU_PREVIOUS_STEP, ID_PREVIOUS_STEP},
                      Separator,
                      {IDS_MENU_STEP_1, ID_STEP_1},
                      {IDS_MENU_STEP_2, ID_STEP_2},
                      {IDS_MENU_STEP_3_POWER_N, ID_STEP_3},
                      Separator,
                      {IDS_MENU_ZOOM_IN, ID_ZOOM_IN},
                      {IDS_MENU_ZOOM_OUT, ID_ZOOM_OUT},
                      Separator,
                      {IDS_MENU_EXACT_DISTRIBUTIONS, ID_EXACT_DISTRIBUTIONS}},
                     m_analysisActions);
}

// The Window menu also lists the open analyses, refreshed each time it opens.
QMenu* CMainFrame::createWindowMenu()
{
    m_windowMenu = buildMenu(IDS_MENU_WINDOW,
                             {{IDS_MENU_DUPLICATE, ID_DUPLICATE_WINDOW},
                              Separator,
                              {IDS_MENU_CASCADE, ID_WINDOW_CASCADE},
                              {IDS_MENU_TILE, ID_WINDOW_TILE}},
                             m_analysisActions);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::updateWindowList);
    return m_windowMenu;
}

void CMainFrame::updateWindowList()
{
    for (QAction* action : m_windowListActions) {
        m_windowMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    const QList<CChildFrame*> children = childFrames();
    if (children.isEmpty())
        return;
    m_windowListActions.append(m_windowMenu->addSeparator());
    CChildFrame* active = activeChildFrame();
    int number = 0;
    for (CChildFrame* child : children) {
        ++number;
        QString title = child->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // The first nine are reached by their digit.
        const QString label = number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                          : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* action = m_windowMenu->addAction(label);
        action->setCheckable(true);
        action->setChecked(child == active);
        const QPointer<CChildFrame> target(child);
        connect(action, &QAction::triggered, this, [this, target]() {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_mdiArea->setActiveSubWindow(target);
        });
        m_windowListActions.append(action);
    }
}

void CMainFrame::buildAccelerators()
{
    struct Accelerator
    {
        QKeySequence key;
        int command;
    };
    const Accelerator accelerators[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_A), ID_SELECT_ALL},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
        {QKeySequence(Qt::CTRL | Qt::Key_F1), ID_LEARN},
        {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
        {QKeySequence(Qt::CTRL | Qt::Key_1), ID_STEP_1},
        {QKeySequence(Qt::CTRL | Qt::Key_2), ID_STEP_2},
        {QKeySequence(Qt::CTRL | Qt::Key_3), ID_STEP_3},
        {QKeySequence(Qt::CTRL | Qt::Key_Left), ID_PREVIOUS_STEP},
        {QKeySequence(Qt::CTRL | Qt::Key_Right), ID_NEXT_STEP},
        {QKeySequence(Qt::CTRL | Qt::Key_D), ID_DUPLICATE_WINDOW},
        {QKeySequence(Qt::CTRL | Qt::Key_R), ID_SELECT_RESULTS},
        {QKeySequence(Qt::CTRL | Qt::Key_W), ID_TO_WORD},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
    };
    for (const Accelerator& accelerator : accelerators) {
        auto* shortcut = new QShortcut(accelerator.key, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int command = accelerator.command;
        connect(shortcut, &QShortcut::activated, this, [this, command]() { runCommand(command); });
    }
    // The desktop's own keys: F1 for the help of the step in front, Ctrl+Q to quit.
    auto* stepHelp = new QAction(this);
    stepHelp->setObjectName(QStringLiteral("stepHelp"));
    stepHelp->setShortcut(QKeySequence::HelpContents);
    connect(stepHelp, &QAction::triggered, this, &CMainFrame::showStepHelp);
    auto* quit = new QAction(this);
    quit->setObjectName(QStringLiteral("quit"));
    // Desktops without a key of their own for quitting (the Windows-like key scheme) get the
    // one of the Linux desktops.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (quitKeys.isEmpty())
        quitKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcuts(quitKeys);
    connect(quit, &QAction::triggered, this, [this]() { runCommand(ID_APP_EXIT); });
    addActions({stepHelp, quit});
}

int CMainFrame::stepHelpTopic(int step, int goal, int design)
{
    // The form of each sample-size design has its page on choosing the inputs.
    static const std::map<Design, int> decide = {
        {Design::Unpaired, HelpTopic::DecideUnpaired},
        {Design::Paired, HelpTopic::DecidePaired},
        {Design::Anova, HelpTopic::DecideAnova},
        {Design::Survival, HelpTopic::DecideSurvival},
        {Design::Proportions, HelpTopic::DecideProportions},
        {Design::OneSample, HelpTopic::DecideOneSample},
    };
    const bool power = goal == static_cast<int>(Goal::Power);
    switch (step) {
    case 1:
        return HelpTopic::WhatZentrimaDoes;
    case 2:
        if (!power) {
            const auto found = decide.find(static_cast<Design>(design));
            if (found != decide.end())
                return found->second;
        }
        return power ? HelpTopic::PowerTutorial : HelpTopic::SampleSizeTutorial;
    case 3:
    case 4:
        return power ? HelpTopic::PowerTutorial : HelpTopic::SampleSizeTutorial;
    default:
        return HelpTopic::Contents;
    }
}

void CMainFrame::showStepHelp()
{
    const CChildFrame* child = activeChildFrame();
    CStepForm::requestHelp(child
                               ? stepHelpTopic(child->currentStep(), child->analysisState().goal(),
                                               child->analysisState().design())
                               : HelpTopic::Contents);
}

int CMainFrame::zoomCommandFor(const QKeyEvent& key)
{
    // Ctrl with + or -, whether from the keypad or the main keyboard, where + is Shift+=
    // and = alone is taken for it too. The keypad's flag and Shift do not matter: as
    // shortcuts, the variants of one key would match together and cancel each other out.
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::ControlModifier)
        return 0;
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return ID_ZOOM_IN;
    case Qt::Key_Minus:
        return ID_ZOOM_OUT;
    default:
        return 0;
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            if (const int command = zoomCommandFor(*static_cast<QKeyEvent*>(event))) {
                runCommand(command);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::updateMenuBar()
{
    const bool analysis = !m_mdiArea->subWindowList().isEmpty();
    if (analysis != m_analysisMenus || menuBar()->actions().isEmpty()) {
        m_analysisMenus = analysis;
        menuBar()->clear();
        for (QMenu* menu : analysis ? m_analysisMenuList : m_shortMenus)
            menuBar()->addMenu(menu);
    }
    updateCommandStates();
}

void CMainFrame::updateCommandStates()
{
    CChildFrame* child = activeChildFrame();
    for (auto* list : {&m_shortActions, &m_analysisActions, &m_helpActions}) {
        for (QAction* action : *list) {
            const int id = action->data().toInt();
            bool enabled = false;
            bool checked = false;
            QString text;
            if (child && child->commandState(id, enabled, checked, text)) {
                action->setEnabled(enabled);
                action->setChecked(checked);
                if (!text.isEmpty())
                    action->setText(text);
            } else {
                action->setEnabled(isApplicationCommand(id));
                action->setChecked(id == ID_EXACT_DISTRIBUTIONS && ExactDistributionsStored());
            }
        }
    }
}

QAction* CMainFrame::menuAction(int id) const
{
    for (auto* list : {m_analysisMenus ? &m_analysisActions : &m_shortActions, &m_helpActions})
        for (QAction* action : *list)
            if (action->data().toInt() == id)
                return action;
    return nullptr;
}

void CMainFrame::setExactDistributions(bool exact)
{
    StoreExactDistributions(exact);
    for (CChildFrame* child : childFrames())
        child->applyCalcMethod(StoredCalcMethod());
    updateCommandStates();
}

void CMainFrame::raiseAndRestore()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

QRect CMainFrame::initialPlacement(const CSettingsStore& settings, const QRect& area,
                                   const QSize& least)
{
    const QSize screen = area.size();
    bool stored = false;
    for (const char* name : {"x", "y", "cx", "cy"})
        stored = stored || settings.readInt(kSection, name, kNotStored) != kNotStored;
    if (!stored)
        return WindowPlacement::firstMainWindow(area, least.expandedTo(QSize(800, 600)));
    const int cx = std::min(std::max(settings.readInt(kSection, "cx", 800), 800), screen.width());
    const int cy = std::min(std::max(settings.readInt(kSection, "cy", 600), 600), screen.height());
    const int x =
        clampedOrigin(settings.readInt(kSection, "x", screen.width()), screen.width(), cx);
    const int y =
        clampedOrigin(settings.readInt(kSection, "y", screen.height()), screen.height(), cy);
    return QRect(x, y, cx, cy);
}

QSize CMainFrame::wholeToolBarSize() const
{
    CStepToolBar bar;
    bar.ensurePolished();
    // The analysis window's frame and the area's own frame on both sides.
    const int frames =
        2 * (style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) + m_mdiArea->frameWidth() + 1);
    return QSize(bar.sizeHint().width() + frames, 600);
}

void CMainFrame::savePlacement() const
{
    CSettingsStore& settings = Platform::settings();
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    settings.writeInt(kSection, "MainWindow", isMaximized() ? 3 : 1);
    settings.writeInt(kSection, "x", normal.x());
    settings.writeInt(kSection, "y", normal.y());
    settings.writeInt(kSection, "cx", normal.width());
    settings.writeInt(kSection, "cy", normal.height());
}
